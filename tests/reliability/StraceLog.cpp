#include "tests/reliability/StraceLog.h"

#include <cctype>
#include <map>
#include <sstream>

namespace reliability {

namespace {

constexpr const char* kUnfinished = " <unfinished ...>";

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "name(arguments) = result", the arguments possibly holding parentheses and
// quoted strings; the result follows the last " = ", after the ')'.
bool splitCall(const std::string& text, SystemCall& call) {
    std::size_t open = text.find('(');
    if (open == std::string::npos || open == 0) return false;
    for (std::size_t i = 0; i < open; ++i)
        if (!std::isalnum(static_cast<unsigned char>(text[i])) && text[i] != '_') return false;
    call.name = text.substr(0, open);
    // strace pads short calls to a column: ")      = 3".
    std::size_t equals = text.rfind(" = ");
    std::size_t close = equals == std::string::npos ? std::string::npos : text.find_last_not_of(' ', equals);
    if (close != std::string::npos && text[close] != ')') close = std::string::npos;
    if (close == std::string::npos || close < open) {
        // The process ended inside the call: "exit_group(0) = ?" has a
        // result, a call cut short by the end has none.
        std::size_t last = text.rfind(')');
        call.arguments = text.substr(open + 1, last == std::string::npos || last < open ? std::string::npos : last - open - 1);
        call.result = "?";
        return true;
    }
    call.arguments = text.substr(open + 1, close - open - 1);
    call.result = text.substr(equals + 3);
    return true;
}

}  // namespace

std::vector<std::string> SystemCall::strings() const {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != '"') continue;
        std::string s;
        for (++i; i < arguments.size() && arguments[i] != '"'; ++i) {
            if (arguments[i] == '\\' && i + 1 < arguments.size()) ++i;
            s += arguments[i];
        }
        found.push_back(s);
    }
    return found;
}

std::string SystemCall::describe() const {
    std::ostringstream out;
    out << pid << " " << name << "(" << arguments << ") = " << result;
    return out.str();
}

std::vector<SystemCall> parseStraceLog(const std::string& log) {
    std::vector<SystemCall> calls;
    std::map<long, std::string> unfinished;  // per process, the first half of a split call
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        long pid = 0;
        if (!(fields >> pid)) continue;
        std::string rest;
        std::getline(fields >> std::ws, rest);
        if (rest.rfind("---", 0) == 0 || rest.rfind("+++", 0) == 0) continue;  // signals and exits
        if (endsWith(rest, kUnfinished)) {
            unfinished[pid] = rest.substr(0, rest.size() - std::string(kUnfinished).size());
            continue;
        }
        if (rest.rfind("<... ", 0) == 0) {
            // "<... openat resumed>, O_RDONLY) = 3" completes the first half.
            std::size_t end = rest.find("resumed>");
            auto first = unfinished.find(pid);
            if (end == std::string::npos || first == unfinished.end()) continue;
            rest = first->second + rest.substr(end + 8);
            unfinished.erase(first);
        }
        SystemCall call;
        call.pid = pid;
        if (splitCall(rest, call)) calls.push_back(call);
    }
    // Calls the process never came back from still count.
    for (auto& [pid, first] : unfinished) {
        SystemCall call;
        call.pid = pid;
        if (splitCall(first + ")", call)) calls.push_back(call);
    }
    return calls;
}

}  // namespace reliability
