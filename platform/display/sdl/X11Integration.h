// The parts of the native X11 window the SDL API does not reach: the full
// icon list and the reaction to a lost display connection.
#pragma once

#include "platform/display/Backend.h"

#include <SDL_video.h>

#include <cstdint>
#include <optional>

#include <string>
#include <vector>

struct SDL_SysWMmsg;

namespace display::sdl {

// Makes Xlib's fatal I/O error (the X server went away) print
// "<programName>: the connection to the display was lost" and end the
// process with status 1. Xlib does not let the handler return.
void installDisplayLostHandler(const std::string& programName);

// Ignores the one protocol error that is a harmless race (SDL's wake-up
// event sent to a window destroyed meanwhile); every other error goes to
// the handler that was there before (Xlib's). Called before SDL starts, as
// SDL chains its own handler to this one and puts this one back when it
// shuts down, which is when an error still in flight is read.
void installProtocolErrorHandler();

// Blocks the thread for `ms` milliseconds, as SDL_Delay does, while
// watching the display connection of `window`: a lost display ends the
// process at once, as installDisplayLostHandler says, instead of when the
// wait is over. Input arriving meanwhile stays unread for the event loop.
void sleepWatchingDisplay(SDL_Window* window, std::uint32_t ms);

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

// Maps and raises, or unmaps, a popup menu's window through Xlib. With no
// window manager SDL_ShowWindow also moves the input focus to every window
// it shows; the focus leaving the menu's owner and coming back makes SDL
// re-send the keys held meanwhile (Alt of Alt+Space), which would close the
// menu at once. A popup menu must leave the focus where it is.
void mapWithoutFocus(SDL_Window* window);
void unmap(SDL_Window* window);

// The screen position of the pointer carried by a raw X pointer event
// (motion, button, crossing); nullopt for any other event. SDL reports
// pointer positions relative to the window as it stood when X sent the
// event; while a window is being moved that is not where it stands when
// the event is read, the root position is right at any time.
std::optional<POINT> pointerRootPosition(const SDL_SysWMmsg* message);

// Whether the raw X event is the pointer entering or leaving a window while
// a mouse button is held. SDL turns a crossing into a pointer motion to the
// crossing's position. While a button is held, X reports every real move as
// motion to the window that has the pointer, so such a crossing adds no
// news, and its position can be older than a motion already reported: when
// a window manager holds the pointer frozen over a click (to focus the
// window clicked into), X reports the moves made meanwhile at their last
// position and the crossing at the place it happened.
bool isCrossingWithButtonHeld(const SDL_SysWMmsg* message);

// Waits until the X server has handled every request so far, so that the
// events it sent before are in Xlib's queue.
void syncWithServer(SDL_Window* window);

}  // namespace display::sdl
