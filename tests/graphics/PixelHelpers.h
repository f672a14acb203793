// Helpers for reading pixels back from bitmaps in the graphics tests.
#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/SystemColors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace graphics::testing {

// A bitmap that can be returned from a function (Bitmap itself cannot be
// copied or moved).
class Picture {
public:
    Picture(int width, int height) : bitmap_(std::make_unique<Bitmap>(width, height)) {}
    operator Bitmap&() { return *bitmap_; }
    operator const Bitmap&() const { return *bitmap_; }
    std::uint32_t pixel(int x, int y) const { return bitmap_->pixel(x, y); }
    int width() const { return bitmap_->width(); }
    int height() const { return bitmap_->height(); }

private:
    std::unique_ptr<Bitmap> bitmap_;
};

// The bitmap's 0x00RRGGBB value of a colour.
inline std::uint32_t px(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}
inline std::uint32_t sys(int index) { return px(sysColor(index)); }

// Fills the whole bitmap with one colour.
inline void fill(Bitmap& bitmap, COLORREF color) {
    Canvas canvas(bitmap, {0, 0}, {0, 0, bitmap.width(), bitmap.height()});
    canvas.fillRect({0, 0, bitmap.width(), bitmap.height()}, color);
}

// The smallest rectangle holding every pixel of `area` that satisfies `pred`;
// empty when none does.
inline RECT findPixels(const Bitmap& bitmap, const RECT& area, const std::function<bool(std::uint32_t)>& pred) {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pred(bitmap.pixel(x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left >= box.right) return {0, 0, 0, 0};
    return box;
}

// Bounding box of the pixels that differ from `background`.
inline RECT inkBox(const Bitmap& bitmap, const RECT& area, std::uint32_t background) {
    return findPixels(bitmap, area, [&](std::uint32_t p) { return p != background; });
}

inline int countPixels(const Bitmap& bitmap, const RECT& area, std::uint32_t value) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (bitmap.pixel(x, y) == value) ++n;
    return n;
}

inline RECT whole(const Bitmap& bitmap) { return {0, 0, bitmap.width(), bitmap.height()}; }

constexpr COLORREF kMagenta = RGB(255, 0, 255);  // a background no look uses

// A w x h picture on a magenta background, painted by `paint`.
template <typename Paint>
Picture painted(int w, int h, Paint paint) {
    Picture picture(w, h);
    fill(picture, kMagenta);
    Canvas canvas(picture, {0, 0}, whole(picture));
    paint(canvas);
    return picture;
}

inline std::string hex(std::uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", v);
    return buffer;
}

}  // namespace graphics::testing

// Readable rectangles in failure messages.
inline std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
