// The real program under strace on a private Xvfb: opened, shown and closed
// with Escape, it looks only at the files its libraries need to start
// (FileAccessRules.cpp lists them with their reasons), writes, creates and
// removes nothing, starts no other program, and opens no socket but the one
// to its X server. Its home directory, empty before, is empty after.
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"
#include "tests/reliability/FileAccessRules.h"
#include "tests/reliability/StraceLog.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using e2e::Millis;

// strace slows the start down several times.
constexpr Millis kAppearTraced{30000};

class ScratchDirectory {
public:
    ScratchDirectory() {
        path_ = std::filesystem::temp_directory_path() / ("qv_no_files_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "home");
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::filesystem::path home() const { return path_ / "home"; }
    std::filesystem::path log() const { return path_ / "strace.log"; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(NoFilesNoSettings, TheProgramReadsOnlyWhatItsLibrariesNeedWritesNothingAndTalksOnlyToX) {
    e2e::XvfbServer server;
    ASSERT_TRUE(server.running()) << server.error();
    e2e::ScreenClient screen(server.displayName());
    ASSERT_TRUE(screen.connected()) << screen.error();
    ScratchDirectory scratch;

    // A home of its own, and none of the variables that point elsewhere:
    // whatever the program looked for in a user's settings would show there.
    // No session bus either, the case where D-Bus would start one itself.
    e2e::ProgramRun::Options options{server.displayName(), {{"HOME", scratch.home().string()}}};
    for (const char* name : {"XAUTHORITY", "XCOMPOSEFILE", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                             "XDG_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS", "FONTCONFIG_FILE"})
        options.environment[name] = std::nullopt;
    e2e::ProgramRun traced("strace",
                           {"-f", "-s", "4096", "-e", "trace=file,network", "-o", scratch.log().string(), QV_PROGRAM},
                           options);
    ASSERT_TRUE(traced.started()) << traced.error();
    ASSERT_TRUE(screen.findWindow("QUILVANE v2.03", kAppearTraced))
        << "the window did not appear under strace; stderr:\n" << traced.standardError();
    ASSERT_TRUE(screen.pressKey(XK_Escape));
    const auto status = traced.waitForExit(kAppearTraced);
    ASSERT_TRUE(status) << "the program did not end after Escape";
    EXPECT_EQ(status->describe(), "exit status 0") << traced.standardError();

    const std::vector<reliability::SystemCall> calls = reliability::parseStraceLog(readFile(scratch.log()));
    reliability::RunFacts run;
    run.program = QV_PROGRAM;
    run.home = scratch.home().string();
    run.displayNumber = std::stoi(server.displayName().substr(1));
    for (const std::string& fault : reliability::fileAccessFaults(calls, run)) ADD_FAILURE() << fault;

    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch.home())) left.push_back(entry.path());
    EXPECT_TRUE(left.empty()) << "the program left " << left.size() << " entries in its home directory, the first "
                              << (left.empty() ? "" : left.front());
}
