#include "tests/e2e/harness/ScreenClient.h"

#include "tests/e2e/harness/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace e2e {
namespace {

// Xlib's default error handler ends the process; a window that disappears
// while a test looks at it is an ordinary event here.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// A test may end the server under a live client (lost-display tests). By
// default Xlib then ends the process; here the connection just goes dead and
// later calls on it fail.
int ignoreIoError(Display*) { return 0; }
void keepRunning(Display*, void*) {}

}  // namespace

ScreenClient::ScreenClient(const std::string& displayName) {
    XSetErrorHandler(ignoreXError);
    XSetIOErrorHandler(ignoreIoError);
    m_display = XOpenDisplay(displayName.c_str());
    if (!m_display) {
        m_error = "cannot connect to display " + displayName;
        return;
    }
    XSetIOErrorExitHandler(m_display, keepRunning, nullptr);
    int eventBase;
    int errorBase;
    int major;
    int minor;
    if (!XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor)) {
        m_error = "the display " + displayName + " has no XTest extension";
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
}

ScreenClient::~ScreenClient() {
    if (m_display) XCloseDisplay(m_display);
}

std::string ScreenClient::title(XWindowId window) {
    std::string result;
    Atom actualType;
    int actualFormat;
    unsigned long count;
    unsigned long remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, window, XInternAtom(m_display, "_NET_WM_NAME", False), 0, 4096, False,
                           XInternAtom(m_display, "UTF8_STRING", False), &actualType, &actualFormat, &count,
                           &remaining, &data) == Success &&
        data && actualFormat == 8) {
        result.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data) XFree(data);
    if (result.empty()) {
        char* name = nullptr;
        if (XFetchName(m_display, window, &name) && name) {
            result = name;
            XFree(name);
        }
    }
    return result;
}

bool ScreenClient::isViewable(XWindowId window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
}

std::optional<XWindowId> ScreenClient::searchTitle(XWindowId under, const std::string& wanted) {
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, under, &root, &parent, &children, &count)) return std::nullopt;
    std::optional<XWindowId> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (isViewable(children[i]) && title(children[i]) == wanted) {
            found = children[i];
        } else {
            found = searchTitle(children[i], wanted);
        }
    }
    if (children) XFree(children);
    return found;
}

std::optional<XWindowId> ScreenClient::findWindow(const std::string& wanted, Millis timeout) {
    std::optional<XWindowId> found;
    waitFor([&] { return (found = searchTitle(DefaultRootWindow(m_display), wanted)).has_value(); }, timeout);
    return found;
}

std::optional<WindowGeometry> ScreenClient::geometry(XWindowId window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, window, &attributes)) return std::nullopt;
    int x = 0;
    int y = 0;
    Window child;
    if (!XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child)) {
        return std::nullopt;
    }
    return WindowGeometry{x, y, attributes.width, attributes.height};
}

std::vector<TopLevelWindow> ScreenClient::mappedTopLevels() {
    std::vector<TopLevelWindow> result;
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count)) return result;
    for (unsigned int i = 0; i < count; ++i) {
        if (isViewable(children[i])) result.push_back({children[i], title(children[i])});
    }
    if (children) XFree(children);
    return result;
}

long ScreenClient::processId(XWindowId window) {
    const std::vector<long> pid = readLongProperty(m_display, window, "_NET_WM_PID", XA_CARDINAL);
    return pid.empty() ? 0 : pid.front();
}

std::vector<std::uint32_t> ScreenClient::readPixels(int x, int y, int width, int height) {
    std::vector<std::uint32_t> pixels;
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // On a 24-bit TrueColor screen a pixel value is 0xRRGGBB.
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, column, row) & 0xFFFFFF));
        }
    }
    XDestroyImage(image);
    return pixels;
}

bool ScreenClient::sendKey(KeySymbol keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (code == 0) return false;
    XTestFakeKeyEvent(m_display, code, press ? True : False, CurrentTime);
    return true;
}

bool ScreenClient::pressKey(KeySymbol keysym, unsigned modifiers) {
    if (XKeysymToKeycode(m_display, keysym) == 0) return false;
    const std::pair<unsigned, KeySymbol> held[] = {
        {WithControl, XK_Control_L}, {WithAlt, XK_Alt_L}, {WithShift, XK_Shift_L}};
    for (const auto& [bit, modifierKey] : held) {
        if (modifiers & bit) sendKey(modifierKey, true);
    }
    sendKey(keysym, true);
    sendKey(keysym, false);
    for (auto it = std::rbegin(held); it != std::rend(held); ++it) {
        if (modifiers & it->first) sendKey(it->second, false);
    }
    XSync(m_display, False);
    return true;
}

void ScreenClient::moveMouse(int x, int y) {
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
    XSync(m_display, False);
}

void ScreenClient::click(int x, int y, PointerButton button) {
    const unsigned int number = button == PointerButton::Left ? 1 : 3;
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
    XTestFakeButtonEvent(m_display, number, True, CurrentTime);
    XTestFakeButtonEvent(m_display, number, False, CurrentTime);
    XSync(m_display, False);
}

void ScreenClient::drag(int fromX, int fromY, int toX, int toY, int steps) {
    if (steps < 1) steps = 1;
    const int screen = DefaultScreen(m_display);
    XTestFakeMotionEvent(m_display, screen, fromX, fromY, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    for (int i = 1; i <= steps; ++i) {
        XTestFakeMotionEvent(m_display, screen, fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps,
                             CurrentTime);
    }
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void ScreenClient::moveWindow(XWindowId window, int x, int y) {
    XMoveWindow(m_display, window, x, y);
    XSync(m_display, False);
}

void ScreenClient::requestClose(XWindowId window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

std::vector<IconImage> ScreenClient::icons(XWindowId window) {
    std::vector<IconImage> result;
    const std::vector<long> data = readLongProperty(m_display, window, "_NET_WM_ICON", XA_CARDINAL);
    std::size_t at = 0;
    while (at + 2 <= data.size()) {
        IconImage image;
        image.width = static_cast<int>(data[at]);
        image.height = static_cast<int>(data[at + 1]);
        at += 2;
        const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
        if (image.width <= 0 || image.height <= 0 || at + count > data.size()) break;  // malformed: stop here
        for (std::size_t i = 0; i < count; ++i) image.argb.push_back(static_cast<std::uint32_t>(data[at + i]));
        at += count;
        result.push_back(std::move(image));
    }
    return result;
}

std::optional<XWindowId> ScreenClient::transientFor(XWindowId window) {
    Window owner = 0;
    if (!XGetTransientForHint(m_display, window, &owner) || owner == 0) return std::nullopt;
    return owner;
}

std::vector<std::string> ScreenClient::atomList(XWindowId window, const char* property) {
    std::vector<std::string> names;
    for (long atom : readLongProperty(m_display, window, property, XA_ATOM)) {
        char* name = XGetAtomName(m_display, static_cast<Atom>(atom));
        if (name) {
            names.push_back(name);
            XFree(name);
        }
    }
    return names;
}

std::vector<std::string> ScreenClient::netWmState(XWindowId window) { return atomList(window, "_NET_WM_STATE"); }

std::vector<std::string> ScreenClient::windowType(XWindowId window) {
    return atomList(window, "_NET_WM_WINDOW_TYPE");
}

bool ScreenClient::overrideRedirect(XWindowId window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, window, &attributes) && attributes.override_redirect;
}

std::vector<XWindowId> ScreenClient::managedWindows() {
    std::vector<XWindowId> windows;
    for (long id : readLongProperty(m_display, DefaultRootWindow(m_display), "_NET_CLIENT_LIST", XA_WINDOW)) {
        windows.push_back(static_cast<XWindowId>(id));
    }
    return windows;
}

XWindowId ScreenClient::activeWindow() {
    const std::vector<long> active =
        readLongProperty(m_display, DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? 0 : static_cast<XWindowId>(active.front());
}

XWindowId ScreenClient::frameOf(XWindowId window) {
    XWindowId current = window;
    for (;;) {
        Window root;
        Window parent;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, current, &root, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root || parent == 0) return current;
        current = parent;
    }
}

}  // namespace e2e
