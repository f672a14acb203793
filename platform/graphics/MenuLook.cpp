// The look of popup menus: layout of items and separators, the raised
// border, highlighted and disabled items, and the accelerator column.
#include "platform/graphics/ControlLook.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/LookPatterns.h"
#include "platform/graphics/SystemColors.h"

#include <algorithm>

namespace graphics::look {

namespace {

constexpr int kBorder = 3;          // raised edge (2) plus a 1-pixel gap
constexpr int kMinItemHeight = 17;  // an item of the 8-point menu font
constexpr int kSeparatorHeight = 9;
constexpr int kCheckColumn = 17;    // the text starts after the check-mark column
constexpr int kRightMargin = 17;    // room for a submenu arrow
constexpr int kAcceleratorGap = 12; // between the widest label and the accelerators
constexpr UINT kItemFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

struct SplitText {
    std::string_view label;
    std::string_view accelerator;  // after the tab, or empty
};

SplitText split(std::string_view text) {
    const std::size_t tab = text.find('\t');
    if (tab == std::string_view::npos) return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

int itemHeight(const Font& font) { return std::max(font.height() + 4, kMinItemHeight); }

// Widest label and widest accelerator of the menu's items.
std::pair<int, int> columnWidths(const Font& font, const std::vector<MenuItemView>& items) {
    int label = 0;
    int accelerator = 0;
    for (const MenuItemView& item : items) {
        if (item.separator) continue;
        const SplitText parts = split(item.text);
        label = std::max(label, static_cast<int>(textExtent(font, parts.label, kItemFormat).cx));
        if (!parts.accelerator.empty())
            accelerator =
                std::max(accelerator, static_cast<int>(textExtent(font, parts.accelerator, kItemFormat).cx));
    }
    return {label, accelerator};
}

}  // namespace

MenuLayout layoutPopupMenu(const Font& font, const std::vector<MenuItemView>& items) {
    const auto [labelWidth, acceleratorWidth] = columnWidths(font, items);
    int width = kCheckColumn + labelWidth + kRightMargin;
    if (acceleratorWidth > 0) width += kAcceleratorGap + acceleratorWidth;

    MenuLayout layout;
    int y = kBorder;
    for (const MenuItemView& item : items) {
        const int height = item.separator ? kSeparatorHeight : itemHeight(font);
        layout.itemRects.push_back({kBorder, y, kBorder + width, y + height});
        y += height;
    }
    layout.size = {width + 2 * kBorder, y + kBorder};
    return layout;
}

void paintPopupMenu(Canvas& canvas, const Font& font, const MenuLayout& layout, const std::vector<MenuItemView>& items,
                    int highlighted) {
    RECT inside{0, 0, layout.size.cx, layout.size.cy};
    canvas.drawEdge(inside, EDGE_RAISED, BF_RECT | BF_ADJUST);
    canvas.fillRect(inside, sysColor(COLOR_MENU));

    const int labelWidth = columnWidths(font, items).first;
    const std::size_t count = std::min(items.size(), layout.itemRects.size());
    for (std::size_t i = 0; i < count; ++i) {
        const MenuItemView& item = items[i];
        const RECT& rect = layout.itemRects[i];
        if (item.separator) {
            // An etched line through the middle.
            const int y = rect.top + kSeparatorHeight / 2 - 1;
            canvas.hLine(rect.left + 1, rect.right - 1, y, sysColor(COLOR_BTNSHADOW));
            canvas.hLine(rect.left + 1, rect.right - 1, y + 1, sysColor(COLOR_BTNHIGHLIGHT));
            continue;
        }
        const bool isHighlighted = static_cast<int>(i) == highlighted;
        if (isHighlighted) canvas.fillRect(rect, sysColor(COLOR_HIGHLIGHT));

        const SplitText parts = split(item.text);
        RECT labelRect{rect.left + kCheckColumn, rect.top, rect.right, rect.bottom};
        RECT acceleratorRect{rect.left + kCheckColumn + labelWidth + kAcceleratorGap, rect.top, rect.right,
                             rect.bottom};
        auto draw = [&](std::string_view text, RECT where) {
            if (text.empty()) return;
            if (item.disabled && !isHighlighted) {
                canvas.drawDisabledText(font, text, where, kItemFormat);
            } else {
                const int color = item.disabled ? COLOR_GRAYTEXT
                                                : (isHighlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
                canvas.drawText(font, text, where, kItemFormat, sysColor(color));
            }
        };
        draw(parts.label, labelRect);
        draw(parts.accelerator, acceleratorRect);
    }
}

}  // namespace graphics::look
