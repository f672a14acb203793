// What the program may do with files and sockets, judged from its system
// calls (StraceLog.h): look only at what its libraries need to start
// (kAllowedPaths, each with its reason), write, create, remove or rename
// nothing outside /dev, start no other program, and open no socket but the
// one to its X server.
#pragma once

#include "tests/reliability/StraceLog.h"

#include <string>
#include <vector>

namespace reliability {

struct AllowedPath {
    // A regular expression a whole path must match; "~" at its start stands
    // for the home directory of the run.
    std::string pattern;
    std::string why;
};

extern const std::vector<AllowedPath> kAllowedPaths;

struct RunFacts {
    std::string program;        // the executable's absolute path
    std::string home;           // HOME of the run
    int displayNumber = 0;      // the X server's :N
};

// One line per call that breaks a rule; empty when the run kept them all.
std::vector<std::string> fileAccessFaults(const std::vector<SystemCall>& calls, const RunFacts& run);

}  // namespace reliability
