// F1 on a real screen: with no help engine on this system the platform
// says "Failed to launch help." in a box captioned with the program's name,
// over the window in use.
//
// What is compared: the failure box is the active window on the real
// screen and in the headless rendering.
#include "tests/e2e/ProgramOnScreen.h"

#include <X11/keysym.h>

namespace e2e {
namespace {

class HelpOnScreen : public ProgramOnScreen {};

TEST_F(HelpOnScreen, F1ShowsTheFailureBoxOverTheWindowInUse) {
    struct Row {
        const char* windowInUse;
        bool aboutOpen;
        const char* state;  // the headless rendering of the box
    };
    const Row rows[] = {
        {kRecorderTitle, false, "help"},
        {"About quilvane", true, "about-help"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("F1 in ") + row.windowInUse);
        ASSERT_TRUE(startScreen());
        const std::optional<HeadlessRendering> failure = headless(row.state);
        ASSERT_TRUE(failure);
        ProgramRun* program = startProgram();
        ASSERT_NE(program, nullptr);
        ASSERT_TRUE(waitForWindow(kRecorderTitle));
        if (row.aboutOpen) {
            ASSERT_TRUE(screen().pressKey(XK_space, WithAlt));
            ASSERT_TRUE(waitForPopupMenu());
            ASSERT_TRUE(screen().pressKey(XK_a));
        }
        const std::optional<XWindowId> owner = waitForWindow(row.windowInUse);
        ASSERT_TRUE(owner);

        ASSERT_TRUE(screen().pressKey(XK_F1));
        // The program file is named quilvane: so is the box.
        const std::optional<XWindowId> box = waitForWindow("quilvane", kSettle);
        ASSERT_TRUE(box);
        EXPECT_EQ(screen().transientFor(*box), *owner);
        const WindowGeometry place = geometryOf(*box);
        EXPECT_EQ(place, centred(place, geometryOf(*owner), layout().workArea));
        EXPECT_EQ(place, failure->window);
        EXPECT_TRUE(expectShows(*box, failure->picture, row.state));
        EXPECT_TRUE(expectOkButtonShown(*box, *failure, row.state));

        // OK closes it and leaves the window in use open.
        ASSERT_TRUE(screen().pressKey(XK_Return));
        EXPECT_TRUE(waitUntilGone("quilvane"));
        EXPECT_TRUE(screen().isViewable(*owner));
        const int windowsOpen = row.aboutOpen ? 2 : 1;
        for (int i = 0; i < windowsOpen; ++i) ASSERT_TRUE(screen().pressKey(XK_Escape));
        expectEndsNormally(*program, "Escape");
    }
}

}  // namespace
}  // namespace e2e
