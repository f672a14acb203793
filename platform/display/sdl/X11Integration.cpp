#include "platform/display/sdl/X11Integration.h"

#include <SDL_syswm.h>
#include <SDL_timer.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace display::sdl {
namespace {

// Written once before the handler can run; the handler only reads it.
char g_displayLostMessage[512];
std::size_t g_displayLostLength = 0;

[[noreturn]] int onDisplayLost(Display*) {
    // Only async-signal-safe work: the connection is gone and Xlib's state
    // must not be touched again, so no C++ destructors or atexit handlers run.
    ssize_t ignored = ::write(STDERR_FILENO, g_displayLostMessage, g_displayLostLength);
    (void)ignored;
    ::_exit(1);
}

XErrorHandler g_previousErrorHandler = nullptr;

// X_SendEvent of <X11/Xproto.h>, whose BOOL clashes with the platform's.
constexpr unsigned char kSendEventRequest = 25;

// SDL wakes its event wait by sending an event to one of our windows from a
// second connection. The server may take that request after the window's
// destruction from the main connection, and Xlib's default handler would
// end the program for it (at the latest when SDL closes that connection on
// the way out). Such an event has nobody left to wake: it is ignored.
int onProtocolError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == kSendEventRequest) return 0;
    return g_previousErrorHandler ? g_previousErrorHandler(display, error) : 0;
}

}  // namespace

void installProtocolErrorHandler() {
    XErrorHandler previous = XSetErrorHandler(onProtocolError);
    if (previous != onProtocolError) g_previousErrorHandler = previous;
}

void installDisplayLostHandler(const std::string& programName) {
    std::string message = programName + ": the connection to the display was lost\n";
    if (message.size() >= sizeof g_displayLostMessage) {
        message = "the connection to the display was lost\n";
    }
    std::memcpy(g_displayLostMessage, message.data(), message.size());
    g_displayLostLength = message.size();
    XSetIOErrorHandler(onDisplayLost);
}

namespace {

bool x11Window(SDL_Window* window, Display*& display, Window& xwindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
}

}  // namespace

void markUndecorated(SDL_Window* window) {
    Display* display;
    Window xwindow;
    if (!x11Window(window, display, xwindow)) return;
    // flags = decorations given, decorations = none (the Motif hint layout).
    const long motifHints[5] = {1L << 1, 0, 0, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, xwindow, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motifHints), 5);
    Window owner = 0;
    if (XGetTransientForHint(display, xwindow, &owner) && owner == DefaultRootWindow(display)) {
        XDeleteProperty(display, xwindow, XA_WM_TRANSIENT_FOR);
    }
}

void mapWithoutFocus(SDL_Window* window) {
    Display* display;
    Window xwindow;
    if (!x11Window(window, display, xwindow)) return;
    XMapRaised(display, xwindow);
    XFlush(display);
}

void unmap(SDL_Window* window) {
    Display* display;
    Window xwindow;
    if (!x11Window(window, display, xwindow)) return;
    XUnmapWindow(display, xwindow);
    XFlush(display);
}

std::optional<POINT> pointerRootPosition(const SDL_SysWMmsg* message) {
    if (!message || message->subsystem != SDL_SYSWM_X11) return std::nullopt;
    const XEvent& event = message->msg.x11.event;
    switch (event.type) {
    case MotionNotify: return POINT{event.xmotion.x_root, event.xmotion.y_root};
    case ButtonPress:
    case ButtonRelease: return POINT{event.xbutton.x_root, event.xbutton.y_root};
    case EnterNotify:
    case LeaveNotify: return POINT{event.xcrossing.x_root, event.xcrossing.y_root};
    default: return std::nullopt;
    }
}

bool isCrossingWithButtonHeld(const SDL_SysWMmsg* message) {
    if (!message || message->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& event = message->msg.x11.event;
    if (event.type != EnterNotify && event.type != LeaveNotify) return false;
    constexpr unsigned kButtons = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
    return (event.xcrossing.state & kButtons) != 0;
}

void sleepWatchingDisplay(SDL_Window* window, std::uint32_t ms) {
    Display* display;
    Window xwindow;
    if (!window || !x11Window(window, display, xwindow) || g_displayLostLength == 0) {
        SDL_Delay(ms);
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    // Only the server hanging up wakes the wait, not input: reading input
    // now would take it past Xlib's queue, and Xlib reads nothing more
    // while its queue holds events.
    pollfd connection{ConnectionNumber(display), POLLRDHUP, 0};
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return;
        connection.revents = 0;
        if (::poll(&connection, 1, static_cast<int>(left)) <= 0) continue;
        if (connection.revents & (POLLRDHUP | POLLHUP | POLLERR)) onDisplayLost(display);
        // Anything else (a descriptor that is not a socket): wait the rest
        // without spinning on it.
        SDL_Delay(static_cast<Uint32>(left));
        return;
    }
}

void syncWithServer(SDL_Window* window) {
    Display* display;
    Window xwindow;
    if (x11Window(window, display, xwindow)) XSync(display, False);
}

bool setNetWmIcons(SDL_Window* window, const std::vector<IconPixels>& icons, std::string* error) {
    Display* display;
    Window xwindow;
    if (!x11Window(window, display, xwindow)) {
        if (error) *error = "the window is not an X11 window";
        return false;
    }
    // Format-32 properties are passed to Xlib as arrays of long, whatever
    // the size of long is.
    std::vector<long> data;
    for (const IconPixels& icon : icons) {
        const std::size_t count = static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height);
        if (icon.width <= 0 || icon.height <= 0 || icon.argb.size() != count) {
            if (error) {
                *error = "icon of " + std::to_string(icon.width) + "x" + std::to_string(icon.height) + " has " +
                         std::to_string(icon.argb.size()) + " pixels";
            }
            return false;
        }
        data.push_back(icon.width);
        data.push_back(icon.height);
        for (std::uint32_t pixel : icon.argb) data.push_back(static_cast<long>(pixel));
    }
    const Atom netWmIcon = XInternAtom(display, "_NET_WM_ICON", False);
    if (data.empty()) {
        XDeleteProperty(display, xwindow, netWmIcon);
    } else {
        XChangeProperty(display, xwindow, netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    }
    XFlush(display);
    return true;
}

}  // namespace display::sdl
