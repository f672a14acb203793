#include "platform/display/sdl/SdlVideoStart.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace display::sdl {
namespace {

std::string envValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void setHints(bool pinX11) {
    // Without this, the first window surface builds a software OpenGL
    // framebuffer and recreates the X window: slower, far bigger, and a
    // position set while hidden is lost.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Otherwise SDL falls back to its invisible offscreen driver when the
    // display cannot be opened.
    if (pinX11) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // A click that activates a window also acts on it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A window-close event is the system close command, decided by the
    // windowing layer; SDL must not turn it into a quit request.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // A dialog program has no reason to keep the screen saver away.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // SDL would turn SIGINT and SIGTERM into quit events, which this program
    // does not act on: the signals keep their default effect and end it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

}  // namespace

void prepareSdlEnvironment() {
    // SDL asks D-Bus for the session bus at start (for input methods, which
    // a program reading only keys never uses). Without a bus address libdbus
    // would start dbus-launch as a child process, leaving a bus daemon
    // behind, and with one SDL would connect to the bus and read the input
    // method's address file. "disabled:" makes libdbus answer that there is
    // no bus, and SDL goes on without one.
    if (envValue("DBUS_SESSION_BUS_ADDRESS") != "disabled:") setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    // SDL opens an X input method at start, and Xlib's local one parses the
    // locale's whole compose table (thousands of lines: most of the start's
    // time). This program takes keys, never composed text, so the table is
    // left empty.
    if (envValue("XCOMPOSEFILE") != "/dev/null") setenv("XCOMPOSEFILE", "/dev/null", 1);
}

bool startSdlVideo(std::string* error) {
    prepareSdlEnvironment();
    const std::string chosenDriver = envValue("SDL_VIDEODRIVER");
    const bool pinX11 = chosenDriver.empty() || chosenDriver == "x11";
    const std::string displayName = envValue("DISPLAY");
    if (pinX11 && displayName.empty()) {
        if (error) *error = "cannot open the display: DISPLAY is not set; set DISPLAY to a running X server";
        return false;
    }

    setHints(pinX11);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) {
            if (pinX11) {
                *error = "cannot open display '" + displayName +
                         "': no X server answers; set DISPLAY to a running X server";
            } else {
                *error = "cannot start the video driver '" + chosenDriver + "' (SDL_VIDEODRIVER): " + SDL_GetError();
            }
        }
        return false;
    }

    // The backend talks to X11 directly for icons and the lost-display
    // handler, so any other driver would be a silent half-working fallback.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) {
        if (error) {
            *error = std::string("the video driver '") + (driver ? driver : "none") +
                     "' is not X11; unset SDL_VIDEODRIVER or set it to x11";
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

}  // namespace display::sdl
