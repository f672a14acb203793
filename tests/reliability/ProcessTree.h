// What /proc tells about a process of a test: its children, and whether it
// still exists.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace reliability {

struct ProcessInfo {
    pid_t pid = 0;
    std::string command;  // the name in /proc/<pid>/stat
};

// The processes whose parent is `parent`, read from /proc/<pid>/stat.
std::vector<ProcessInfo> childrenOf(pid_t parent);

// Whether /proc/<pid> exists (a zombie still counts).
bool processExists(pid_t pid);

std::string describe(const std::vector<ProcessInfo>& processes);

}  // namespace reliability
