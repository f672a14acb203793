#include "tools/snapshot/CommandLine.h"

#include <cstdio>

namespace snapshot {

const char* const kUsage =
    "usage: quilvane_snapshot --check-display\n"
    "       quilvane_snapshot --xvfb --program EXE --title TITLE --out FILE.png [--screen WxH] [-- ARGS...]\n";

std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string* error) {
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return std::nullopt;
    };
    if (argc < 2) return fail("no mode given");
    CommandLine line;
    const std::string mode = argv[1];
    if (mode == "--check-display") {
        if (argc != 2) return fail("--check-display takes no other arguments");
        line.mode = CommandLine::Mode::CheckDisplay;
        return line;
    }
    if (mode != "--xvfb") return fail("unknown mode " + mode);
    line.mode = CommandLine::Mode::Xvfb;
    int i = 2;
    for (; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc) return fail(option + " needs a value");
        const std::string value = argv[++i];
        if (option == "--program") {
            line.program = value;
        } else if (option == "--title") {
            line.title = value;
        } else if (option == "--out") {
            line.out = value;
        } else if (option == "--screen") {
            char rest = 0;
            if (std::sscanf(value.c_str(), "%dx%d%c", &line.screenWidth, &line.screenHeight, &rest) != 2 ||
                line.screenWidth < 64 || line.screenHeight < 64) {
                return fail("--screen needs WIDTHxHEIGHT, at least 64x64");
            }
        } else {
            return fail("unknown option " + option);
        }
    }
    for (; i < argc; ++i) line.programArguments.push_back(argv[i]);
    if (line.program.empty() || line.title.empty() || line.out.empty()) {
        return fail("--xvfb needs --program, --title and --out");
    }
    return line;
}

}  // namespace snapshot
