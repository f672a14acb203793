#include "tools/snapshot/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace snapshot {

bool displayAvailable() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return false;
    Display* display = XOpenDisplay(name);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

}  // namespace snapshot
