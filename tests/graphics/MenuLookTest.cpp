// Popup menus: layout of items and separators, border, highlight,
// disabled items and the accelerator column.
#include "PixelHelpers.h"

#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

using namespace graphics;
using namespace graphics::testing;
using look::MenuItemView;

namespace {

const std::vector<MenuItemView> kSystemMenu = {
    {"&Restore", false, true}, {"&Move"}, {"", true}, {"&Close\tAlt+F4"}, {"", true}, {"&About quilvane..."}};

}  // namespace

TEST(MenuLayout, ItemsAndSeparatorsHaveTheirClassicHeights) {
    const Font& font = menuFont();
    const look::MenuLayout layout = look::layoutPopupMenu(font, kSystemMenu);
    ASSERT_EQ(layout.itemRects.size(), kSystemMenu.size());
    const int itemHeight = std::max(font.height() + 4, 17);
    EXPECT_EQ(itemHeight, 17);  // the 8-point menu font
    int y = 3;  // raised border plus a gap
    for (std::size_t i = 0; i < kSystemMenu.size(); ++i) {
        SCOPED_TRACE(i);
        const RECT& r = layout.itemRects[i];
        EXPECT_EQ(r.top, y);
        EXPECT_EQ(rectHeight(r), kSystemMenu[i].separator ? 9 : itemHeight);
        EXPECT_EQ(r.left, 3);
        EXPECT_EQ(r.right, layout.size.cx - 3);
        y = r.bottom;
    }
    EXPECT_EQ(layout.size.cy, y + 3);
    // Room for the check column, the widest label and the accelerators.
    const int label = textExtent(font, "&About quilvane...", 0).cx;
    const int accelerator = textExtent(font, "Alt+F4", 0).cx;
    EXPECT_GE(layout.size.cx, 6 + 17 + label + accelerator);
}

TEST(MenuLayout, WidthFollowsTheWidestLabelAndTheAcceleratorColumn) {
    const Font& font = menuFont();
    const int plain = look::layoutPopupMenu(font, {{"&Move"}, {"&Close"}}).size.cx;
    const int longer = look::layoutPopupMenu(font, {{"&Move"}, {"&Close this window now"}}).size.cx;
    const int withAccelerator = look::layoutPopupMenu(font, {{"&Move"}, {"&Close\tAlt+F4"}}).size.cx;
    EXPECT_GT(longer, plain);
    EXPECT_GT(withAccelerator, plain + textExtent(font, "Alt+F4", 0).cx);
    EXPECT_EQ(look::layoutPopupMenu(font, {}).size, (SIZE{6 + 17 + 17, 6}));
}

TEST(MenuPaint, BorderHighlightSeparatorsAndDisabledItems) {
    const Font& font = menuFont();
    const look::MenuLayout layout = look::layoutPopupMenu(font, kSystemMenu);
    const int w = layout.size.cx;
    const int h = layout.size.cy;
    const Picture b = painted(w, h, [&](Canvas& c) { look::paintPopupMenu(c, font, layout, kSystemMenu, 3); });
    // Raised border, then the menu colour.
    EXPECT_EQ(hex(b.pixel(w / 2, 0)), hex(sys(COLOR_3DLIGHT)));
    EXPECT_EQ(hex(b.pixel(w / 2, 1)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(w / 2, h - 1)), hex(sys(COLOR_3DDKSHADOW)));
    EXPECT_EQ(hex(b.pixel(w - 2, h / 2)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(b.pixel(2, h / 2)), hex(sys(COLOR_MENU)));
    EXPECT_EQ(countPixels(b, whole(b), px(kMagenta)), 0);

    // The highlighted item (3) is filled, its text in the highlight text colour.
    const RECT close = layout.itemRects[3];
    EXPECT_EQ(hex(b.pixel(close.left + 1, close.top)), hex(sys(COLOR_HIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(close.right - 1, close.bottom - 1)), hex(sys(COLOR_HIGHLIGHT)));
    EXPECT_GT(countPixels(b, close, sys(COLOR_HIGHLIGHTTEXT)), 10);
    EXPECT_EQ(countPixels(b, close, 0), 0);

    // Separators: an etched line through the middle.
    const RECT sep = layout.itemRects[2];
    EXPECT_EQ(hex(b.pixel(w / 2, sep.top + 3)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(b.pixel(w / 2, sep.top + 4)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(w / 2, sep.top + 2)), hex(sys(COLOR_MENU)));

    // A disabled item is embossed; an enabled one is black, starting at the
    // check column, with its mnemonic underlined.
    const RECT restore = layout.itemRects[0];
    EXPECT_EQ(countPixels(b, restore, 0), 0);
    EXPECT_GT(countPixels(b, restore, sys(COLOR_BTNHIGHLIGHT)), 5);
    const RECT move = layout.itemRects[1];
    const RECT ink = findPixels(b, move, [](std::uint32_t p) { return (p & 0xFF) < 0x80; });
    EXPECT_GE(ink.left, move.left + 17);
    EXPECT_LE(ink.left, move.left + 19);
    const int underlineRow = move.top + (rectHeight(move) - font.height()) / 2 + font.ascent() + 1;
    EXPECT_GE(countPixels(b, {move.left + 17, underlineRow, move.left + 30, underlineRow + 1}, 0), 5);
}

TEST(MenuPaint, AcceleratorsStartInOneColumnAfterTheWidestLabel) {
    const Font& font = menuFont();
    const std::vector<MenuItemView> items = {{"&Close\tAlt+F4"}, {"&A much longer label\tF1"}};
    const look::MenuLayout layout = look::layoutPopupMenu(font, items);
    const Picture b = painted(layout.size.cx, layout.size.cy,
                              [&](Canvas& c) { look::paintPopupMenu(c, font, layout, items, -1); });
    const int labelEnd = layout.itemRects[1].left + 17 + textExtent(font, "&A much longer label", 0).cx;
    auto acceleratorLeft = [&](const RECT& item) {
        return findPixels(b, {labelEnd, item.top, item.right, item.bottom},
                          [](std::uint32_t p) { return (p & 0xFF) < 0x80; })
            .left;
    };
    const int first = acceleratorLeft(layout.itemRects[0]);
    const int second = acceleratorLeft(layout.itemRects[1]);
    EXPECT_GT(first, labelEnd + 4);
    EXPECT_NEAR(first, second, 1);  // left-aligned in one column (side bearings differ)
}
