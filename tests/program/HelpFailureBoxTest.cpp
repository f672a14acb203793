// When the help engine cannot show the topic (the default engine never
// can), F1 shows "Failed to launch help.": an OK-only box with the
// exclamation icon, captioned with the program file's name, owned by the
// window in use. While it is up F1 does nothing; after it everything is as
// before and F1 asks again.
#include "tests/program/HelpTestSupport.h"

#include <memory>
#include <tuple>

using namespace sysmenu_test;
using namespace help_test;

namespace {

struct Place {
    const char* name;
    bool inAbout;
};

void PrintTo(const Place& r, std::ostream* os) { *os << r.name; }

struct Engine {
    const char* name;
    bool recording;  // a recording engine that fails; else the default engine
};

void PrintTo(const Engine& r, std::ostream* os) { *os << r.name; }

using Case = std::tuple<Place, Engine>;

class HelpFailureBox : public ::testing::TestWithParam<Case> {};

TEST_P(HelpFailureBox, ShownOverTheWindowInUseOnceAndUntilOk) {
    const auto& [place, engineKind] = GetParam();
    HeadlessProgram program;
    program.options().programPath = kProgramPath;
    std::unique_ptr<RecordingHelpEngine> engine;
    if (engineKind.recording) engine = std::make_unique<RecordingHelpEngine>(program, FALSE);
    auto calls = [&] { return engine ? engine->calls.size() : 0u; };
    HWND recorder = nullptr;
    HWND inUse = nullptr;
    HWND focusBefore = nullptr;
    HWND box = nullptr;
    std::string recorderBefore;
    std::string inUseBefore;
    std::vector<std::uint32_t> pixelsBefore;

    program.then([&] {
        recorder = program.recorder();
        recorderBefore = describeWindow(recorder);
        if (place.inAbout) {
            program.key(VK_SPACE, display::ModAlt);
            program.key('A');
        }
    });
    program.then([&] {
        inUse = place.inAbout ? program.topLevel(kAboutTitle) : recorder;
        ASSERT_NE(inUse, nullptr);
        focusBefore = GetFocus();
        inUseBefore = describeWindow(inUse, false);
        pixelsBefore = presentedPixels(program, inUse);
        program.key(VK_F1);
    });
    program.then([&] {
        std::vector<HWND> boxes = failureBoxes(program);
        ASSERT_EQ(boxes.size(), 1u) << "no failure box";
        box = boxes[0];
        if (engine) {
            ASSERT_EQ(calls(), 1u);
            EXPECT_EQ(engine->calls[0].data, place.inAbout ? kAboutContext : kRecorderContext);
        }
        EXPECT_EQ(HeadlessProgram::text(box), "quilvane") << "captioned with the program file's name";
        EXPECT_EQ(GetWindow(box, GW_OWNER), inUse);
        EXPECT_FALSE(IsWindowEnabled(inUse));
        EXPECT_FALSE(IsWindowEnabled(recorder));
        EXPECT_EQ(GetActiveWindow(), box);
        EXPECT_EQ(hexOf(promptContext()), hexOf(kFailurePromptContext));
        EXPECT_EQ(program.screen().cursor(), display::Cursor::Arrow) << "the wait cursor is gone before the box";

        // The exclamation icon, the text and one OK button, nothing else.
        int icons = 0;
        int buttons = 0;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const std::string cls = HeadlessProgram::className(c);
            if (cls == "Static" && (HeadlessProgram::style(c) & SS_TYPEMASK) == SS_ICON) {
                ++icons;
                EXPECT_EQ(SendMessageA(c, STM_GETICON, 0, 0),
                          reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_EXCLAMATION)));
            } else if (cls == "Button") {
                ++buttons;
                EXPECT_EQ(GetDlgCtrlID(c), IDOK);
                EXPECT_EQ(HeadlessProgram::text(c), "OK");
            } else {
                EXPECT_EQ(HeadlessProgram::text(c), kFailureText) << cls;
            }
        }
        EXPECT_EQ(icons, 1);
        EXPECT_EQ(buttons, 1);
        EXPECT_EQ(GetFocus(), GetDlgItem(box, IDOK));
        if (!place.inAbout && !engine) writePictureOf(program, box, "help_failure_box");
        program.key(VK_F1);
    });
    program.then([&] {
        // F1 while the box is up: no second box and no request.
        EXPECT_EQ(failureBoxes(program), std::vector<HWND>{box});
        EXPECT_EQ(calls(), engine ? 1u : 0u);
        EXPECT_EQ(GetActiveWindow(), box);
        EXPECT_EQ(hexOf(promptContext()), hexOf(kFailurePromptContext));
        program.clickOn(GetDlgItem(box, IDOK));
    });
    program.then([&] {
        EXPECT_FALSE(IsWindow(box));
        EXPECT_TRUE(failureBoxes(program).empty());
        EXPECT_EQ(promptContext(), 0u);
        EXPECT_TRUE(IsWindowEnabled(inUse));
        EXPECT_EQ(IsWindowEnabled(recorder) != FALSE, !place.inAbout);
        EXPECT_EQ(GetActiveWindow(), inUse);
        EXPECT_EQ(GetFocus(), focusBefore);
        EXPECT_EQ(describeWindow(inUse, false), inUseBefore);
        if (!place.inAbout) {
            EXPECT_EQ(describeWindow(recorder), recorderBefore);
        }
        EXPECT_EQ(differingPixels(presentedPixels(program, inUse), pixelsBefore), 0u) << "the window looks as before";
        // F1 asks again, and Escape dismisses the box like OK.
        program.key(VK_F1);
    });
    program.then([&] {
        ASSERT_EQ(failureBoxes(program).size(), 1u);
        EXPECT_EQ(calls(), engine ? 2u : 0u);
        EXPECT_EQ(GetWindow(failureBoxes(program)[0], GW_OWNER), inUse);
        program.key(VK_ESCAPE);
    });
    program.then([&] {
        EXPECT_TRUE(failureBoxes(program).empty());
        EXPECT_EQ(promptContext(), 0u);
        EXPECT_EQ(GetActiveWindow(), inUse);
        EXPECT_EQ(GetFocus(), focusBefore);
        program.key(VK_ESCAPE);
    });
    if (place.inAbout) program.then([&] {
        EXPECT_EQ(program.topLevel(kAboutTitle), nullptr);
        EXPECT_EQ(describeWindow(recorder), recorderBefore);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpFailureBox,
                         ::testing::Combine(::testing::Values(Place{"InRecorder", false}, Place{"InAboutBox", true}),
                                            ::testing::Values(Engine{"DefaultEngine", false},
                                                              Engine{"FailingRecordingEngine", true})),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

}  // namespace
