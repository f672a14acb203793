// The platform's own artwork for standard icons, computed once from simple
// geometry so it is the same on every run.
#include "platform/graphics/ControlLook.h"

#include <algorithm>
#include <cmath>

namespace graphics::look {

namespace {

constexpr std::uint32_t kTransparent = 0x00000000u;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kYellow = 0xFFFFFF00u;

// Signed distance (in pixels) of point (px, py) from the line through (ax, ay)
// and (bx, by); positive on the left of the direction a -> b.
double sideOf(double ax, double ay, double bx, double by, double px, double py) {
    const double dx = bx - ax;
    const double dy = by - ay;
    return ((px - ax) * dy - (py - ay) * dx) / std::sqrt(dx * dx + dy * dy);
}

// A warning triangle: yellow with a black border two pixels wide, a black
// exclamation mark, transparent around it.
IconImage makeExclamation() {
    constexpr int kSize = 32;
    IconImage icon;
    icon.width = kSize;
    icon.height = kSize;
    icon.argb.assign(kSize * kSize, kTransparent);

    // Corners, clockwise on screen: apex, bottom right, bottom left.
    const double apexX = 16.0, apexY = 1.0;
    const double rightX = 31.0, rightY = 30.0;
    const double leftX = 1.0, leftY = 30.0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            // Inside means on the same side of all three edges.
            const double d1 = sideOf(apexX, apexY, rightX, rightY, px, py);
            const double d2 = sideOf(rightX, rightY, leftX, leftY, px, py);
            const double d3 = sideOf(leftX, leftY, apexX, apexY, px, py);
            if (d1 > 0 || d2 > 0 || d3 > 0) continue;
            const double nearest = std::min({-d1, -d2, -d3});
            icon.argb[static_cast<std::size_t>(y * kSize + x)] = nearest < 2.0 ? kBlack : kYellow;
        }
    }

    // The exclamation mark: a bar narrowing from four pixels to two, then a dot.
    auto ink = [&](int x0, int x1, int y) {
        for (int x = x0; x < x1; ++x) icon.argb[static_cast<std::size_t>(y * kSize + x)] = kBlack;
    };
    for (int y = 10; y < 16; ++y) ink(14, 18, y);
    for (int y = 16; y < 22; ++y) ink(15, 17, y);
    ink(15, 17, 24);
    ink(14, 18, 25);
    ink(14, 18, 26);
    ink(15, 17, 27);
    return icon;
}

}  // namespace

const IconImage& standardIcon(StandardIcon which) {
    static const IconImage exclamation = makeExclamation();
    switch (which) {
        case StandardIcon::Exclamation: return exclamation;
    }
    return exclamation;
}

}  // namespace graphics::look
