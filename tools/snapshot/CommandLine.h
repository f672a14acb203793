// The command line of quilvane_snapshot:
//
//   quilvane_snapshot --check-display
//       exit status 0 when $DISPLAY can be opened, 1 otherwise; prints nothing
//   quilvane_snapshot --xvfb --program EXE --title TITLE --out FILE.png [--screen WxH] [-- ARGS...]
//       shows EXE on a private X server, saves its window titled TITLE as
//       FILE.png, closes it with Escape and exits with its exit status
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace snapshot {

struct CommandLine {
    enum class Mode { CheckDisplay, Xvfb };
    Mode mode = Mode::CheckDisplay;
    std::string program;
    std::string title;
    std::string out;
    int screenWidth = 1024;
    int screenHeight = 768;
    std::vector<std::string> programArguments;
};

// Nullopt with a message in *error when the command line is not one of the two forms.
std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string* error);

extern const char* const kUsage;

}  // namespace snapshot
