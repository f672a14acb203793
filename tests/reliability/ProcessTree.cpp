#include "tests/reliability/ProcessTree.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace reliability {

std::vector<ProcessInfo> childrenOf(pid_t parent) {
    std::vector<ProcessInfo> children;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0]))) continue;
        std::ifstream in(entry.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat)) continue;  // the process ended meanwhile
        // "pid (command) state ppid ...": the command may hold spaces and
        // parentheses, so the fields after it start at the last ')'.
        const std::size_t open = stat.find('(');
        const std::size_t close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) continue;
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        long ppid = 0;
        if (!(rest >> state >> ppid) || ppid != parent) continue;
        children.push_back({static_cast<pid_t>(std::stol(name)), stat.substr(open + 1, close - open - 1)});
    }
    return children;
}

bool processExists(pid_t pid) { return std::filesystem::exists("/proc/" + std::to_string(pid)); }

std::string describe(const std::vector<ProcessInfo>& processes) {
    std::string text;
    for (const ProcessInfo& p : processes)
        text += (text.empty() ? "" : ", ") + std::to_string(p.pid) + " (" + p.command + ")";
    return text.empty() ? "none" : text;
}

}  // namespace reliability
