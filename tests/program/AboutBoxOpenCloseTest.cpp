// Every way of choosing the About entry, every way of closing the About
// box, from either of the two controls that can hold the focus: the box
// opens owned by the recorder window, which is disabled while it is up, and
// closing it gives back the recorder window exactly as it was, with the
// focus where it was.
#include "tests/program/SystemMenuTestSupport.h"

#include <functional>
#include <tuple>

using namespace sysmenu_test;

namespace {

// Opening the system menu (one step) and choosing the About entry in it
// (the next step, with the menu open).
struct Opener {
    const char* name;
    std::function<void(HeadlessProgram&, HWND recorder)> open;
    std::function<void(HeadlessProgram&, HWND popup)> choose;
};

void PrintTo(const Opener& r, std::ostream* os) { *os << r.name; }

void clickAboutItem(HeadlessProgram& program, HWND popup) {
    HMENU menu = GetSystemMenu(program.recorder(), FALSE);
    program.click(centreOf(popupItemRect(popup, menu, 3)));
}

const std::vector<Opener> kOpeners = {
    {"CaptionIconThenClick",
     [](HeadlessProgram& p, HWND recorder) { p.click(captionIconPoint(recorder)); },
     clickAboutItem},
    {"CaptionIconPressedDraggedToItem",
     [](HeadlessProgram& p, HWND recorder) { p.screen().buttonDown(captionIconPoint(recorder)); },
     [](HeadlessProgram& p, HWND popup) {
         POINT item = centreOf(popupItemRect(popup, GetSystemMenu(p.recorder(), FALSE), 3));
         p.screen().mouseMove(item);
         p.screen().buttonUp(item);
     }},
    {"RightClickOnCaptionThenClick",
     [](HeadlessProgram& p, HWND recorder) { p.click(captionTitlePoint(recorder), display::MouseButton::Right); },
     clickAboutItem},
    {"AltSpaceThenA",
     [](HeadlessProgram& p, HWND) { p.key(VK_SPACE, display::ModAlt); },
     [](HeadlessProgram& p, HWND) { p.key('A'); }},
    {"AltHeldAroundSpaceThenA",
     [](HeadlessProgram& p, HWND) {
         p.screen().keyDown(VK_MENU, display::ModAlt);
         p.key(VK_SPACE, display::ModAlt);
         p.screen().keyUp(VK_MENU, 0);
     },
     [](HeadlessProgram& p, HWND) { p.key('A'); }},
    {"AltSpaceDownDownEnter",
     [](HeadlessProgram& p, HWND) { p.key(VK_SPACE, display::ModAlt); },
     [](HeadlessProgram& p, HWND) {
         p.key(VK_DOWN);
         p.key(VK_DOWN);
         p.key(VK_RETURN);
     }},
    {"AltSpaceUpWrapsEnter",
     [](HeadlessProgram& p, HWND) { p.key(VK_SPACE, display::ModAlt); },
     [](HeadlessProgram& p, HWND) {
         p.key(VK_UP);
         p.key(VK_RETURN);
     }},
};

struct Closer {
    const char* name;
    std::function<void(HeadlessProgram&, HWND about)> close;
};

void PrintTo(const Closer& r, std::ostream* os) { *os << r.name; }

const std::vector<Closer> kClosers = {
    {"OkButton", [](HeadlessProgram& p, HWND about) { p.clickOn(GetDlgItem(about, IDOK)); }},
    {"Enter", [](HeadlessProgram& p, HWND) { p.key(VK_RETURN); }},
    {"Escape", [](HeadlessProgram& p, HWND) { p.key(VK_ESCAPE); }},
    {"CloseBox", [](HeadlessProgram& p, HWND about) { p.click(captionClosePoint(about)); }},
    {"SpaceOnOk", [](HeadlessProgram& p, HWND) { p.key(VK_SPACE); }},
    {"AltF4", [](HeadlessProgram& p, HWND) { p.key(VK_F4, display::ModAlt); }},
    {"OwnMenuClose",
     [](HeadlessProgram& p, HWND) {
         p.key(VK_SPACE, display::ModAlt);
         p.key('C');
     }},
};

struct FocusStart {
    const char* name;
    int controlId;
};

void PrintTo(const FocusStart& r, std::ostream* os) { *os << r.name; }

const std::vector<FocusStart> kFocusStarts = {{"FocusOnClose", IDOK}, {"FocusOnDetectHardware", IDC_DETECT_HARDWARE}};

using Case = std::tuple<Opener, Closer, FocusStart>;

class AboutBoxOpenClose : public ::testing::TestWithParam<Case> {};

TEST_P(AboutBoxOpenClose, OpensOverTheRecorderAndGivesItBackUnchanged) {
    const auto& [opener, closer, focusStart] = GetParam();
    HeadlessProgram program;
    HWND recorder = nullptr;
    HWND focusBefore = nullptr;
    std::string before;
    std::vector<std::uint32_t> pixelsBefore;
    HWND about = nullptr;

    program.then([&] {
        recorder = program.recorder();
        ASSERT_NE(recorder, nullptr);
        // Tab moves the focus from Close to Detect Hardware, the only other tab stop.
        if (focusStart.controlId != IDOK) program.key(VK_TAB);
    });
    program.then([&] {
        focusBefore = GetFocus();
        ASSERT_EQ(focusBefore, program.control(focusStart.controlId));
        before = describeWindow(recorder);
        pixelsBefore = presentedPixels(program, recorder);
        opener.open(program, recorder);
    });
    program.then([&] {
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr) << "the system menu did not open";
        EXPECT_EQ(GetWindow(popup, GW_OWNER), recorder);
        opener.choose(program, popup);
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr) << "the menu closed with the choice";
        about = program.topLevel(kAboutTitle);
        ASSERT_NE(about, nullptr) << "the About box is not up";
        EXPECT_EQ(countTitled(program, kAboutTitle), 1u);
        EXPECT_EQ(GetWindow(about, GW_OWNER), recorder);
        EXPECT_FALSE(IsWindowEnabled(recorder)) << "the recorder window is disabled under the box";
        EXPECT_EQ(GetActiveWindow(), about);
        EXPECT_EQ(GetFocus(), GetDlgItem(about, IDOK));
        closer.close(program, about);
    });
    program.then([&] {
        EXPECT_FALSE(IsWindow(about)) << "the About box is destroyed";
        EXPECT_EQ(program.topLevel(kAboutTitle), nullptr);
        EXPECT_TRUE(IsWindowEnabled(recorder));
        EXPECT_EQ(GetActiveWindow(), recorder);
        EXPECT_EQ(GetFocus(), focusBefore) << "the focus is back where it was";
        EXPECT_EQ(describeWindow(recorder), before);
        // What is on screen is the same as before, to the pixel.
        EXPECT_EQ(differingPixels(presentedPixels(program, recorder), pixelsBefore), 0u);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const Opener& o : kOpeners)
        for (const Closer& c : kClosers)
            for (const FocusStart& f : kFocusStarts) cases.emplace_back(o, c, f);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxOpenClose, ::testing::ValuesIn(allCases()), [](const auto& info) {
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name + "_" +
           std::get<2>(info.param).name;
});

}  // namespace

namespace {

// While the box is up the recorder window takes no input: clicks on its
// buttons, its caption's icon and close box, and the native close request
// only bring the box forward.
TEST(AboutBoxModality, RecorderTakesNoInputWhileTheBoxIsUp) {
    HeadlessProgram program;
    HWND recorder = nullptr;
    HWND about = nullptr;
    std::string before;
    const std::vector<std::pair<const char*, std::function<void()>>> attempts = {
        {"click on Close", [&] { program.clickOn(program.control(IDOK)); }},
        {"click on Detect Hardware", [&] { program.clickOn(program.control(IDC_DETECT_HARDWARE)); }},
        {"click on the caption's icon", [&] { program.click(captionIconPoint(recorder)); }},
        {"right click on the caption",
         [&] { program.click(captionTitlePoint(recorder), display::MouseButton::Right); }},
        {"click on the close box", [&] { program.click(captionClosePoint(recorder)); }},
        {"native close request", [&] { program.screen().requestClose(program.surfaceOf(recorder)); }},
    };
    program.then([&] {
        recorder = program.recorder();
        before = describeWindow(recorder);
        program.key(VK_SPACE, display::ModAlt);
        program.key('A');
    });
    for (const auto& [name, attempt] : attempts) {
        program.then([&, name = name, attempt = attempt] {
            SCOPED_TRACE(name);
            about = program.topLevel(kAboutTitle);
            ASSERT_NE(about, nullptr);
            attempt();
        });
        program.then([&, name = name] {
            SCOPED_TRACE(std::string("after ") + name);
            EXPECT_EQ(program.topLevel(kAboutTitle), about) << "the box is still up";
            EXPECT_EQ(openPopupMenu(program), nullptr);
            EXPECT_EQ(GetActiveWindow(), about);
            EXPECT_FALSE(IsWindowEnabled(recorder));
            EXPECT_TRUE(program.screen().sleeps().empty());
        });
    }
    program.then([&] { program.key(VK_ESCAPE); });
    program.then([&] {
        EXPECT_EQ(describeWindow(recorder), before);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

}  // namespace
