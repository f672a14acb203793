// main() of the program on a real screen: checks the start-up conditions
// (a display, a usable font) and runs the application object. A start-up
// fault is reported in one line and ends the program with status 1.
#include "platform/display/sdl/SdlBackend.h"
#include "platform/framework/ApplicationRun.h"
#include "platform/framework/CWinApp.h"
#include "platform/graphics/Font.h"

#include <cstdio>
#include <malloc.h>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    // One malloc arena: the font thread lives only for the start, and an
    // arena of its own would stay mapped and touched for the whole run.
    mallopt(M_ARENA_MAX, 1);
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string programPath = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv[0]);
    std::string name = AfxExeNameFor(programPath);

    // The environment the libraries read is settled first: changing it
    // while the second thread reads it would be a data race.
    graphics::prepareFontEnvironment();
    display::prepareSdlProcessEnvironment();
    // Fonts are found and their glyphs drawn on a second thread while the
    // display connection and the window system start on this one.
    std::string fontError;
    bool fontsOk = false;
    std::thread fonts([&] {
        fontsOk = graphics::fontsUsable(&fontError);
        if (fontsOk) graphics::prepareFonts();
    });
    std::string error;
    auto backend = display::createSdlBackend(name, &error);
    fonts.join();
    if (!fontsOk) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), fontError.c_str());
        return 1;
    }
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
