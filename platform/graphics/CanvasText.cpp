// Canvas text: the classic DrawText on pango layouts, mnemonic underlines
// and embossed (disabled) text.
#include "platform/graphics/Canvas.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/FontEngine.h"
#include "platform/graphics/PixelMath.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TextPrepare.h"

#include <algorithm>

namespace graphics {

namespace {

PangoAlignment alignmentOf(UINT format) {
    if (format & DT_CENTER) return PANGO_ALIGN_CENTER;
    if (format & DT_RIGHT) return PANGO_ALIGN_RIGHT;
    return PANGO_ALIGN_LEFT;
}

}  // namespace

SIZE textExtent(const Font& font, std::string_view text, UINT format) {
    const PrefixedText prepared = detail::prepareText(text, format);
    const detail::LaidOutText& laid = detail::FontEngine::instance().layout(
        font, {prepared.shown, -1, PANGO_ALIGN_LEFT, (format & DT_EXPANDTABS) != 0});
    return {laid.width, laid.height};
}

SIZE Canvas::textExtent(const Font& font, std::string_view text, UINT format) const {
    return graphics::textExtent(font, text, format);
}

int Canvas::drawText(const Font& font, std::string_view text, RECT& rect, UINT format, COLORREF color) {
    const PrefixedText prepared = detail::prepareText(text, format);
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const bool wrap = (format & DT_WORDBREAK) && !singleLine;
    const PangoAlignment alignment = alignmentOf(format);
    const detail::LaidOutText& laid = detail::FontEngine::instance().layout(
        font, {prepared.shown, wrap ? std::max<int>(rectWidth(rect), 0) : -1, alignment,
               (format & DT_EXPANDTABS) != 0});

    if (format & DT_CALCRECT) {
        rect.right = rect.left + laid.width;
        rect.bottom = rect.top + laid.height;
        return laid.height;
    }

    // A wrapped layout is as wide as the rectangle and aligns its own lines;
    // an unwrapped one is placed as a block.
    int x = rect.left;
    if (!wrap) {
        if (alignment == PANGO_ALIGN_CENTER) x = rect.left + (rectWidth(rect) - laid.width) / 2;
        else if (alignment == PANGO_ALIGN_RIGHT) x = rect.right - laid.width;
    }
    int y = rect.top;
    if (singleLine) {
        if (format & DT_VCENTER) y = rect.top + (rectHeight(rect) - laid.height) / 2;
        else if (format & DT_BOTTOM) y = rect.bottom - laid.height;
    }

    const RECT limit = (format & DT_NOCLIP) ? clip_ : detail::intersect(clip_, rect);
    if (!rectEmpty(limit) && !prepared.shown.empty()) {
        cairo_t* cr = beginCairo(limit);
        cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
        cairo_move_to(cr, x, y);
        pango_cairo_show_layout(cr, laid.layout);
        endCairo();

        if (prepared.underlineIndex >= 0) {
            // The mnemonic underline: one pixel high, one row below the
            // baseline, as wide as the character's advance.
            PangoRectangle pos;
            pango_layout_index_to_pos(laid.layout, prepared.underlineIndex, &pos);
            const int left = PANGO_PIXELS(std::min(pos.x, pos.x + pos.width));
            const int right = PANGO_PIXELS(std::max(pos.x, pos.x + pos.width));
            const int row = y + PANGO_PIXELS(pos.y) + laid.baseline + 1;
            fillClipped({x + left, row, x + right, row + 1}, limit, detail::toPixel(color));
        }
    }
    if (singleLine && (format & (DT_VCENTER | DT_BOTTOM))) return y - rect.top + laid.height;
    return laid.height;
}

void Canvas::drawDisabledText(const Font& font, std::string_view text, RECT rect, UINT format) {
    RECT raised = rectOffset(rect, 1, 1);
    drawText(font, text, raised, format, sysColor(COLOR_BTNHIGHLIGHT));
    drawText(font, text, rect, format, sysColor(COLOR_BTNSHADOW));
}

}  // namespace graphics
