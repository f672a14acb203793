// Shows a program on a private X server and takes the picture of its
// window: Xvfb (with a work area above a 30-pixel task bar), the program
// started on it, its window found by title and waited for until its
// picture has settled, the picture saved as PNG, the window closed with
// Escape typed through XTest, the program waited for and the server
// stopped. Returns the exit status to end with: the program's own, or 1
// after a message on stderr when anything on the way fails.
#pragma once

#include "tools/snapshot/CommandLine.h"

namespace snapshot {

int snapshotOnXvfb(const CommandLine& line);

}  // namespace snapshot
