// quilvane_snapshot - what run.sh uses on a machine without a display: it
// tells whether $DISPLAY can be opened, and shows the program on a private
// X server to save a picture of its window (CommandLine.h has the usage).
#include "tools/snapshot/CommandLine.h"
#include "tools/snapshot/DisplayCheck.h"
#include "tools/snapshot/XvfbSnapshot.h"

#include <cstdio>

int main(int argc, char** argv) {
    std::string error;
    const std::optional<snapshot::CommandLine> line = snapshot::parseCommandLine(argc, argv, &error);
    if (!line) {
        std::fprintf(stderr, "quilvane_snapshot: %s\n%s", error.c_str(), snapshot::kUsage);
        return 2;
    }
    if (line->mode == snapshot::CommandLine::Mode::CheckDisplay) return snapshot::displayAvailable() ? 0 : 1;
    return snapshot::snapshotOnXvfb(*line);
}
