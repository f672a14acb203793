// graphics::detail - conversions between COLORREF and the bitmap's pixel
// words, and rectangle intersection.
//
// Internal to the graphics library.
#pragma once

#include "platform/base/WinTypes.h"

#include <algorithm>
#include <cstdint>

namespace graphics::detail {

// COLORREF is 0x00BBGGRR; a bitmap pixel is 0x00RRGGBB.
constexpr std::uint32_t toPixel(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

constexpr COLORREF toColor(std::uint32_t p) {
    return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
}

// The common part of two rectangles; {0,0,0,0} when they do not meet.
constexpr RECT intersect(const RECT& a, const RECT& b) {
    const RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (rectEmpty(r)) return {0, 0, 0, 0};
    return r;
}

}  // namespace graphics::detail
