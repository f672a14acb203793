#include "tests/e2e/ExpectedGeometry.h"

#include "platform/graphics/Font.h"

#include <cmath>

namespace e2e {
namespace {

constexpr int kFrame = 3;     // dialog frame, each side
constexpr int kCaption = 19;  // caption bar (18) and the line under it

int centredStart(int referenceStart, int referenceEnd, int length, int boundsStart, int boundsEnd) {
    int start = (referenceStart + referenceEnd) / 2 - length / 2;
    if (start < boundsStart) {
        start = boundsStart;
    } else if (start + length > boundsEnd) {
        start = boundsEnd - length;
    }
    return start;
}

}  // namespace

BaseUnits dialogBaseUnits() {
    const SIZE units = graphics::Font::get({"MS Sans Serif", 8})->baseUnits();
    return {static_cast<int>(units.cx), static_cast<int>(units.cy)};
}

int horizontalPixels(int units, BaseUnits base) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base.x / 4));
}

int verticalPixels(int units, BaseUnits base) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base.y / 8));
}

WindowGeometry dialogWindowSize(int widthUnits, int heightUnits, BaseUnits base) {
    return {0, 0, horizontalPixels(widthUnits, base) + 2 * kFrame,
            verticalPixels(heightUnits, base) + 2 * kFrame + kCaption};
}

WindowGeometry centred(const WindowGeometry& size, const WindowGeometry& reference, const WorkArea& bounds) {
    return {centredStart(reference.x, reference.x + reference.width, size.width, bounds.x, bounds.x + bounds.width),
            centredStart(reference.y, reference.y + reference.height, size.height, bounds.y, bounds.y + bounds.height),
            size.width, size.height};
}

WindowGeometry controlOnScreen(const WindowGeometry& window, int x, int y, int width, int height, BaseUnits base) {
    const int clientLeft = window.x + kFrame;
    const int clientTop = window.y + kFrame + kCaption;
    return {clientLeft + horizontalPixels(x, base), clientTop + verticalPixels(y, base), horizontalPixels(width, base),
            verticalPixels(height, base)};
}

int centreX(const WindowGeometry& g) { return g.x + g.width / 2; }
int centreY(const WindowGeometry& g) { return g.y + g.height / 2; }

WindowGeometry offsetBy(const WindowGeometry& part, const WindowGeometry& window) {
    return {window.x + part.x, window.y + part.y, part.width, part.height};
}

WindowGeometry asGeometry(const WorkArea& area) { return {area.x, area.y, area.width, area.height}; }

}  // namespace e2e
