// The strace log reader and the file-access rules on hand-written logs:
// what a program must not do is reported, what its libraries do to start
// is not, and a call strace split over two lines is judged whole.
#include "tests/reliability/FileAccessRules.h"
#include "tests/reliability/StraceLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const reliability::RunFacts kRun{"/opt/quilvane/bin/quilvane", "/tmp/home", 7};

// A start as the real program makes it: exec, libraries, fonts, the X
// connection, its own executable.
const std::string kCleanStart =
    "100 execve(\"/opt/quilvane/bin/quilvane\", [\"/opt/quilvane/bin/quilvane\"], 0x7ffc /* 9 vars */) = 0\n"
    "100 openat(AT_FDCWD, \"/etc/ld.so.cache\", O_RDONLY|O_CLOEXEC) = 3\n"
    "100 openat(AT_FDCWD, \"/lib/x86_64-linux-gnu/libSDL2-2.0.so.0\", O_RDONLY|O_CLOEXEC) = 3\n"
    "100 readlink(\"/proc/self/exe\", \"/opt/quilvane/bin/quilvane\", 4095) = 26\n"
    "101 openat(AT_FDCWD, \"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf\", O_RDONLY <unfinished ...>\n"
    "100 access(\"/tmp/home/.Xauthority\", R_OK) = -1 ENOENT (No such file or directory)\n"
    "101 <... openat resumed>) = 5\n"
    "101 newfstatat(AT_FDCWD, \"/tmp/home/.cache/fontconfig\", 0x7f, 0) = -1 ENOENT (No such file or directory)\n"
    "100 socket(AF_UNIX, SOCK_STREAM|SOCK_CLOEXEC, 0) = 3\n"
    "100 connect(3, {sa_family=AF_UNIX, sun_path=@\"/tmp/.X11-unix/X7\"}, 20) = 0\n"
    "100 newfstatat(3, \"\", {st_mode=S_IFREG|0644, st_size=33, ...}, AT_EMPTY_PATH) = 0\n"
    "100 openat(AT_FDCWD, \"/dev/null\", O_RDWR) = 6\n"
    "100 openat(AT_FDCWD, \"/usr/share/X11/XKeysymDB\", O_RDONLY)       = -1 ENOENT (No such file or directory)\n"
    "101 +++ exited with 0 +++\n"
    "100 +++ exited with 0 +++\n";

std::vector<std::string> faultsOf(const std::string& log) {
    return reliability::fileAccessFaults(reliability::parseStraceLog(log), kRun);
}

}  // namespace

TEST(FileAccessRules, AStartThatOnlyLoadsWhatItNeedsIsClean) {
    EXPECT_EQ(faultsOf(kCleanStart), std::vector<std::string>{});
}

TEST(FileAccessRules, EveryForbiddenKindOfCallIsReported) {
    struct Row {
        const char* what;
        const char* line;
        const char* fault;
    };
    const Row rows[] = {
        {"a settings file read", "100 openat(AT_FDCWD, \"/tmp/home/.config/quilvane.ini\", O_RDONLY)    = 3",
         "looks at a file no library needs to start"},
        {"a file written", "100 openat(AT_FDCWD, \"/tmp/output.txt\", O_WRONLY|O_CREAT|O_TRUNC, 0666) = 4",
         "opens a file for writing"},
        {"a font cache written", "101 openat(AT_FDCWD, \"/tmp/home/.cache/fontconfig/x.cache-8\", O_RDWR|O_CREAT, 0666) = 4",
         "opens a file for writing"},
        {"a directory made", "100 mkdir(\"/tmp/home/.config\", 0700) = 0", "changes the file system"},
        {"a file removed", "100 unlink(\"/tmp/home/.Xauthority\") = 0", "changes the file system"},
        {"a file renamed", "100 rename(\"/tmp/a\", \"/tmp/b\") = 0", "changes the file system"},
        {"a relative path", "100 access(\"quilvane.HLP\", R_OK) = -1 ENOENT (No such file or directory)",
         "looks at a path relative to the working directory"},
        {"another program", "102 execve(\"/usr/bin/dbus-launch\", [\"dbus-launch\", \"--autolaunch\"], 0x7f /* 3 vars */) = -1 ENOENT",
         "starts another program"},
        {"a network socket", "100 socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) = 5", "opens a network socket"},
        {"another unix socket", "100 connect(5, {sa_family=AF_UNIX, sun_path=\"/run/user/0/bus\"}, 110) = 0",
         "connects elsewhere than to its X server"},
        {"another display", "100 connect(5, {sa_family=AF_UNIX, sun_path=@\"/tmp/.X11-unix/X8\"}, 20) = 0",
         "connects elsewhere than to its X server"},
        {"a listening socket", "100 bind(5, {sa_family=AF_UNIX, sun_path=\"/tmp/sock\"}, 12) = 0",
         "offers a socket to others"},
        {"another process's files", "100 openat(AT_FDCWD, \"/proc/1/environ\", O_RDONLY) = 3",
         "looks at a file no library needs to start"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string> faults = faultsOf(kCleanStart + row.line + "\n");
        ASSERT_EQ(faults.size(), 1u);
        EXPECT_EQ(faults.front().rfind(row.fault, 0), 0u) << faults.front();
    }
}

TEST(FileAccessRules, ASplitCallIsJudgedWithItsFlagsAndAnEmptyLogProvesNothing) {
    // The flags arrive before the split, the result after it.
    std::string split = kCleanStart +
                        "100 openat(AT_FDCWD, \"/tmp/home/notes.txt\", O_WRONLY|O_CREAT <unfinished ...>\n"
                        "101 openat(AT_FDCWD, \"/etc/fonts/fonts.conf\", O_RDONLY) = 7\n"
                        "100 <... openat resumed>, 0666) = 8\n";
    std::vector<reliability::SystemCall> calls = reliability::parseStraceLog(split);
    ASSERT_FALSE(calls.empty());
    const reliability::SystemCall& joined = calls.back();
    EXPECT_EQ(joined.name, "openat");
    EXPECT_EQ(joined.result, "8");
    EXPECT_EQ(joined.strings(), std::vector<std::string>{"/tmp/home/notes.txt"});
    std::vector<std::string> faults = reliability::fileAccessFaults(calls, kRun);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults.front().rfind("opens a file for writing", 0), 0u) << faults.front();

    EXPECT_EQ(faultsOf("").size(), 2u) << "no start and no X connection must both be reported";
}
