// Every way of closing the recorder window on a real screen ends the
// process with status 0 and leaves no window behind.
#include "tests/e2e/ProgramOnScreen.h"

#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"

#include <X11/keysym.h>

#include <functional>

namespace e2e {
namespace {

class ClosingOnScreen : public ProgramOnScreen {
protected:
    // The system menu's Close item on the screen: the menu holds Move,
    // Close (with its Alt+F4 hint), a separator and the About entry, laid
    // out as the classic menu look lays them out.
    std::optional<WindowGeometry> systemMenuClose(XWindowId popup) {
        std::vector<graphics::look::MenuItemView> items(4);
        items[0].text = "&Move";
        items[1].text = "&Close\tAlt+F4";
        items[2].separator = true;
        items[3].text = "&About quilvane...";
        const graphics::look::MenuLayout layout = graphics::look::layoutPopupMenu(graphics::menuFont(), items);
        const WindowGeometry menu = geometryOf(popup);
        if (menu.width != layout.size.cx || menu.height != layout.size.cy) {
            ADD_FAILURE() << "the popup menu is " << menu.width << "x" << menu.height
                          << ", not the system menu's " << layout.size.cx << "x" << layout.size.cy;
            return std::nullopt;
        }
        const RECT& r = layout.itemRects[1];
        return WindowGeometry{menu.x + r.left, menu.y + r.top, r.right - r.left, r.bottom - r.top};
    }
};

TEST_F(ClosingOnScreen, EveryWayOfClosingEndsTheProgram) {
    struct Row {
        const char* how;
        std::function<void(XWindowId window, const WindowGeometry& place)> close;
    };
    const Row rows[] = {
        {"a click on Close",
         [this](XWindowId, const WindowGeometry& w) {
             const WindowGeometry close = recorderControl(w, 131, 292, 50, 14);
             screen().click(centreX(close), centreY(close));
         }},
        // Close has the focus when the window opens.
        {"Enter on Close", [this](XWindowId, const WindowGeometry&) { screen().pressKey(XK_Return); }},
        {"Escape", [this](XWindowId, const WindowGeometry&) { screen().pressKey(XK_Escape); }},
        {"Alt+F4", [this](XWindowId, const WindowGeometry&) { screen().pressKey(XK_F4, WithAlt); }},
        // The close box is 16x14 at the caption bar's right, 2 pixels in
        // and 2 down; the bar lies inside the 3-pixel frame.
        {"a click on the title bar's close button",
         [this](XWindowId, const WindowGeometry& w) { screen().click(w.x + w.width - 3 - 2 - 8, w.y + 3 + 2 + 7); }},
        {"the system menu's Close, by Alt+Space and C",
         [this](XWindowId, const WindowGeometry&) {
             screen().pressKey(XK_space, WithAlt);
             ASSERT_TRUE(waitForPopupMenu());
             screen().pressKey(XK_c);
         }},
        // The small icon at the bar's left opens the system menu.
        {"the system menu's Close, by clicks on the caption's icon and the item",
         [this](XWindowId, const WindowGeometry& w) {
             screen().click(w.x + 3 + 2 + 8, w.y + 3 + 1 + 8);
             const std::optional<XWindowId> popup = waitForPopupMenu();
             ASSERT_TRUE(popup);
             const std::optional<WindowGeometry> item = systemMenuClose(*popup);
             ASSERT_TRUE(item);
             screen().click(centreX(*item), centreY(*item));
         }},
        {"a window manager's close request",
         [this](XWindowId window, const WindowGeometry&) { screen().requestClose(window); }},
    };
    const std::optional<HeadlessRendering> initial = headless("initial");
    ASSERT_TRUE(initial);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        ASSERT_TRUE(startScreen());
        ProgramRun* program = startProgram();
        ASSERT_NE(program, nullptr);
        const std::optional<XWindowId> recorder = waitForWindow(kRecorderTitle);
        ASSERT_TRUE(recorder);
        // The window is up as it opens before it is closed.
        const WindowGeometry window = geometryOf(*recorder);
        ASSERT_TRUE(expectShows(*recorder, initial->picture, "initial"));
        row.close(*recorder, window);
        expectEndsNormally(*program, row.how);
        EXPECT_TRUE(waitFor([&] { return screen().mappedTopLevels().empty(); }, kSettle))
            << "a window is left on the screen";
    }
}

}  // namespace
}  // namespace e2e
