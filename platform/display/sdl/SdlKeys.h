// Translation of SDL key events into the classic virtual-key codes of
// platform/base/VirtualKeys.h.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

namespace display::sdl {

// The virtual key for a key event, or 0 when the key has none the program
// knows. `numLock` decides whether a keypad key is a digit or a cursor key,
// as it does on the classic platform.
unsigned virtualKeyFor(SDL_Keycode sym, SDL_Scancode scancode, bool numLock);

// Modifier bits (display::Modifier) held in an SDL modifier state.
unsigned modifiersFor(Uint16 sdlMod);

}  // namespace display::sdl
