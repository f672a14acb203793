// graphics::detail - small helpers shared by the look files: pictures drawn
// from rows of characters (check marks, arrows, glyphs) and a clip that is
// put back when a scope ends.
//
// Internal to the graphics library.
#pragma once

#include "platform/graphics/Canvas.h"

#include <initializer_list>
#include <optional>
#include <string_view>

namespace graphics::detail {

// Draws `rows` with its top-left at (x, y); `colorOf(ch)` gives the colour of
// a character, or nothing for a pixel left as it is.
template <typename ColorOf>
void drawPattern(Canvas& canvas, int x, int y, std::initializer_list<std::string_view> rows, ColorOf colorOf) {
    int row = 0;
    for (std::string_view line : rows) {
        for (int col = 0; col < static_cast<int>(line.size()); ++col) {
            const std::optional<COLORREF> color = colorOf(line[static_cast<std::size_t>(col)]);
            if (color) canvas.setPixel(x + col, y + row, *color);
        }
        ++row;
    }
}

// Narrows the canvas's clip for the life of the scope.
class ClipScope {
public:
    ClipScope(Canvas& canvas, const RECT& rect) : canvas_(canvas), saved_(canvas.clip()) {
        canvas.intersectClip(rect);
    }
    ~ClipScope() { canvas_.setClip(saved_); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Canvas& canvas_;
    RECT saved_;
};

constexpr RECT deflate(const RECT& r, int by) { return rectInflate(r, -by, -by); }

}  // namespace graphics::detail
