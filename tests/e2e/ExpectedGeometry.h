// Where the program's windows belong, worked out the way the classic
// dialog manager does it: sizes from dialog units of the dialog font, the
// window frame around the client area, and centring over a reference
// rectangle kept inside bounds.
#pragma once

#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"

namespace e2e {

struct BaseUnits {
    int x = 0;  // average character width of the dialog font
    int y = 0;  // its height
};

// Base units of the dialogs' font, 8 point "MS Sans Serif" as installed here.
BaseUnits dialogBaseUnits();

// Dialog units to pixels: x * base.x / 4 and y * base.y / 8, rounded.
int horizontalPixels(int units, BaseUnits base);
int verticalPixels(int units, BaseUnits base);

// The whole window of a captioned dialog-frame window whose client area is
// `width` x `height` dialog units: a 3-pixel frame on every side and the
// 19-pixel caption (bar and the line under it) above the client area.
WindowGeometry dialogWindowSize(int widthUnits, int heightUnits, BaseUnits base);

// The window of `size` centred over `reference`: left = (reference left +
// reference right) / 2 - width / 2, divisions truncating; moved to the
// bounds' left edge when it starts left of them, else to their right edge
// when it passes it; the top likewise.
WindowGeometry centred(const WindowGeometry& size, const WindowGeometry& reference, const WorkArea& bounds);

// Where a control of a dialog window at `window` lies on the screen, from
// its template rectangle in dialog units.
WindowGeometry controlOnScreen(const WindowGeometry& window, int x, int y, int width, int height, BaseUnits base);

// The centre of a rectangle, and the place of a part of a window on the screen.
int centreX(const WindowGeometry& g);
int centreY(const WindowGeometry& g);
WindowGeometry offsetBy(const WindowGeometry& part, const WindowGeometry& window);

WindowGeometry asGeometry(const WorkArea& area);

}  // namespace e2e
