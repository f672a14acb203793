// Reading the log of `strace -f -o <log>`: one record per system call, with
// the calls that strace split over two lines (another thread's call came in
// between: "<unfinished ...>" and "<... name resumed>") joined again.
#pragma once

#include <string>
#include <vector>

namespace reliability {

struct SystemCall {
    long pid = 0;
    std::string name;       // "openat"
    std::string arguments;  // everything between the parentheses, as strace prints it
    std::string result;     // "3", "-1 ENOENT (No such file or directory)", "?" when the process ended inside

    // The quoted strings among the arguments, unescaped as far as paths need.
    std::vector<std::string> strings() const;
    bool failed() const { return result.rfind("-1", 0) == 0; }
    std::string describe() const;
};

std::vector<SystemCall> parseStraceLog(const std::string& log);

}  // namespace reliability
