#include "tests/reliability/FileAccessRules.h"

#include <regex>
#include <set>

namespace reliability {

// Every path the program's libraries look at to start, and why. Anything
// else - a settings file, a file of its own, a user's document - is a fault.
const std::vector<AllowedPath> kAllowedPaths = {
    {R"(/etc/ld\.so\.(cache|preload))", "the dynamic loader's library cache and preload list"},
    {R"(/(usr/)?lib(32|64|x32)?/.*)",
     "shared libraries, loaded at start and by dlopen (SDL opens parts of X11 and libdbus itself), with the "
     "loader's search of hardware-specific subdirectories; the locale archive lives here too"},
    {R"(/etc/fonts(/.*)?)", "fontconfig's configuration"},
    {R"(/usr/share/fontconfig(/.*)?)", "fontconfig's configuration snippets, linked from /etc/fonts/conf.d"},
    {R"(/(usr|usr/local)/share/fonts(/.*)?)", "the installed fonts, which fontconfig scans and pango loads"},
    {R"(/var/cache/fontconfig(/.*)?)", "fontconfig's system-wide font caches"},
    {R"(~/\.(cache/fontconfig|fontconfig|config/fontconfig|local/share/fonts|fonts|fonts\.conf|fonts\.conf\.d)(/.*)?)",
     "where fontconfig looks for a user's fonts, configuration and caches"},
    {R"(~/\.Xauthority)", "the X authority file, with the credentials of the X connection"},
    {R"(/usr/share/X11/locale(/.*)?)", "Xlib's locale and compose tables, read as it opens the display"},
    {R"(/usr/share/X11/XKeysymDB)", "Xlib's database of key names"},
    {R"(~/\.XCompose)", "Xlib looking for a user's compose file"},
    {R"(/var/cache/libx11/compose/?)", "Xlib looking for its compose-table cache"},
    {R"(/usr/share/X11/xkb(/.*)?)", "libxkbcommon's keyboard maps"},
    {R"(/usr/share/locale(/.*)?)", "the libraries' own message catalogs for the locale"},
    {R"(/proc/(self|thread-self)/.*)", "the process's own entries: its executable's path, its open descriptors"},
    {R"(/proc/filesystems)", "the list of file system types, read by libmount and libselinux as they load"},
    {R"(/etc/selinux/config|/selinux|/sys/fs/selinux)", "libselinux checking as it loads whether SELinux is on"},
    {R"(/proc/sys/fs/binfmt_misc/WSLInterop|/run/WSL)", "SDL checking whether it runs under WSL"},
    {R"(/dev/.*)", "devices the libraries use (/dev/null, /dev/urandom)"},
};

namespace {

// Calls that name a path and only look at it.
const std::set<std::string> kLookingCalls = {
    "open",  "openat", "openat2",  "access",   "faccessat", "faccessat2", "stat",     "lstat",     "newfstatat",
    "statx", "statfs", "readlink", "readlinkat", "getxattr", "lgetxattr",  "listxattr", "llistxattr", "chdir",
    "inotify_add_watch"};

// Calls that change the file system, whatever their path.
const std::set<std::string> kChangingCalls = {
    "creat",    "mknod",     "mknodat",   "mkdir",  "mkdirat", "rmdir",    "unlink",   "unlinkat", "rename",
    "renameat", "renameat2", "link",      "linkat", "symlink", "symlinkat", "chmod",   "fchmodat", "chown",
    "lchown",   "fchownat",  "truncate",  "utime",  "utimes",  "utimensat", "futimesat", "setxattr", "lsetxattr",
    "removexattr", "lremovexattr"};

const std::set<std::string> kServerCalls = {"bind", "listen", "accept", "accept4"};

std::string escapeForRegex(const std::string& text) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

bool opensForWriting(const SystemCall& call) {
    for (const char* flag : {"O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND"})
        if (call.arguments.find(flag) != std::string::npos) return true;
    return false;
}

std::string firstPath(const SystemCall& call) {
    for (const std::string& s : call.strings())
        if (!s.empty()) return s;
    return {};
}

}  // namespace

std::vector<std::string> fileAccessFaults(const std::vector<SystemCall>& calls, const RunFacts& run) {
    std::vector<std::regex> allowed;
    const std::string home = escapeForRegex(run.home);
    for (const AllowedPath& rule : kAllowedPaths) {
        std::string pattern = rule.pattern;
        if (pattern.rfind("~", 0) == 0) pattern = home + pattern.substr(1);
        allowed.emplace_back(pattern);
    }
    // The program's own file, and /proc entries of its own processes.
    allowed.emplace_back(escapeForRegex(run.program));
    std::set<long> pids;
    for (const SystemCall& call : calls) pids.insert(call.pid);
    for (long pid : pids) allowed.emplace_back("/proc/" + std::to_string(pid) + "/.*");
    auto isAllowed = [&](const std::string& path) {
        for (const std::regex& r : allowed)
            if (std::regex_match(path, r)) return true;
        return false;
    };
    const std::string xSocket = "/tmp/.X11-unix/X" + std::to_string(run.displayNumber);

    std::vector<std::string> faults;
    bool programStarted = false;
    bool xConnected = false;
    for (const SystemCall& call : calls) {
        const std::string path = firstPath(call);
        if (call.name == "execve" || call.name == "execveat") {
            if (!programStarted && path == run.program) {
                programStarted = true;
                continue;
            }
            faults.push_back("starts another program: " + call.describe());
        } else if (kChangingCalls.count(call.name)) {
            faults.push_back("changes the file system: " + call.describe());
        } else if ((call.name == "open" || call.name == "openat" || call.name == "openat2") && opensForWriting(call) &&
                   path.rfind("/dev/", 0) != 0) {
            faults.push_back("opens a file for writing: " + call.describe());
        } else if (kLookingCalls.count(call.name)) {
            if (path.empty()) continue;  // a call on a descriptor (AT_EMPTY_PATH)
            if (path.front() != '/')
                faults.push_back("looks at a path relative to the working directory: " + call.describe());
            else if (!isAllowed(path))
                faults.push_back("looks at a file no library needs to start: " + call.describe());
        } else if (call.name == "socket") {
            if (call.arguments.rfind("AF_UNIX", 0) != 0) faults.push_back("opens a network socket: " + call.describe());
        } else if (call.name == "connect") {
            bool toX = call.arguments.find("sun_path=@\"" + xSocket + "\"") != std::string::npos ||
                       call.arguments.find("sun_path=\"" + xSocket + "\"") != std::string::npos;
            if (toX)
                xConnected = true;
            else
                faults.push_back("connects elsewhere than to its X server: " + call.describe());
        } else if (kServerCalls.count(call.name)) {
            faults.push_back("offers a socket to others: " + call.describe());
        } else if ((call.name == "sendto" || call.name == "sendmsg") && call.arguments.find("sa_family=") != std::string::npos) {
            faults.push_back("sends to an address: " + call.describe());
        }
    }
    if (!programStarted) faults.push_back("the log does not show " + run.program + " starting");
    if (!xConnected) faults.push_back("the log shows no connection to " + xSocket);
    return faults;
}

}  // namespace reliability
