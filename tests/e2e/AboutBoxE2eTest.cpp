// The About box on a real screen: opened from the system menu, centred over
// the recorder window and kept inside the work area (also after the
// recorder window was dragged to an edge), owned by the recorder window
// and off the task bar, drawn as the headless program draws it.
//
// What is compared: the About box is the active window on the real screen
// and in the headless rendering.
#include "tests/e2e/ProgramOnScreen.h"

#include <X11/keysym.h>

#include <algorithm>

namespace e2e {
namespace {

// A work area off the screen's centre, so that keeping the box inside it
// differs from keeping it on the screen.
const ScreenLayout kOffCentre{1024, 768, {40, 30, 944, 708}};

class AboutBoxOnScreen : public ProgramOnScreen {
protected:
    // Alt+Space opens the system menu, A chooses "&About quilvane...".
    std::optional<XWindowId> openAbout() {
        if (!screen().pressKey(XK_space, WithAlt) || !waitForPopupMenu()) return std::nullopt;
        screen().pressKey(XK_a);
        return waitForWindow("About quilvane", kSettle);
    }

    // The About template is 235 x 55 dialog units.
    WindowGeometry expectedAbout(const WindowGeometry& recorder) const {
        return centred(dialogWindowSize(235, 55, base()), recorder, layout().workArea);
    }

    bool insideWorkArea(const WindowGeometry& g) const {
        const WorkArea& w = layout().workArea;
        return g.x >= w.x && g.y >= w.y && g.x + g.width <= w.x + w.width && g.y + g.height <= w.y + w.height;
    }
};

TEST_F(AboutBoxOnScreen, OpensCentredOverTheRecorderOwnedByItAndOffTheTaskBar) {
    ASSERT_TRUE(startScreen(kOffCentre));
    const std::optional<HeadlessRendering> initial = headless("initial");
    const std::optional<HeadlessRendering> about = headless("about");
    ASSERT_TRUE(initial && about);
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
    ASSERT_TRUE(recorder);
    ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));

    const std::optional<XWindowId> box = openAbout();
    ASSERT_TRUE(box);
    EXPECT_EQ(geometryOf(*box), expectedAbout(geometryOf(*recorder)));
    EXPECT_TRUE(expectShows(*box, about->picture, "about"));
    EXPECT_EQ(screen().transientFor(*box), *recorder);
    const std::vector<std::string> state = screen().netWmState(*box);
    EXPECT_NE(std::find(state.begin(), state.end(), "_NET_WM_STATE_SKIP_TASKBAR"), state.end());

    // The icon control shows the application icon at its own size: the
    // window's 32x32 icon image, wherever it is opaque.
    const std::vector<IconImage> icons = screen().icons(*recorder);
    const auto large = std::find_if(icons.begin(), icons.end(), [](const IconImage& i) { return i.width == 32; });
    ASSERT_NE(large, icons.end());
    const auto iconControl = std::find_if(about->controls.begin(), about->controls.end(), [](const auto& c) {
        return c.second.width == 32 && c.second.height == 32;
    });
    ASSERT_NE(iconControl, about->controls.end()) << "the About box has no 32x32 control";
    const Picture shown = windowPicture(*box);
    ASSERT_FALSE(shown.pixels.empty());
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t argb = large->argb[static_cast<std::size_t>(y) * 32 + x];
            if ((argb >> 24) != 0xFF) continue;
            ++opaque;
            EXPECT_EQ(shown.at(iconControl->second.x + x, iconControl->second.y + y), argb & 0xFFFFFF)
                << "icon pixel (" << x << "," << y << ")";
        }
    }
    EXPECT_GT(opaque, 0);

    // OK gives the recorder window back as it was, the focus on Close.
    const WindowGeometry ok = offsetBy(about->controls.find(1)->second, geometryOf(*box));
    screen().click(centreX(ok), centreY(ok));
    EXPECT_TRUE(waitUntilGone("About quilvane"));
    EXPECT_TRUE(expectShows(*recorder, initial->picture, "initial-after-about"));
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "Escape");
}

TEST_F(AboutBoxOnScreen, KeysTypedAheadOutliveTheBoxTheyWereTypedInto) {
    // Two Escapes at once: the first closes the About box, the second,
    // typed while the box still had the focus, closes the recorder window.
    ASSERT_TRUE(startScreen());
    ProgramRun* program = startProgram();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(waitForWindow(kRecorderTitle));
    ASSERT_TRUE(openAbout());
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    ASSERT_TRUE(screen().pressKey(XK_Escape));
    expectEndsNormally(*program, "two Escapes typed at once");
}

TEST_F(AboutBoxOnScreen, StaysInsideTheWorkAreaWhenTheRecorderWasDraggedToAnEdge) {
    struct Row {
        const char* edge;
        int pointerX;  // where the caption is dropped; -1 keeps the grab point's x or y
        int pointerY;
    };
    const Row rows[] = {
        {"left", 0, -1},
        {"right", kOffCentre.width - 1, -1},
        {"bottom", -1, kOffCentre.height - 1},
        {"bottom right", kOffCentre.width - 1, kOffCentre.height - 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("dragged to the ") + row.edge + " edge");
        ASSERT_TRUE(startScreen(kOffCentre));
        ProgramRun* program = startProgram();
        ASSERT_NE(program, nullptr);
        const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
        ASSERT_TRUE(recorder);
        const WindowGeometry before = geometryOf(*recorder);
        const int grabX = captionGrabX(before);
        const int grabY = captionGrabY(before);
        const int dropX = row.pointerX < 0 ? grabX : row.pointerX;
        const int dropY = row.pointerY < 0 ? grabY : row.pointerY;
        ASSERT_TRUE(dragCaptionBy(*recorder, dropX - grabX, dropY - grabY));
        const WindowGeometry moved = geometryOf(*recorder);

        const std::optional<XWindowId> box = openAbout();
        ASSERT_TRUE(box);
        const WindowGeometry expected = expectedAbout(moved);
        EXPECT_EQ(geometryOf(*box), expected);
        EXPECT_TRUE(insideWorkArea(geometryOf(*box)));
        // The row really tests the edge: centring alone would leave the area.
        const WindowGeometry unbounded = centred(expected, moved, {-100000, -100000, 200000, 200000});
        EXPECT_FALSE(insideWorkArea(unbounded));

        ASSERT_TRUE(screen().pressKey(XK_Escape));
        EXPECT_TRUE(waitUntilGone("About quilvane"));
        ASSERT_TRUE(screen().pressKey(XK_Escape));
        expectEndsNormally(*program, "Escape");
    }
}

}  // namespace
}  // namespace e2e
