// Reading a window property of format 32 (CARDINAL, WINDOW, ATOM lists)
// through Xlib, shared by the harness's X clients.
#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace e2e {

// The property's items as longs (Xlib's representation of format 32); empty
// when the window has no such property, or one of another type or format.
std::vector<long> readLongProperty(Display* display, Window window, const char* name, Atom type);

}  // namespace e2e
