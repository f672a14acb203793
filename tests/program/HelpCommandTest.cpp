// F1 asks the help engine for the help context of the window in use: the
// recorder window's or, while it is open, the About box's; always for the
// main window's top level, in the help file beside the program, with the
// wait cursor shown meanwhile. F1 with Shift, Ctrl or Alt asks for nothing.
#include "tests/program/HelpTestSupport.h"

#include <algorithm>
#include <tuple>

using namespace sysmenu_test;
using namespace help_test;

namespace {

struct Place {
    const char* name;
    bool inAbout;
    int focusId;  // the recorder's control with the focus
    DWORD context;
};

void PrintTo(const Place& r, std::ostream* os) { *os << r.name; }

const std::vector<Place> kPlaces = {
    {"RecorderFocusOnClose", false, IDOK, kRecorderContext},
    {"RecorderFocusOnDetectHardware", false, IDC_DETECT_HARDWARE, kRecorderContext},
    {"AboutBox", true, IDOK, kAboutContext},
};

struct Modifiers {
    const char* name;
    unsigned bits;
};

void PrintTo(const Modifiers& r, std::ostream* os) { *os << r.name; }

const std::vector<Modifiers> kModifiers = {
    {"F1", 0},
    {"ShiftF1", display::ModShift},
    {"CtrlF1", display::ModCtrl},
    {"AltF1", display::ModAlt},
    {"CtrlShiftF1", display::ModCtrl | display::ModShift},
};

using Case = std::tuple<Place, Modifiers>;

class HelpRequest : public ::testing::TestWithParam<Case> {};

TEST_P(HelpRequest, AsksForTheContextOfTheWindowInUseOnlyForPlainF1) {
    const auto& [place, modifiers] = GetParam();
    HeadlessProgram program;
    program.options().programPath = kProgramPath;
    RecordingHelpEngine engine(program, TRUE);
    HWND recorder = nullptr;
    HWND inUse = nullptr;
    HWND focusBefore = nullptr;
    std::string recorderBefore;
    std::size_t logBefore = 0;

    program.then([&] {
        recorder = program.recorder();
        if (place.focusId != IDOK) program.key(VK_TAB);
    });
    program.then([&] {
        if (place.inAbout) {
            program.key(VK_SPACE, display::ModAlt);
            program.key('A');
        }
    });
    program.then([&] {
        inUse = place.inAbout ? program.topLevel(kAboutTitle) : recorder;
        ASSERT_NE(inUse, nullptr);
        focusBefore = GetFocus();
        ASSERT_EQ(focusBefore, place.inAbout ? GetDlgItem(inUse, IDOK) : program.control(place.focusId));
        recorderBefore = describeWindow(recorder);
        logBefore = program.screen().log().size();
        program.key(VK_F1, modifiers.bits);
    });
    program.then([&] {
        if (modifiers.bits == 0) {
            ASSERT_EQ(engine.calls.size(), 1u);
            const HelpCall& call = engine.calls[0];
            EXPECT_EQ(call.window, recorder) << "the main window's top level";
            EXPECT_EQ(call.file, kHelpFile);
            EXPECT_EQ(call.command, HELP_CONTEXT);
            EXPECT_EQ(hexOf(static_cast<unsigned>(call.data)), hexOf(place.context));
            EXPECT_EQ(call.cursor, display::Cursor::Wait) << "the wait cursor is up while the engine is asked";
            // The wait cursor came and went around the request.
            std::vector<std::string> cursorLines;
            const auto& log = program.screen().log();
            for (std::size_t i = logBefore; i < log.size(); ++i)
                if (log[i].rfind("cursor ", 0) == 0) cursorLines.push_back(log[i]);
            EXPECT_EQ(cursorLines, (std::vector<std::string>{"cursor wait", "cursor arrow"}));
        } else {
            EXPECT_TRUE(engine.calls.empty())
                << "asked for context " << hexOf(static_cast<unsigned>(engine.calls[0].data));
        }
        EXPECT_EQ(program.screen().cursor(), display::Cursor::Arrow);
        // A shown topic leaves everything as it was.
        EXPECT_TRUE(failureBoxes(program).empty());
        EXPECT_EQ(program.visibleTopLevels().size(), place.inAbout ? 2u : 1u);
        EXPECT_EQ(GetActiveWindow(), inUse);
        EXPECT_EQ(GetFocus(), focusBefore);
        EXPECT_EQ(describeWindow(recorder), recorderBefore);
        EXPECT_EQ(promptContext(), 0u);
        program.key(VK_ESCAPE);
    });
    if (place.inAbout) program.then([&] {
        EXPECT_EQ(program.topLevel(kAboutTitle), nullptr);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const Place& p : kPlaces)
        for (const Modifiers& m : kModifiers) cases.emplace_back(p, m);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Keys, HelpRequest, ::testing::ValuesIn(allCases()), [](const auto& info) {
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
});

// Asking twice asks twice: nothing is remembered between requests.
TEST(HelpCommand, EveryF1AsksAgain) {
    HeadlessProgram program;
    RecordingHelpEngine engine(program, TRUE);
    program.then([&] {
        program.key(VK_F1);
        program.key(VK_F1);
    });
    program.then([&] {
        ASSERT_EQ(engine.calls.size(), 2u);
        EXPECT_EQ(engine.calls[0].data, kRecorderContext);
        EXPECT_EQ(engine.calls[1].data, kRecorderContext);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

}  // namespace

namespace {

// F1 while the mouse holds Detect Hardware down: the request cancels the
// press (the button lets the mouse go and comes up), so releasing the mouse
// afterwards clicks nothing.
TEST(HelpCommand, CancelsTheMousePressOfAButton) {
    HeadlessProgram program;
    RecordingHelpEngine engine(program, TRUE);
    HWND detect = nullptr;
    program.then([&] {
        detect = program.control(IDC_DETECT_HARDWARE);
        program.screen().mouseMove(HeadlessProgram::centre(detect));
        program.screen().buttonDown(HeadlessProgram::centre(detect));
    });
    program.then([&] {
        ASSERT_EQ(GetCapture(), detect);
        EXPECT_TRUE(SendMessageA(detect, BM_GETSTATE, 0, 0) & BST_PUSHED);
        program.key(VK_F1);
    });
    program.then([&] {
        ASSERT_EQ(engine.calls.size(), 1u);
        EXPECT_EQ(engine.calls[0].data, kRecorderContext);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(SendMessageA(detect, BM_GETSTATE, 0, 0) & BST_PUSHED);
        program.screen().buttonUp(HeadlessProgram::centre(detect));
    });
    program.then([&] {
        EXPECT_TRUE(program.screen().sleeps().empty()) << "the release clicked Detect Hardware";
        EXPECT_EQ(program.visibleTopLevels().size(), 1u);
        EXPECT_EQ(HeadlessProgram::text(detect), "Detect Hardware");
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

}  // namespace
