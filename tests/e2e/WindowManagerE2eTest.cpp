// The program on a desktop with a window manager (openbox), which manages,
// frames and focuses windows, focuses and raises a window clicked into, and
// keeps its own work area. The windows draw their own frames and captions,
// so the manager adds none; the program's placement, its caption drag, its
// owned About box and its end are the same as on a bare screen.
//
// What is compared: the manager gives the focus to the window it maps, so
// the window in front draws an active caption, as in the headless rendering.
#include "tests/e2e/ProgramOnScreen.h"

#include <X11/keysym.h>

#include <algorithm>

namespace e2e {
namespace {

// Margins of different sizes on every edge, so that centring in the
// manager's work area differs from centring on the screen.
const ScreenLayout kDesktop{1024, 768, {40, 30, 944, 678}};

class UnderAWindowManager : public ProgramOnScreen {
protected:
    bool manages(XWindowId window) {
        const std::vector<XWindowId> managed = screen().managedWindows();
        return std::find(managed.begin(), managed.end(), window) != managed.end();
    }

    // The window shows no frame of the manager's: its top-level ancestor
    // covers exactly the window.
    void expectUnframed(XWindowId window, const std::string& what) {
        const XWindowId frame = screen().frameOf(window);
        ASSERT_NE(frame, 0u) << what << " is gone";
        EXPECT_EQ(geometryOf(frame), geometryOf(window)) << "the manager framed " << what;
    }

    // The small icon at the caption bar's left opens the system menu; its
    // last item, "&About quilvane...", is chosen by its mnemonic.
    std::optional<XWindowId> openAboutWithClicks(const WindowGeometry& recorder) {
        screen().click(recorder.x + 3 + 2 + 8, recorder.y + 3 + 1 + 8);
        if (!waitForPopupMenu()) return std::nullopt;
        screen().pressKey(XK_a);
        return waitForWindow("About quilvane", kSettle);
    }
};

TEST_F(UnderAWindowManager, OpensCentredInTheManagersWorkAreaUnframedManagedAndAsDrawn) {
    ASSERT_TRUE(startScreenWithWindowManager(kDesktop));
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);

    EXPECT_EQ(geometryOf(*recorder), expectedRecorderGeometry());
    expectUnframed(*recorder, "the recorder window");
    EXPECT_TRUE(waitFor([&] { return manages(*recorder); }, kSettle)) << "the manager does not list the window";
    EXPECT_TRUE(waitFor([&] { return screen().activeWindow() == *recorder; }, kSettle))
        << "the manager did not make the window active";
    EXPECT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    // The close box, 16x14 at the caption bar's right, 2 pixels in and 2
    // down, inside the 3-pixel frame.
    const WindowGeometry w = geometryOf(*recorder);
    screen().click(w.x + w.width - 3 - 2 - 8, w.y + 3 + 2 + 7);
    expectEndsNormally(*program, "a click on the title bar's close button");
    EXPECT_TRUE(waitUntilGone(kRecorderTitle));
    EXPECT_TRUE(waitFor([&] { return screen().managedWindows().empty(); }, kSettle))
        << "the manager still lists a window of the program";
}

TEST_F(UnderAWindowManager, DraggingTheCaptionMovesTheWindow) {
    ASSERT_TRUE(startScreenWithWindowManager(kDesktop));
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    // Up and left, then a second drag back down.
    struct Drag {
        int dx;
        int dy;
    };
    for (const Drag& drag : {Drag{-130, -70}, Drag{90, 150}}) {
        ASSERT_TRUE(dragCaptionBy(*recorder, drag.dx, drag.dy));
        expectUnframed(*recorder, "the moved recorder window");
        EXPECT_TRUE(expectShows(*recorder, initial->picture, "after-drag"));
    }
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(UnderAWindowManager, TheAboutBoxIsOwnedCentredAndGivesTheFocusBack) {
    ASSERT_TRUE(startScreenWithWindowManager(kDesktop));
    const std::optional<HeadlessRendering> initial = headless("initial");
    const std::optional<HeadlessRendering> about = headless("about");
    ASSERT_TRUE(initial && about);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    const std::optional<XWindowId> box = openAboutWithClicks(geometryOf(*recorder));
    ASSERT_TRUE(box);
    EXPECT_EQ(geometryOf(*box), about->window);
    expectUnframed(*box, "the About box");
    EXPECT_EQ(screen().transientFor(*box), *recorder);
    EXPECT_TRUE(expectShows(*box, about->picture, "about"));

    // A click into the disabled recorder window leaves the box in front
    // and the program where it was.
    const WindowGeometry close = recorderControl(geometryOf(*recorder), 131, 292, 50, 14);
    screen().click(centreX(close), centreY(close));
    EXPECT_TRUE(expectShows(*box, about->picture, "about-after-click-behind"));
    EXPECT_FALSE(program->waitForExit(Millis(200))) << "a click on the disabled window's Close ended the program";

    // OK gives the recorder window back, active, the focus on Close.
    const WindowGeometry ok = offsetBy(about->controls.find(1)->second, geometryOf(*box));
    screen().click(centreX(ok), centreY(ok));
    EXPECT_TRUE(waitUntilGone("About quilvane"));
    EXPECT_TRUE(expectShows(*recorder, initial->picture, "initial-after-about"));
    ASSERT_TRUE(screen().pressKey(XK_Return));
    expectEndsNormally(*program, "Enter on Close");
}

}  // namespace
}  // namespace e2e
