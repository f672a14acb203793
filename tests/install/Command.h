// Running a command-line tool from a test (cmake, cpack, dpkg-deb,
// desktop-file-validate) and collecting what it printed.
#pragma once

#include "tests/e2e/harness/WaitFor.h"

#include <string>
#include <vector>

namespace install_test {

struct CommandResult {
    bool succeeded = false;  // started, ended within the time and exited with 0
    std::string outcome;     // "exit status N", "killed by signal N", or why it did not run
    std::string standardOutput;
    std::string standardError;

    // The command line, its outcome and its output, for failure messages.
    std::string report;
};

// Runs `argv` (argv[0] looked up in PATH when it has no '/') without a
// display, killing it when it runs longer than `timeout`.
CommandResult runCommand(const std::vector<std::string>& argv, e2e::Millis timeout = e2e::Millis(120000));

}  // namespace install_test
