// What window classes built on top of the windowing layer (the controls)
// need beyond the classic API: their per-window state, the canvas behind a
// device context and the font a window was given.
#pragma once

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/windowing/WindowSystem.h"

#include <functional>
#include <memory>

namespace windowing {

// The canvas of a device context; null for a dead handle.
graphics::Canvas* canvasOf(HDC dc);

// The font set with WM_SETFONT, or the message font.
const graphics::Font& fontOf(HWND hwnd);

// Gives the window its class state (once, at WM_NCCREATE) and returns it.
template <class T>
T* attachExtra(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w) return nullptr;
    if (!w->extra) w->extra = std::make_unique<T>();
    return dynamic_cast<T*>(w->extra.get());
}

// Repaints the window at once: state changes of controls (text, enabled,
// pressed, focus) show without waiting for the message loop.
void repaintNow(HWND hwnd);

// Answers WM_PAINT for a control: hands `paint` the canvas, the device
// context, the client rectangle and the window, between BeginPaint and
// EndPaint.
using ControlPainter = std::function<void(graphics::Canvas& canvas, HDC dc, const RECT& client, const Window& window)>;
void paintControl(HWND hwnd, const ControlPainter& paint);

// Tells the control's parent of an event: WM_COMMAND with the control's
// identifier, the notification code and the control.
void notifyParent(HWND hwnd, WORD code);

}  // namespace windowing
