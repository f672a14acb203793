// The window classes of the standard controls: "Button" (push, default
// push, radio and check buttons, group boxes), "Static" (text, filled
// rectangles, icons), "Edit" (single-line fields) and "ComboBox"
// (drop-down with an edit field and a list).
#pragma once

#include "platform/windowing/WindowSystem.h"

namespace controls {

// Registers every control class in `system`; a session does it once, before
// it creates dialogs.
void registerControlClasses(windowing::WindowSystem& system);

LRESULT buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT comboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The combo box's open list.
void registerComboListClass(windowing::WindowSystem& system);

}  // namespace controls
