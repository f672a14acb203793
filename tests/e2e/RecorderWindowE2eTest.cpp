// The recorder window on a real X screen: where it opens, that it shows
// exactly what the headless program draws (initial values included, and
// again after it was dragged partly off the screen and back), Tab
// between its two usable buttons, its icon, its indifference to the
// command line, and two instances side by side.
//
// What is compared: the real window has the input focus (nothing else is
// on the screen), and so does the headless one; both draw an active
// caption.
#include "tests/e2e/ProgramOnScreen.h"

#include <X11/keysym.h>

#include <algorithm>
#include <map>

namespace e2e {
namespace {

class RecorderWindowOnScreen : public ProgramOnScreen {};

TEST_F(RecorderWindowOnScreen, OpensCentredInTheWorkAreaAtItsDialogUnitSize) {
    struct Row {
        const char* name;
        ScreenLayout layout;
    };
    const Row rows[] = {
        {"work area above a task bar", {1024, 768, {0, 0, 1024, 738}}},
        {"work area off the screen's centre", {1024, 768, {200, 60, 800, 700}}},
        {"odd edges: the halves truncate", {1024, 768, {1, 1, 1021, 737}}},
        {"work area lower than the window: kept at its top", {800, 600, {0, 40, 800, 520}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(startScreen(row.layout));
        ProgramRun* program = startProgram();
        ASSERT_NE(program, nullptr);
        const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
        ASSERT_TRUE(recorder);
        EXPECT_EQ(geometryOf(*recorder), expectedRecorderGeometry());
        ASSERT_TRUE(screen().pressKey(XK_Escape));
        expectEndsNormally(*program, "Escape");
    }
}

TEST_F(RecorderWindowOnScreen, ShowsWhatTheHeadlessProgramDraws) {
    // The headless "initial" state holds the window's first values (Channel
    // 01, 225, 1000, output.txt, Text checked, all disabled) and the small
    // icon in the caption, so equal pixels show them on the real screen.
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    EXPECT_EQ(geometryOf(*recorder), initial->window);
    EXPECT_TRUE(expectShows(*recorder, initial->picture, "initial"));
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(RecorderWindowOnScreen, TabMovesTheFocusBetweenCloseAndDetectHardware) {
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> onClose = headless("initial");
    const std::optional<HeadlessRendering> onDetect = headless("tab");
    ASSERT_TRUE(onClose && onDetect);

    // Only the two buttons change: the focus rectangle and the default
    // frame move from Close to Detect Hardware.
    const WindowGeometry closeInWindow = recorderControl({0, 0, 0, 0}, 131, 292, 50, 14);
    const WindowGeometry detectInWindow = recorderControl({0, 0, 0, 0}, 19, 182, 60, 14);
    auto inside = [](int x, int y, const WindowGeometry& g) {
        return x >= g.x && x < g.x + g.width && y >= g.y && y < g.y + g.height;
    };
    bool closeChanged = false;
    bool detectChanged = false;
    for (int y = 0; y < onClose->picture.height; ++y) {
        for (int x = 0; x < onClose->picture.width; ++x) {
            if (onClose->picture.at(x, y) == onDetect->picture.at(x, y)) continue;
            closeChanged |= inside(x, y, closeInWindow);
            detectChanged |= inside(x, y, detectInWindow);
            EXPECT_TRUE(inside(x, y, closeInWindow) || inside(x, y, detectInWindow))
                << "Tab changed (" << x << "," << y << "), outside both buttons";
        }
    }
    EXPECT_TRUE(closeChanged);
    EXPECT_TRUE(detectChanged);

    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, onClose->picture, "focus-on-close"));
    struct Step {
        unsigned modifiers;
        const HeadlessRendering& shows;
        const char* what;
    };
    const Step steps[] = {
        {0, *onDetect, "focus-on-detect-after-tab"},
        {0, *onClose, "focus-on-close-after-tab-wraps"},
        {WithShift, *onDetect, "focus-on-detect-after-shift-tab"},
        {WithShift, *onClose, "focus-on-close-after-shift-tab"},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(screen().pressKey(XK_Tab, step.modifiers));
        EXPECT_TRUE(expectShows(*recorder, step.shows.picture, step.what));
    }
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(RecorderWindowOnScreen, ShowsItselfWholeAgainAfterBeingDraggedPartlyOffTheScreen) {
    // X keeps no pixels of the part of a window off the screen: brought
    // back, that part must be drawn again from the program's picture.
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    // Down and right until only the top-left corner stays on the screen,
    // then back.
    const WindowGeometry home = geometryOf(*recorder);
    const int dx = layout().width - 60 - captionGrabX(home);
    const int dy = layout().height - 40 - captionGrabY(home);
    ASSERT_TRUE(dragCaptionBy(*recorder, dx, dy));
    ASSERT_TRUE(dragCaptionBy(*recorder, -dx, -dy));
    EXPECT_TRUE(expectShows(*recorder, initial->picture, "back-on-the-screen"));
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(RecorderWindowOnScreen, CarriesTheApplicationIconInBothSizes) {
    ASSERT_TRUE(startScreen());
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    const std::vector<IconImage> icons = screen().icons(*recorder);
    std::vector<std::pair<int, int>> sizes;
    for (const IconImage& icon : icons) sizes.push_back({icon.width, icon.height});
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{32, 32}, {16, 16}}));

    // The small image is the one the caption draws at the bar's left (2
    // pixels in, 1 down, inside the 3-pixel frame): its opaque pixels are on
    // the screen as they are.
    const auto small = std::find_if(icons.begin(), icons.end(), [](const IconImage& i) { return i.width == 16; });
    ASSERT_NE(small, icons.end());
    const WindowGeometry window = geometryOf(*recorder);
    const std::vector<std::uint32_t> caption = screen().readPixels(window.x + 5, window.y + 4, 16, 16);
    ASSERT_EQ(caption.size(), 256u);
    int opaque = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        if ((small->argb[i] >> 24) != 0xFF) continue;
        ++opaque;
        EXPECT_EQ(caption[i], small->argb[i] & 0xFFFFFF) << "icon pixel (" << i % 16 << "," << i / 16 << ")";
    }
    EXPECT_GT(opaque, 0);
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(RecorderWindowOnScreen, CommandLineArgumentsChangeNothing) {
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    const std::vector<std::string> noArguments;
    const std::vector<std::string> arguments{"--help", "-geometry", "200x100+0+0", "-display", ":99", "/nonexistent/file.dat",
                                             "/?", "--", "-x"};
    std::string outputWithout;
    for (const std::vector<std::string>* args : {&noArguments, &arguments}) {
        SCOPED_TRACE(args->empty() ? "without arguments" : "with arguments");
        ProgramRun* program = startProgram(*args);
        ASSERT_NE(program, nullptr);
        const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
        ASSERT_TRUE(recorder);
        EXPECT_EQ(geometryOf(*recorder), expectedRecorderGeometry());
        EXPECT_TRUE(expectShows(*recorder, initial->picture, args->empty() ? "initial" : "initial-with-arguments"));
        ASSERT_TRUE(screen().pressKey(XK_Escape));
        expectEndsNormally(*program, "Escape");
        ASSERT_TRUE(waitUntilGone(kRecorderTitle));
        const std::string output = program->standardOutput() + program->standardError();
        if (args->empty()) {
            outputWithout = output;
        } else {
            EXPECT_EQ(output, outputWithout);
        }
    }
}

TEST_F(RecorderWindowOnScreen, TwoInstancesRunSideBySideAndEndIndependently) {
    ASSERT_TRUE(startScreen());
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    ProgramRun* first = startProgram();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(waitForWindow(kRecorderTitle));
    ProgramRun* second = startProgram();
    ASSERT_NE(second, nullptr);

    // Both open the same window at the same place; the second is on top.
    std::vector<TopLevelWindow> windows;
    ASSERT_TRUE(waitFor(
        [&] {
            windows = screen().mappedTopLevels();
            return windows.size() == 2;
        },
        kAppear))
        << "expected two windows, found " << windows.size();
    std::map<long, XWindowId> byProcess;
    for (const TopLevelWindow& w : windows) {
        EXPECT_EQ(w.title, kRecorderTitle);
        EXPECT_EQ(geometryOf(w.id), expectedRecorderGeometry());
        byProcess[screen().processId(w.id)] = w.id;
    }
    ASSERT_EQ(byProcess.count(first->pid()), 1u);
    ASSERT_EQ(byProcess.count(second->pid()), 1u);
    const XWindowId firstWindow = byProcess[first->pid()];
    const XWindowId secondWindow = byProcess[second->pid()];
    EXPECT_EQ(windows.back().id, secondWindow);
    EXPECT_TRUE(expectShows(secondWindow, initial->picture, "second-instance"));

    // Close on the top window ends the second program only.
    const WindowGeometry close = recorderControl(geometryOf(secondWindow), 131, 292, 50, 14);
    screen().click(centreX(close), centreY(close));
    expectEndsNormally(*second, "a click on the second window's Close");
    EXPECT_TRUE(waitFor([&] { return !screen().isViewable(secondWindow); }, kSettle));
    EXPECT_TRUE(screen().isViewable(firstWindow));
    EXPECT_FALSE(first->waitForExit(Millis(0))) << "closing the second window ended the first program";

    // The first one still works: a click on its black panel makes it
    // active again, as it was when it opened, and its own Close ends it.
    const WindowGeometry panel = recorderControl(geometryOf(firstWindow), 7, 7, 306, 160);
    screen().click(centreX(panel), centreY(panel));
    EXPECT_TRUE(expectShows(firstWindow, initial->picture, "first-instance-active-again"));
    screen().click(centreX(close), centreY(close));
    expectEndsNormally(*first, "a click on the first window's Close");
    EXPECT_TRUE(waitFor([&] { return screen().mappedTopLevels().empty(); }, kSettle));
}

}  // namespace
}  // namespace e2e
