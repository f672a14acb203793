// The SDL2 display backend: a real X11 screen.
//
// Each surface is one borderless SDL window; the windowing layer draws the
// whole window, frame included. Pixels are copied into SDL's window surface
// (shared-memory blits), which also serves as the backing store: when X
// asks for a window to be redrawn, the backend shows the last frame again
// by itself and never reports Exposed while it still holds that frame.
#pragma once

#include "platform/display/Backend.h"

#include <memory>
#include <string>

namespace display {

// Opens the X11 display named by DISPLAY. Returns null with a message in
// *error (for instance "cannot open display ':5': no X server answers; set
// DISPLAY to a running X server") when there is no usable display. Once it
// has succeeded, losing the display connection prints
// "<programName>: the connection to the display was lost" and ends the
// process with status 1. Only one SDL backend may exist at a time.
std::unique_ptr<Backend> createSdlBackend(const std::string& programName, std::string* error);

// Sets the environment variables the SDL backend needs at start (no D-Bus
// session bus). createSdlBackend does it itself; a program that starts
// threads first does it before them, since changing the environment while
// another thread reads it is a data race.
void prepareSdlProcessEnvironment();

}  // namespace display
