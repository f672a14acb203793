// Canvas: clipping, rectangles, lines, pixels, 3-D edges, the focus
// rectangle and icons. Rectangles and lines are written straight into the
// bitmap's pixels so every line is exactly one pixel wide and never blended.
#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/IconImage.h"
#include "platform/graphics/PixelMath.h"
#include "platform/graphics/SystemColors.h"

#include <cairo.h>

#include <algorithm>

namespace graphics {

using detail::intersect;
using detail::toColor;
using detail::toPixel;

Canvas::Canvas(Bitmap& target, POINT origin, RECT clip) : target_(target), origin_(origin), clip_{}, cr_(nullptr) {
    setClip(clip);
    // Anything cairo still holds for this surface must reach the pixels
    // before they are written directly.
    cairo_surface_flush(target_.cairoSurface());
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (pixelsWritten_) cairo_surface_mark_dirty(target_.cairoSurface());
}

void Canvas::intersectClip(const RECT& rect) { clip_ = intersect(clip_, rect); }

void Canvas::setClip(const RECT& rect) {
    const RECT bitmapInCanvas{-origin_.x, -origin_.y, target_.width() - origin_.x, target_.height() - origin_.y};
    clip_ = intersect(rect, bitmapInCanvas);
}

std::uint32_t* Canvas::pixelAt(int x, int y) const {
    auto* base = reinterpret_cast<unsigned char*>(target_.pixels());
    return reinterpret_cast<std::uint32_t*>(base + static_cast<std::size_t>(y + origin_.y) * target_.stride()) +
           (x + origin_.x);
}

void Canvas::fillClipped(const RECT& rect, const RECT& limit, std::uint32_t pixel) {
    const RECT r = intersect(rect, limit);
    if (rectEmpty(r)) return;
    for (LONG y = r.top; y < r.bottom; ++y) std::fill_n(pixelAt(r.left, y), r.right - r.left, pixel);
    pixelsWritten_ = true;
}

void Canvas::fillRect(const RECT& rect, COLORREF color) { fillClipped(rect, clip_, toPixel(color)); }

void Canvas::frameRect(const RECT& rect, COLORREF color) {
    if (rectEmpty(rect)) return;
    const std::uint32_t p = toPixel(color);
    fillClipped({rect.left, rect.top, rect.right, rect.top + 1}, clip_, p);
    fillClipped({rect.left, rect.bottom - 1, rect.right, rect.bottom}, clip_, p);
    fillClipped({rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, clip_, p);
    fillClipped({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, clip_, p);
}

void Canvas::setPixel(int x, int y, COLORREF color) { fillClipped({x, y, x + 1, y + 1}, clip_, toPixel(color)); }

COLORREF Canvas::pixel(int x, int y) const { return toColor(target_.pixel(x + origin_.x, y + origin_.y)); }

void Canvas::hLine(int x0, int x1, int y, COLORREF color) {
    fillClipped({std::min(x0, x1), y, std::max(x0, x1), y + 1}, clip_, toPixel(color));
}

void Canvas::vLine(int x, int y0, int y1, COLORREF color) {
    fillClipped({x, std::min(y0, y1), x + 1, std::max(y0, y1)}, clip_, toPixel(color));
}

void Canvas::drawEdge(RECT& rect, UINT edge, UINT flags) {
    // Each ring has a colour for its top and left sides and one for its
    // bottom and right sides; the outer ring is drawn first, on the rectangle's
    // border, the inner one inside it.
    struct Ring {
        int topLeft;
        int bottomRight;
    };
    Ring rings[2];
    int count = 0;
    const bool soft = (flags & BF_SOFT) != 0;
    if (flags & BF_FLAT) {
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) rings[count++] = {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) rings[count++] = {COLOR_BTNFACE, COLOR_BTNFACE};
    } else {
        // Soft (push-button) edges swap the top-left colours of the two rings.
        if (edge & BDR_RAISEDOUTER)
            rings[count++] = {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        else if (edge & BDR_SUNKENOUTER)
            rings[count++] = {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
        if (edge & BDR_RAISEDINNER)
            rings[count++] = {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
        else if (edge & BDR_SUNKENINNER)
            rings[count++] = {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    }

    RECT r = rect;
    for (int i = 0; i < count && !rectEmpty(r); ++i) {
        const std::uint32_t tl = toPixel(sysColor(rings[i].topLeft));
        const std::uint32_t br = toPixel(sysColor(rings[i].bottomRight));
        // Top and left stop one pixel short of the far corners, which belong
        // to the bottom and right sides.
        if (flags & BF_TOP) fillClipped({r.left, r.top, r.right - 1, r.top + 1}, clip_, tl);
        if (flags & BF_LEFT) fillClipped({r.left, r.top, r.left + 1, r.bottom - 1}, clip_, tl);
        if (flags & BF_BOTTOM) fillClipped({r.left, r.bottom - 1, r.right, r.bottom}, clip_, br);
        if (flags & BF_RIGHT) fillClipped({r.right - 1, r.top, r.right, r.bottom}, clip_, br);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
    }
    if ((flags & BF_MIDDLE) && !rectEmpty(r)) fillRect(r, sysColor(COLOR_BTNFACE));
    if (flags & BF_ADJUST) rect = r;
}

void Canvas::drawFocusRect(const RECT& rect) {
    if (rectEmpty(rect)) return;
    // Pixels on the outline whose bitmap coordinates have an even sum are
    // inverted: a fixed checkerboard, so a second call restores them.
    auto invert = [&](int x, int y) {
        if (!rectContains(clip_, {x, y})) return;
        if (((x + origin_.x + y + origin_.y) & 1) != 0) return;
        *pixelAt(x, y) ^= 0x00FFFFFFu;
        pixelsWritten_ = true;
    };
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    for (int x = rect.left; x <= right; ++x) {
        invert(x, rect.top);
        if (bottom != rect.top) invert(x, bottom);
    }
    for (int y = rect.top + 1; y < bottom; ++y) {
        invert(rect.left, y);
        if (right != rect.left) invert(right, y);
    }
}

void Canvas::drawIcon(int x, int y, const IconImage& icon) { drawIcon(x, y, icon, icon.width, icon.height); }

void Canvas::drawIcon(int x, int y, const IconImage& icon, int width, int height) {
    if (icon.width <= 0 || icon.height <= 0 || width <= 0 || height <= 0 ||
        icon.argb.size() < static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height))
        return;
    const RECT r = intersect({x, y, x + width, y + height}, clip_);
    for (LONG dy = r.top; dy < r.bottom; ++dy) {
        // The block of icon pixels that lands on this destination pixel.
        const int row = dy - y;
        const int sy0 = row * icon.height / height;
        const int sy1 = std::max(sy0 + 1, (row + 1) * icon.height / height);
        for (LONG dx = r.left; dx < r.right; ++dx) {
            const int col = dx - x;
            const int sx0 = col * icon.width / width;
            const int sx1 = std::max(sx0 + 1, (col + 1) * icon.width / width);
            std::uint32_t a = 0, red = 0, green = 0, blue = 0, n = 0;
            for (int sy = sy0; sy < sy1; ++sy)
                for (int sx = sx0; sx < sx1; ++sx) {
                    const std::uint32_t p = icon.argb[static_cast<std::size_t>(sy) * icon.width + sx];
                    const std::uint32_t pa = p >> 24;
                    a += pa;
                    red += ((p >> 16) & 0xFF) * pa;
                    green += ((p >> 8) & 0xFF) * pa;
                    blue += (p & 0xFF) * pa;
                    ++n;
                }
            if (a == 0) continue;
            std::uint32_t* dst = pixelAt(dx, dy);
            const std::uint32_t alpha = a / n;  // average coverage, 0..255
            // Premultiplied sums divided by n*255 give the colour's share.
            auto mix = [&](std::uint32_t sum, int shift) {
                const std::uint32_t back = (*dst >> shift) & 0xFF;
                const std::uint32_t front = sum / n;  // colour * alpha, 0..255*255
                return ((front + back * (255 - alpha)) + 127) / 255;
            };
            *dst = (mix(red, 16) << 16) | (mix(green, 8) << 8) | mix(blue, 0);
            pixelsWritten_ = true;
        }
    }
}

cairo_t* Canvas::beginCairo(const RECT& limit) {
    if (!cr_) {
        cr_ = cairo_create(target_.cairoSurface());
        cairo_translate(cr_, origin_.x, origin_.y);
    }
    if (pixelsWritten_) {
        cairo_surface_mark_dirty(target_.cairoSurface());
        pixelsWritten_ = false;
    }
    cairo_save(cr_);
    cairo_rectangle(cr_, limit.left, limit.top, rectWidth(limit), rectHeight(limit));
    cairo_clip(cr_);
    return cr_;
}

void Canvas::endCairo() {
    cairo_restore(cr_);
    cairo_surface_flush(target_.cairoSurface());
}

}  // namespace graphics
