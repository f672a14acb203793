// Starting SDL's video subsystem on an X11 display, with the settings the
// backend relies on.
#pragma once

#include <string>

namespace display::sdl {

// Sets the environment variables SDL's libraries read at start (no D-Bus
// session bus); startSdlVideo does it too.
void prepareSdlEnvironment();

// Sets the hints, initialises the video subsystem only and checks that the
// x11 driver runs. Returns false with a message naming the display and what
// to do when there is no usable X11 display.
bool startSdlVideo(std::string* error);

}  // namespace display::sdl
