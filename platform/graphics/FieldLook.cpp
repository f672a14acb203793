// The looks of text fields: edit controls, the closed drop-down combo box
// and the items of its dropped list.
#include "platform/graphics/ControlLook.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/LookPatterns.h"
#include "platform/graphics/SystemColors.h"

#include <algorithm>

namespace graphics::look {

using detail::deflate;

namespace {

constexpr int kComboButtonWidth = 16;  // the width of a vertical scroll bar
constexpr UINT kFieldFormat = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;

// The sunken field of edits and combo boxes; returns the inside.
RECT paintField(Canvas& canvas, const RECT& rect, bool bordered, bool disabled) {
    RECT inside = rect;
    if (bordered) canvas.drawEdge(inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    canvas.fillRect(inside, sysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    return inside;
}

// The classic drop-down arrow, 7 pixels wide and 4 high, top-left at (x, y).
void drawArrow(Canvas& canvas, int x, int y, COLORREF color) {
    for (int row = 0; row < 4; ++row) canvas.hLine(x + row, x + 7 - row, y + row, color);
}

}  // namespace

void paintEdit(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text, bool bordered,
               const ControlState& state, int caretIndex) {
    const RECT inside = paintField(canvas, rect, bordered, state.disabled);
    detail::ClipScope clip(canvas, inside);

    // A single-line edit starts its text one pixel in from the left and the
    // top. When the caret would fall past the right side, the text scrolls
    // left far enough to show it.
    const int left = inside.left + 1;
    const int top = inside.top + 1;
    const int visible = rectWidth(inside) - 2;
    int caretX = -1;
    if (caretIndex >= 0) {
        const auto index = std::min<std::size_t>(static_cast<std::size_t>(caretIndex), text.size());
        caretX = canvas.textExtent(font, text.substr(0, index), kFieldFormat).cx;
    }
    const int scroll = std::max(0, caretX - visible);

    RECT textRect{left - scroll, top, inside.right, top + font.height()};
    canvas.drawText(font, text, textRect, kFieldFormat | DT_NOCLIP,
                    sysColor(state.disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    if (caretX >= 0) canvas.vLine(left + caretX - scroll, top, top + font.height(), sysColor(COLOR_WINDOWTEXT));
}

RECT comboButtonRect(const RECT& rect) {
    const RECT inside = deflate(rect, metrics::clientEdge);
    return {std::max(inside.left, inside.right - kComboButtonWidth), inside.top, inside.right, inside.bottom};
}

void paintComboBox(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                   const ControlState& state) {
    const RECT inside = paintField(canvas, rect, true, state.disabled);
    RECT button = comboButtonRect(rect);

    // The selected entry, vertically centred in the field left of the button;
    // selected (highlighted) while the box has the focus.
    {
        const RECT field{inside.left, inside.top, button.left, inside.bottom};
        detail::ClipScope clip(canvas, field);
        const SIZE extent = canvas.textExtent(font, text, kFieldFormat);
        const int x = field.left + 2;
        const int y = field.top + (rectHeight(field) - extent.cy) / 2;
        RECT textRect{x, y, x + extent.cx, y + extent.cy};
        COLORREF color = sysColor(state.disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
        if (state.focused && !state.disabled && !text.empty()) {
            canvas.fillRect(textRect, sysColor(COLOR_HIGHLIGHT));
            color = sysColor(COLOR_HIGHLIGHTTEXT);
        }
        canvas.drawText(font, text, textRect, kFieldFormat | DT_NOCLIP, color);
    }

    // The drop-down button: a raised tile, flat while pressed, its arrow
    // moving down-right with the press; an embossed arrow when disabled.
    if (state.pushed)
        canvas.drawEdge(button, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RECT | BF_FLAT | BF_MIDDLE);
    else
        canvas.drawEdge(button, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    int x = button.left + (rectWidth(button) - 7) / 2;
    int y = button.top + (rectHeight(button) - 4) / 2;
    if (state.pushed && !state.disabled) {
        ++x;
        ++y;
    }
    detail::ClipScope clip(canvas, deflate(button, 2));
    if (state.disabled) {
        drawArrow(canvas, x + 1, y + 1, sysColor(COLOR_BTNHIGHLIGHT));
        drawArrow(canvas, x, y, sysColor(COLOR_BTNSHADOW));
    } else {
        drawArrow(canvas, x, y, sysColor(COLOR_BTNTEXT));
    }
}

void paintListItems(Canvas& canvas, const Font& font, const RECT& rect, const std::vector<std::string>& items,
                    int topIndex, int highlighted, int itemHeight) {
    // `rect` is the inside of the list, within its border.
    canvas.fillRect(rect, sysColor(COLOR_WINDOW));
    if (itemHeight <= 0) return;
    detail::ClipScope clip(canvas, rect);
    int y = rect.top;
    for (int i = std::max(topIndex, 0); i < static_cast<int>(items.size()) && y < rect.bottom; ++i) {
        RECT item{rect.left, y, rect.right, y + itemHeight};
        COLORREF color = sysColor(COLOR_WINDOWTEXT);
        if (i == highlighted) {
            canvas.fillRect(item, sysColor(COLOR_HIGHLIGHT));
            color = sysColor(COLOR_HIGHLIGHTTEXT);
        }
        RECT textRect{item.left + 2, item.top, item.right, item.bottom};
        canvas.drawText(font, items[static_cast<std::size_t>(i)], textRect, kFieldFormat | DT_VCENTER, color);
        y += itemHeight;
    }
}

}  // namespace graphics::look
