// quilvane_snapshot, run.sh's helper on machines without a display: the
// display check, the picture of the real program taken on a private X
// server, and a clear failure when that cannot be done.
#include "tests/e2e/ProgramOnScreen.h"

#include <unistd.h>

#include <map>

namespace e2e {
namespace {

constexpr Millis kToolTimeout{60000};

class SnapshotTool : public ProgramOnScreen {
protected:
    struct Result {
        ExitStatus status;
        std::string out;
        std::string err;
    };

    std::optional<Result> runTool(const std::vector<std::string>& arguments, std::optional<std::string> display,
                                  std::map<std::string, std::optional<std::string>> environment = {}) {
        ProgramRun tool(QV_SNAPSHOT, arguments, {display, environment});
        if (!tool.started()) {
            ADD_FAILURE() << tool.error();
            return std::nullopt;
        }
        const std::optional<ExitStatus> status = tool.waitForExit(kToolTimeout);
        if (!status) {
            ADD_FAILURE() << "quilvane_snapshot " << arguments.front() << " did not end in time";
            return std::nullopt;
        }
        return Result{*status, tool.standardOutput(), tool.standardError()};
    }

    std::string temporaryPng() {
        char path[] = "/tmp/qv-snapshot-XXXXXX.png";
        const int fd = ::mkstemps(path, 4);
        if (fd >= 0) ::close(fd);
        m_files.push_back(path);
        return path;
    }

    void TearDown() override {
        for (const std::string& file : m_files) ::unlink(file.c_str());
    }

private:
    std::vector<std::string> m_files;
};

TEST_F(SnapshotTool, ChecksWhetherTheDisplayOpens) {
    ASSERT_TRUE(startScreen());
    struct Row {
        const char* name;
        std::optional<std::string> display;
        int status;
    };
    const Row rows[] = {
        {"a running X server", displayName(), 0},
        {"DISPLAY unset", std::nullopt, 1},
        {"no server at DISPLAY", ":4093", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<Result> result = runTool({"--check-display"}, row.display);
        ASSERT_TRUE(result);
        EXPECT_TRUE(result->status.exited);
        EXPECT_EQ(result->status.code, row.status);
        EXPECT_EQ(result->out + result->err, "") << "the check is quiet";
    }
}

TEST_F(SnapshotTool, SavesThePictureOfTheProgramShownOnAPrivateServer) {
    // The tool's own server has a 1024x768 screen with a task bar of 30
    // pixels, like the headless default.
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    const std::string out = temporaryPng();
    const std::optional<Result> result =
        runTool({"--xvfb", "--program", QV_PROGRAM, "--title", kRecorderTitle, "--out", out, "--", "--ignored"},
                std::nullopt);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->status.exited && result->status.code == 0) << result->status.describe() << ": " << result->err;
    EXPECT_NE(result->out.find(out), std::string::npos) << "it says where the picture is: " << result->out;
    std::string error;
    const std::optional<Picture> saved = readPng(out, &error);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(differences(*saved, initial->picture), "");
}

TEST_F(SnapshotTool, FailsWithAClearMessage) {
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        const char* says;
    };
    const std::string out = temporaryPng();
    const Row rows[] = {
        {"the program is missing",
         {"--xvfb", "--program", "/nonexistent/quilvane", "--title", kRecorderTitle, "--out", out},
         "cannot start /nonexistent/quilvane"},
        {"the program ends without a window",
         {"--xvfb", "--program", "/bin/false", "--title", kRecorderTitle, "--out", out},
         "no window titled \"QUILVANE v2.03\" appeared: the program ended (exit status 1)"},
        {"the picture cannot be written",
         {"--xvfb", "--program", QV_PROGRAM, "--title", kRecorderTitle, "--out", "/nonexistent/dir/q.png"},
         "cannot write PNG file \"/nonexistent/dir/q.png\""},
        {"an unknown option", {"--xvfb", "--colour", "red"}, "unknown option --colour"},
        {"Xvfb is not installed",
         {"--xvfb", "--program", QV_PROGRAM, "--title", kRecorderTitle, "--out", out},
         "cannot start a private X server: cannot start Xvfb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // Without Xvfb on the PATH the tool cannot find it.
        std::map<std::string, std::optional<std::string>> environment;
        if (std::string(row.name) == "Xvfb is not installed") environment["PATH"] = "/nonexistent";
        const std::optional<Result> result = runTool(row.arguments, std::nullopt, environment);
        ASSERT_TRUE(result);
        EXPECT_TRUE(result->status.exited);
        EXPECT_NE(result->status.code, 0);
        EXPECT_NE(result->err.find(row.says), std::string::npos) << result->err;
    }
}

}  // namespace
}  // namespace e2e
