// The parts of the native X11 window the SDL API does not reach: the full
// icon list and the reaction to a lost display connection.
#pragma once

#include "platform/display/Backend.h"

#include <SDL_video.h>

#include <string>
#include <vector>

namespace display::sdl {

// Makes Xlib's fatal I/O error (the X server went away) print
// "<programName>: the connection to the display was lost" and end the
// process with status 1. Xlib does not let the handler return.
void installDisplayLostHandler(const std::string& programName);

// Sets _NET_WM_ICON of the window to all `icons` (task bars pick the size
// they need). Returns false with a message when the window is not an X11
// window or an icon is malformed.
bool setNetWmIcons(SDL_Window* window, const std::vector<IconPixels>& icons, std::string* error);

// Marks a borderless window as undecorated through _MOTIF_WM_HINTS. When
// that atom does not exist yet on the server (no window manager has run),
// SDL 2.26 marks borderless windows transient for the root window instead,
// which a window manager started later would treat as a dialog of the whole
// program; that hint is removed here.
void markUndecorated(SDL_Window* window);

}  // namespace display::sdl
