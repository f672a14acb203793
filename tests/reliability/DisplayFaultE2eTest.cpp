// The real program when its display goes away or is not there: the X server
// is ended while the program idles, while it waits in Detect Hardware,
// while a modal box or the system menu is up; and the program is started
// with no display, an unreachable one, or no usable font. Every time it
// ends at once with one clear line on standard error and status 1, and
// leaves no process behind.
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"
#include "tests/reliability/ProcessTree.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

using e2e::Millis;

constexpr Millis kAppear{10000};
// The program notices a lost display within this time, whatever it does:
// well inside the 2500 ms of the detection wait.
constexpr Millis kNoticeLoss{1000};
constexpr const char* kRecorderTitle = "QUILVANE v2.03";
constexpr const char* kLostMessage = "quilvane: the connection to the display was lost\n";

class ProgramOnDisplay {
public:
    bool start(std::string* why) {
        server_ = std::make_unique<e2e::XvfbServer>();
        if (!server_->running()) return fail(why, server_->error());
        screen_ = std::make_unique<e2e::ScreenClient>(server_->displayName());
        if (!screen_->connected()) return fail(why, screen_->error());
        program_ = std::make_unique<e2e::ProgramRun>(QV_PROGRAM, std::vector<std::string>{},
                                                     e2e::ProgramRun::Options{server_->displayName(), {}});
        if (!program_->started()) return fail(why, program_->error());
        recorder_ = screen_->findWindow(kRecorderTitle, kAppear).value_or(0);
        if (!recorder_) return fail(why, "the recorder window did not appear; stderr: " + program_->standardError());
        return true;
    }

    e2e::XvfbServer& server() { return *server_; }
    e2e::ScreenClient& screen() { return *screen_; }
    e2e::ProgramRun& program() { return *program_; }
    e2e::XWindowId recorder() const { return recorder_; }

    std::vector<std::uint32_t> recorderPicture() {
        auto g = screen_->geometry(recorder_);
        return g ? screen_->readPixels(g->x, g->y, g->width, g->height) : std::vector<std::uint32_t>{};
    }

    // Waits until the recorder window's pixels stop changing.
    std::vector<std::uint32_t> steadyRecorderPicture() {
        std::vector<std::uint32_t> last = recorderPicture();
        e2e::waitFor(
            [&] {
                std::vector<std::uint32_t> now = recorderPicture();
                bool same = now == last;
                last = std::move(now);
                return same;
            },
            Millis(3000), Millis(150));
        return last;
    }

private:
    static bool fail(std::string* why, const std::string& message) {
        *why = message;
        return false;
    }

    std::unique_ptr<e2e::XvfbServer> server_;
    std::unique_ptr<e2e::ScreenClient> screen_;
    std::unique_ptr<e2e::ProgramRun> program_;
    e2e::XWindowId recorder_ = 0;
};

struct DisplayLossCase {
    const char* name;
    // Brings the program to the state; returns false (with a message) when it could not.
    std::function<bool(ProgramOnDisplay&, std::string*)> reach;
};

bool pressDetectHardware(ProgramOnDisplay& p) {
    // Close has the focus at the start; Tab moves it to Detect Hardware.
    return p.screen().pressKey(XK_Tab) && p.screen().pressKey(XK_Return);
}

const DisplayLossCase kCases[] = {
    {"Idle", [](ProgramOnDisplay&, std::string*) { return true; }},
    {"InTheDetectionWait",
     [](ProgramOnDisplay& p, std::string* why) {
         if (!p.screen().pressKey(XK_Tab)) return false;
         std::vector<std::uint32_t> focusOnButton = p.steadyRecorderPicture();
         if (!p.screen().pressKey(XK_Return)) return false;
         // The greyed "Detecting..." button is shown just before the wait
         // begins; nothing else changes the window until it ends.
         if (!e2e::waitFor([&] { return p.recorderPicture() != focusOnButton; }, Millis(2000), Millis(10))) {
             *why = "the window never showed the detection starting";
             return false;
         }
         return true;
     }},
    {"UnderTheWarningBox",
     [](ProgramOnDisplay& p, std::string* why) {
         if (!pressDetectHardware(p)) return false;
         if (p.screen().findWindow("Warning", kAppear)) return true;
         *why = "the Warning box did not appear";
         return false;
     }},
    {"UnderTheAboutBox",
     [](ProgramOnDisplay& p, std::string* why) {
         if (!p.screen().pressKey(XK_space, e2e::WithAlt) || !p.screen().pressKey(XK_a)) return false;
         if (p.screen().findWindow("About quilvane", kAppear)) return true;
         *why = "the About box did not appear";
         return false;
     }},
    {"WithTheSystemMenuOpen",
     [](ProgramOnDisplay& p, std::string* why) {
         if (!p.screen().pressKey(XK_space, e2e::WithAlt)) return false;
         bool open = e2e::waitFor(
             [&] {
                 for (const auto& top : p.screen().mappedTopLevels())
                     if (p.screen().overrideRedirect(top.id)) return true;
                 return false;
             },
             kAppear, Millis(20));
         if (!open) *why = "the system menu did not open";
         return open;
     }},
};

void PrintTo(const DisplayLossCase& c, std::ostream* out) { *out << c.name; }

class DisplayLoss : public ::testing::TestWithParam<DisplayLossCase> {};

}  // namespace

TEST_P(DisplayLoss, TheProgramEndsAtOnceWithAMessageAndLeavesNoProcess) {
    ProgramOnDisplay p;
    std::string why;
    ASSERT_TRUE(p.start(&why)) << why;
    ASSERT_TRUE(GetParam().reach(p, &why)) << why;

    const pid_t pid = p.program().pid();
    EXPECT_EQ(reliability::describe(reliability::childrenOf(pid)), "none") << "the program started other processes";
    p.server().kill();
    const auto status = p.program().waitForExit(kNoticeLoss);
    ASSERT_TRUE(status) << "the program still runs " << kNoticeLoss.count() << " ms after its display was lost";
    EXPECT_EQ(status->describe(), "exit status 1");
    EXPECT_EQ(p.program().standardError(), kLostMessage);
    EXPECT_EQ(p.program().standardOutput(), "");
    EXPECT_FALSE(reliability::processExists(pid));
}

INSTANTIATE_TEST_SUITE_P(States, DisplayLoss, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<DisplayLossCase>& info) { return std::string(info.param.name); });

TEST(StartWithoutAScreen, TheProgramSaysWhyInOneLineAndEndsWithStatus1) {
    // A server for the case that has a display but no fonts.
    e2e::XvfbServer server;
    ASSERT_TRUE(server.running()) << server.error();
    const auto noFonts = std::filesystem::temp_directory_path() / "qv_reliability_no_fonts.conf";
    std::ofstream(noFonts) << "<?xml version=\"1.0\"?><fontconfig></fontconfig>\n";

    struct StartCase {
        const char* name;
        e2e::ProgramRun::Options options;
        const char* message;
    };
    const StartCase cases[] = {
        {"DISPLAY unset", {std::nullopt, {}},
         "quilvane: cannot open the display: DISPLAY is not set; set DISPLAY to a running X server\n"},
        // No test server ever gets a number this high.
        {"DISPLAY unreachable", {":59998", {}},
         "quilvane: cannot open display ':59998': no X server answers; set DISPLAY to a running X server\n"},
        {"no usable font", {server.displayName(), {{"FONTCONFIG_FILE", noFonts.string()}}},
         "quilvane: no usable font: fontconfig offers no face for"},
    };
    for (const StartCase& row : cases) {
        SCOPED_TRACE(row.name);
        e2e::ProgramRun program(QV_PROGRAM, {}, row.options);
        ASSERT_TRUE(program.started()) << program.error();
        const auto status = program.waitForExit(kAppear);
        ASSERT_TRUE(status) << "the program did not end";
        EXPECT_EQ(status->describe(), "exit status 1");
        const std::string& err = program.standardError();
        EXPECT_EQ(err.rfind(row.message, 0), 0u) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "not one line: " << err;
        EXPECT_EQ(program.standardOutput(), "");
    }
    std::filesystem::remove(noFonts);
}
