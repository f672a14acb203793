// main() of the program on a real screen: checks the start-up conditions
// (a display, a usable font) and runs the application object. A start-up
// fault is reported in one line and ends the program with status 1.
#include "platform/display/sdl/SdlBackend.h"
#include "platform/framework/ApplicationRun.h"
#include "platform/framework/CWinApp.h"
#include "platform/graphics/Font.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string programPath = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv[0]);
    std::string name = AfxExeNameFor(programPath);

    std::string error;
    if (!graphics::fontsUsable(&error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return 1;
    }
    auto backend = display::createSdlBackend(name, &error);
    if (!backend) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return 1;
    }
    ApplicationRun run;
    run.backend = backend.get();
    run.programPath = programPath;
    for (int i = 1; i < argc; ++i) run.arguments.emplace_back(argv[i]);
    return AfxWinMain(run);
}
