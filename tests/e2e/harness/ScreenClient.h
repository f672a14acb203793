// ScreenClient - what a test sees of an X display and how it gives input:
// windows found by title, their geometry, pixels and properties, and real
// key presses and clicks sent through the XTest extension.
//
// X errors caused by the client (a window that vanished while it was being
// looked at) are ignored, and a lost connection (the server was ended by the
// test) makes later calls fail instead of ending the test process.
#pragma once

#include "tests/e2e/harness/WaitFor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace e2e {

using XWindowId = unsigned long;
using KeySymbol = unsigned long;  // an X keysym, e.g. XK_Tab from <X11/keysym.h>

enum InputModifier : unsigned {
    WithShift = 1,
    WithControl = 2,
    WithAlt = 4,
};

enum class PointerButton { Left, Right };

struct WindowGeometry {
    int x = 0;  // root coordinates of the window's top-left
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

struct TopLevelWindow {
    XWindowId id = 0;
    std::string title;
};

class ScreenClient {
public:
    explicit ScreenClient(const std::string& displayName);
    ~ScreenClient();
    ScreenClient(const ScreenClient&) = delete;
    ScreenClient& operator=(const ScreenClient&) = delete;

    bool connected() const { return m_display != nullptr; }
    const std::string& error() const { return m_error; }

    // The first viewable window whose _NET_WM_NAME (or WM_NAME) is `title`,
    // searched through the whole tree; nullopt when none appears in time.
    std::optional<XWindowId> findWindow(const std::string& title, Millis timeout);
    std::string title(XWindowId window);
    bool isViewable(XWindowId window);
    std::optional<WindowGeometry> geometry(XWindowId window);
    // Viewable children of the root window, bottom to top.
    std::vector<TopLevelWindow> mappedTopLevels();
    // The process that made the window (_NET_WM_PID); 0 when it does not say.
    long processId(XWindowId window);

    // Pixels of a rectangle of the screen as 0x00RRGGBB, row by row.
    std::vector<std::uint32_t> readPixels(int x, int y, int width, int height);

    // Presses and releases the key of `keysym` with the modifiers held
    // around it. False when the keyboard map has no key for it.
    bool pressKey(KeySymbol keysym, unsigned modifiers = 0);
    void moveMouse(int x, int y);
    void click(int x, int y, PointerButton button = PointerButton::Left);
    // Holds the left button down at `from`, moves the pointer to `to` in
    // `steps` equal moves and lets the button go there.
    void drag(int fromX, int fromY, int toX, int toY, int steps = 1);

    // What a window manager does: move a window, and ask it to close
    // (WM_DELETE_WINDOW through WM_PROTOCOLS).
    void moveWindow(XWindowId window, int x, int y);
    void requestClose(XWindowId window);

    std::vector<IconImage> icons(XWindowId window);           // _NET_WM_ICON
    std::optional<XWindowId> transientFor(XWindowId window);  // WM_TRANSIENT_FOR
    std::vector<std::string> netWmState(XWindowId window);    // atom names
    std::vector<std::string> windowType(XWindowId window);    // _NET_WM_WINDOW_TYPE
    // Whether the window asks not to be managed (popup menus, tooltips).
    bool overrideRedirect(XWindowId window);

    // What a window manager publishes: the windows it manages, in the task
    // bar's sense (_NET_CLIENT_LIST), and the active one (_NET_ACTIVE_WINDOW;
    // 0 when none). And the window's top-level ancestor: the frame a manager
    // put it in, or the window itself when it has none.
    std::vector<XWindowId> managedWindows();
    XWindowId activeWindow();
    XWindowId frameOf(XWindowId window);

private:
    std::vector<std::string> atomList(XWindowId window, const char* property);
    std::optional<XWindowId> searchTitle(XWindowId under, const std::string& title);
    bool sendKey(KeySymbol keysym, bool press);

    _XDisplay* m_display = nullptr;
    std::string m_error;
};

}  // namespace e2e
