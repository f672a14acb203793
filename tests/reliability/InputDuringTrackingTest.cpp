// Input given while a nested tracking loop follows the mouse (the close box
// held down) is routed when the program takes it, not when the loop saw it:
// a click meant for the About box's OK button, given while the box's close
// box was held and after F1, must find the About box disabled under the
// "Failed to launch help." box, as it is by the time the click is taken.
// Found by the input storm (seed 201): routed early, the click gave the
// disabled About box the activation, the focus and the mouse capture, and
// the keyboard could no longer reach the help failure box.
#include "tests/support/HeadlessProgram.h"

#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

namespace {

// A point of `top`'s caption row where WM_NCHITTEST answers `part`.
POINT captionPart(HWND top, LRESULT part) {
    RECT r{};
    GetWindowRect(top, &r);
    POINT client{0, 0};
    ClientToScreen(top, &client);
    int y = (r.top + client.y) / 2;
    for (int x = r.right - 1; x >= r.left; --x)
        if (SendMessageA(top, WM_NCHITTEST, 0, MAKEPOINTLPARAM(x, y)) == part) return {x, y};
    ADD_FAILURE() << "no such part in the caption";
    return {r.left, r.top};
}

}  // namespace

TEST(InputDuringTracking, IsRoutedWhenTakenNotWhenTheLoopSawIt) {
    HeadlessProgram program;
    HWND about = nullptr;
    program.then([&] { program.key(VK_SPACE, display::ModAlt); });  // the system menu
    program.then([&] { program.key('A'); });                         // About
    program.then([&] {
        about = program.topLevel("About quilvane");
        ASSERT_NE(about, nullptr);
        HWND ok = GetDlgItem(about, IDOK);
        POINT closeBox = captionPart(about, HTCLOSE);
        // Held on the close box: the close box follows the mouse until the
        // button comes up. F1 and a click on OK come meanwhile; the click's
        // release, away from the close box, ends the close box's loop.
        program.screen().mouseMove(closeBox);
        program.screen().buttonDown(closeBox);
        program.key(VK_F1);
        program.screen().mouseMove(HeadlessProgram::centre(ok));
        program.screen().buttonDown(HeadlessProgram::centre(ok));
        program.screen().buttonUp(HeadlessProgram::centre(ok));
    });
    program.then([&] {
        // F1 opened the failure box over the About box; the click on OK
        // came after it, to a disabled window, and did nothing.
        HWND box = program.topLevel("quilvane");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), about);
        EXPECT_FALSE(IsWindowEnabled(about));
        EXPECT_EQ(GetActiveWindow(), box);
        EXPECT_TRUE(GetFocus() == box || IsChild(box, GetFocus()));
        EXPECT_EQ(GetCapture(), nullptr);
        program.key(VK_ESCAPE);
    });
    program.then([&] {
        EXPECT_EQ(program.topLevel("quilvane"), nullptr);
        EXPECT_EQ(program.topLevel("About quilvane"), about) << "the click on OK reached the disabled About box";
        EXPECT_EQ(GetActiveWindow(), about);
        program.key(VK_ESCAPE);
    });
    program.then([&] {
        EXPECT_EQ(program.topLevel("About quilvane"), nullptr);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}
