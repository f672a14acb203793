// Detect Hardware on a real screen: the greyed "Detecting..." button shown
// during the 2500 ms wait, the "Warning" box no earlier than 2500 ms after
// the click, and a key pressed during the wait taken afterwards.
//
// What is compared: during the wait the recorder window is the active
// window on the real screen and in the headless rendering; the warning box
// is active in both.
#include "tests/e2e/ProgramOnScreen.h"

#include <X11/keysym.h>

#include <chrono>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr Millis kWait{2500};

class DetectHardwareOnScreen : public ProgramOnScreen {
protected:
    WindowGeometry detectButton(XWindowId recorder) { return recorderControl(geometryOf(recorder), 19, 182, 60, 14); }
};

Millis since(Clock::time_point start) { return std::chrono::duration_cast<Millis>(Clock::now() - start); }

TEST_F(DetectHardwareOnScreen, ShowsDetectingDuringTheWaitThenTheWarning) {
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> initial = headless("initial");
    const std::optional<HeadlessRendering> detecting = headless("detecting");
    const std::optional<HeadlessRendering> warning = headless("warning");
    const std::optional<HeadlessRendering> after = headless("after-detect");
    ASSERT_TRUE(initial && detecting && warning && after);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    const WindowGeometry button = detectButton(*recorder);
    const Clock::time_point clicked = Clock::now();
    screen().click(centreX(button), centreY(button));

    // During the wait the window shows the greyed "Detecting..." button.
    EXPECT_TRUE(expectShows(*recorder, detecting->picture, "detecting"));
    EXPECT_FALSE(screen().findWindow("Warning", Millis(0))) << "the warning came before the detecting frame was seen";

    // The warning box: mapped no earlier than 2500 ms after the click.
    std::optional<XWindowId> box;
    waitFor([&] { return (box = screen().findWindow("Warning", Millis(0))).has_value(); }, kWait + kAppear,
            Millis(2));
    const Millis appeared = since(clicked);
    ASSERT_TRUE(box) << "no \"Warning\" window within " << (kWait + kAppear).count() << " ms of the click";
    EXPECT_GE(appeared, kWait) << "the warning appeared " << appeared.count() << " ms after the click";

    // Owned by the recorder window, centred over it, drawn as headless.
    EXPECT_EQ(screen().transientFor(*box), *recorder);
    const WindowGeometry boxPlace = geometryOf(*box);
    EXPECT_EQ(boxPlace, centred(boxPlace, geometryOf(*recorder), layout().workArea));
    EXPECT_EQ(boxPlace, warning->window);
    EXPECT_TRUE(expectShows(*box, warning->picture, "warning"));
    EXPECT_TRUE(expectOkButtonShown(*box, *warning, "warning"));

    // OK dismisses it; the button is "Detect Hardware" again, with the focus.
    ASSERT_TRUE(screen().pressKey(XK_Return));
    EXPECT_TRUE(waitUntilGone("Warning"));
    EXPECT_TRUE(expectShows(*recorder, after->picture, "after-detect"));
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(DetectHardwareOnScreen, AKeyPressedDuringTheWaitIsTakenAfterwards) {
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> initial = headless("initial");
    const std::optional<HeadlessRendering> detecting = headless("detecting");
    const std::optional<HeadlessRendering> after = headless("after-detect");
    ASSERT_TRUE(initial && detecting && after);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    const WindowGeometry button = detectButton(*recorder);
    const Clock::time_point clicked = Clock::now();
    screen().click(centreX(button), centreY(button));
    ASSERT_TRUE(expectShows(*recorder, detecting->picture, "detecting"));
    ASSERT_TRUE(screen().pressKey(XK_Return));
    ASSERT_LT(since(clicked), kWait) << "Return was not pressed during the wait";

    // The Return waits for the warning box and dismisses it there: the
    // window comes back as after OK, with the warning gone. Had the key
    // been dropped, the box would stay; had it gone to the recorder window,
    // where Detect Hardware has the focus, a second detection would start.
    EXPECT_TRUE(expectShows(*recorder, after->picture, "after-detect", kWait + kSettle));
    EXPECT_GE(since(clicked), kWait);
    EXPECT_FALSE(screen().findWindow("Warning", Millis(0)));
    // Nothing else is pending: Escape ends the program at once.
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

}  // namespace
}  // namespace e2e
