// Popup menu windows and the loop that tracks them.
#pragma once

#include "platform/windowing/WindowSystem.h"

#include <cstdint>

namespace windowing {

void registerMenuClass(WindowSystem& system);

// Shows `menu` at `at` (screen) for `owner` and returns the identifier of the
// chosen item, or 0 when the menu was closed without a choice. From the
// keyboard the first item starts highlighted.
std::uintptr_t trackMenu(HMENU menu, HWND owner, POINT at, bool fromKeyboard);

}  // namespace windowing
