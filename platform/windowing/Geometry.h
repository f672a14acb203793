// Where a window lies: its non-client insets, its client area in screen
// coordinates and in its top-level window's pixels, and the rectangle its
// painting may touch.
#pragma once

#include "platform/windowing/WindowSystem.h"

namespace windowing {

// Widths of the non-client parts of a window of the given styles: frame on
// each side plus the caption at the top. Child windows have none (controls
// draw their own borders).
RECT nonClientInsets(DWORD style, DWORD exStyle);
inline RECT nonClientInsets(const Window& w) { return nonClientInsets(w.style, w.exStyle); }
bool hasCaption(const Window& w);

// The top-level window holding `w` (itself for a top-level window).
Window* topLevelOf(Window* w);

// The window's rectangle and client rectangle in screen coordinates.
RECT screenRect(const Window& w);
RECT clientScreenRect(const Window& w);

// Offset of the window's client area, or of its whole area, inside its
// top-level window's bitmap.
POINT clientOriginInTopLevel(const Window& w);
POINT windowOriginInTopLevel(const Window& w);

// The part of the window's client area (client coordinates) that its
// painting may touch: its client rectangle clipped by every ancestor's
// client area.
RECT visibleClientRect(const Window& w);

// Whether the window and all its ancestors are visible.
bool reallyVisible(const Window& w);

RECT intersectRect(const RECT& a, const RECT& b);
RECT unionRect(const RECT& a, const RECT& b);

}  // namespace windowing
