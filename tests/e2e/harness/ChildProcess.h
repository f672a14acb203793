// Starting a child process for the harness: fork and exec with a chosen
// environment and redirected descriptors. The child is killed when the test
// process dies (PR_SET_PDEATHSIG), so an aborted test leaves nothing behind.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct ChildSpec {
    std::vector<std::string> argv;         // argv[0] is looked up in PATH when it has no '/'
    std::vector<std::string> environment;  // "NAME=value" entries, the child's whole environment
    int stdoutFd = -1;                     // -1: /dev/null
    int stderrFd = -1;                     // -1: /dev/null
    std::vector<std::pair<int, int>> passFds;  // {descriptor here, number in the child}
};

// Returns the child's pid, or -1 with a message when it could not be started
// (including an exec failure, which is reported from the child).
pid_t startChild(const ChildSpec& child, std::string* error);

// The current environment without the named variables.
std::vector<std::string> environmentWithout(const std::vector<std::string>& names);

// Creates a pipe whose both ends are close-on-exec. Returns false on failure.
bool makePipe(int fds[2]);

// The end of a child's log file, for an error message: "; <who> said:\n"
// and the last 2000 characters, or "" when the log is empty or unreadable.
std::string logTail(const std::string& path, const std::string& who);

}  // namespace e2e
