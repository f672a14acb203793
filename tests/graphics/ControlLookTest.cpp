// The classic look of the controls, checked by reading pixels back.
#include "PixelHelpers.h"

#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

using namespace graphics;
using namespace graphics::testing;
using look::ControlState;

namespace {

const Font& font() { return messageFont(); }

ControlState with(bool disabled, bool focused, bool pushed, bool isDefault, bool checked = false) {
    return {disabled, focused, pushed, isDefault, checked};
}


// The pixels where two bitmaps of one size differ.
RECT differences(const Bitmap& a, const Bitmap& b, int* count = nullptr) {
    int n = 0;
    RECT box{a.width(), a.height(), 0, 0};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++n;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
            }
    if (count) *count = n;
    return n ? box : RECT{0, 0, 0, 0};
}

bool onOutline(const RECT& r, int x, int y) {
    return rectContains(r, {x, y}) && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

// Every differing pixel lies on the outline of `r`, and about half of the
// outline differs: a dotted focus rectangle.
void expectFocusRect(const Bitmap& without, const Bitmap& with, const RECT& r) {
    int count = 0;
    differences(without, with, &count);
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (without.pixel(x, y) != with.pixel(x, y)) {
                ASSERT_TRUE(onOutline(r, x, y)) << "focus pixel off the rectangle " << r << " at " << x << "," << y;
            }
    const int outline = 2 * rectWidth(r) + 2 * (rectHeight(r) - 2);
    EXPECT_NEAR(count, outline / 2, 3) << r;
}

const RECT kButton{0, 0, 80, 23};

Picture button(const ControlState& state, std::string_view text = "&Button") {
    return painted(80, 23, [&](Canvas& c) { look::paintPushButton(c, font(), kButton, text, state); });
}

}  // namespace

TEST(PushButtonLook, NormalDefaultAndPushedFrames) {
    struct Case {
        const char* name;
        ControlState state;
        // Colours of rings 0, 1 and 2 at the top, left, bottom and right middles.
        int rings[3][4];
    };
    const int H = COLOR_BTNHIGHLIGHT, L = COLOR_3DLIGHT, S = COLOR_BTNSHADOW, D = COLOR_3DDKSHADOW,
              F = COLOR_BTNFACE, K = COLOR_WINDOWFRAME;
    const Case cases[] = {
        {"normal", with(false, false, false, false), {{H, H, D, D}, {L, L, S, S}, {F, F, F, F}}},
        {"default", with(false, false, false, true), {{K, K, K, K}, {H, H, D, D}, {L, L, S, S}}},
        {"pushed", with(false, false, true, false), {{K, K, K, K}, {S, S, S, S}, {F, F, F, F}}},
        {"default pushed", with(false, false, true, true), {{K, K, K, K}, {S, S, S, S}, {F, F, F, F}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture b = button(c.state);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("ring " + std::to_string(i));
            EXPECT_EQ(hex(b.pixel(20, i)), hex(sys(c.rings[i][0]))) << "top";
            EXPECT_EQ(hex(b.pixel(i, 11)), hex(sys(c.rings[i][1]))) << "left";
            EXPECT_EQ(hex(b.pixel(20, 22 - i)), hex(sys(c.rings[i][2]))) << "bottom";
            EXPECT_EQ(hex(b.pixel(79 - i, 11)), hex(sys(c.rings[i][3]))) << "right";
        }
        EXPECT_EQ(countPixels(b, whole(b), px(kMagenta)), 0) << "the whole button is painted";
    }
}

TEST(PushButtonLook, TextIsCentredAndMovesWithThePress) {
    const RECT inside{4, 4, 76, 19};
    const Picture normal = button(with(false, false, false, false));
    const Picture pushed = button(with(false, false, true, false));
    const RECT up = findPixels(normal, inside, [](std::uint32_t p) { return p == 0; });
    const RECT down = findPixels(pushed, inside, [](std::uint32_t p) { return p == 0; });
    ASSERT_FALSE(rectEmpty(up));
    EXPECT_EQ(down, rectOffset(up, 1, 1));
    // Centred: the text's extent sits in the middle of the button.
    const SIZE extent = textExtent(font(), "&Button", 0);
    const RECT underline = findPixels(normal, {0, 0, 80, 23}, [](std::uint32_t p) { return p == 0; });
    EXPECT_NEAR(underline.left, (80 - extent.cx) / 2, 2);
    EXPECT_NEAR(up.top + rectHeight(up) / 2, 11, 2);
}

TEST(PushButtonLook, FocusRectangleInsetDependsOnDefault) {
    expectFocusRect(button(with(false, false, false, false)), button(with(false, true, false, false)),
                    {3, 3, 77, 20});
    expectFocusRect(button(with(false, false, false, true)), button(with(false, true, false, true)), {4, 4, 76, 19});
}

TEST(PushButtonLook, DisabledTextIsEmbossed) {
    const Picture b = button(with(true, false, false, false), "Detecting...");
    const RECT inside{3, 3, 77, 20};
    EXPECT_EQ(countPixels(b, inside, 0), 0);
    EXPECT_GT(countPixels(b, inside, sys(COLOR_BTNSHADOW)), 5);
    EXPECT_GT(countPixels(b, inside, sys(COLOR_BTNHIGHLIGHT)), 5);
}

namespace {

const RECT kRadio{0, 0, 90, 16};

Picture radio(const ControlState& state, std::string_view text = "&Text") {
    return painted(90, 16, [&](Canvas& c) { look::paintRadioButton(c, font(), kRadio, text, state); });
}

}  // namespace

TEST(RadioButtonLook, RoundMarkInItsStates) {
    // The mark is 12x12 and vertically centred: rows 2..13 of a 16-pixel control.
    struct Case {
        const char* name;
        ControlState state;
        int inside;  // colour inside the mark
        int dot;     // colour of the centre, -1 for the inside colour
    };
    const Case cases[] = {
        {"unchecked", with(false, false, false, false, false), COLOR_WINDOW, -1},
        {"checked", with(false, false, false, false, true), COLOR_WINDOW, COLOR_WINDOWTEXT},
        {"disabled", with(true, false, false, false, false), COLOR_BTNFACE, -1},
        {"disabled checked", with(true, false, false, false, true), COLOR_BTNFACE, COLOR_GRAYTEXT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture b = radio(c.state);
        EXPECT_EQ(hex(b.pixel(5, 2)), hex(sys(COLOR_BTNSHADOW))) << "outer ring, top";
        EXPECT_EQ(hex(b.pixel(0, 7)), hex(sys(COLOR_BTNSHADOW))) << "outer ring, left";
        EXPECT_EQ(hex(b.pixel(11, 8)), hex(sys(COLOR_BTNHIGHLIGHT))) << "outer ring, right";
        EXPECT_EQ(hex(b.pixel(6, 13)), hex(sys(COLOR_BTNHIGHLIGHT))) << "outer ring, bottom";
        EXPECT_EQ(hex(b.pixel(5, 3)), hex(sys(COLOR_3DDKSHADOW))) << "inner ring, top";
        EXPECT_EQ(hex(b.pixel(10, 8)), hex(sys(COLOR_3DLIGHT))) << "inner ring, right";
        EXPECT_EQ(hex(b.pixel(3, 6)), hex(sys(c.inside))) << "inside";
        EXPECT_EQ(hex(b.pixel(0, 2)), hex(sys(COLOR_BTNFACE))) << "outside the round mark";
        const int centre = c.dot >= 0 ? c.dot : c.inside;
        for (POINT p : {POINT{5, 7}, POINT{6, 8}, POINT{4, 7}, POINT{7, 8}})
            EXPECT_EQ(hex(b.pixel(p.x, p.y)), hex(sys(centre))) << "centre " << p.x << "," << p.y;
        EXPECT_EQ(hex(b.pixel(4, 6)), hex(sys(c.inside))) << "the dot's cut corner";
        EXPECT_EQ(countPixels(b, whole(b), px(kMagenta)), 0);
    }
}

TEST(RadioButtonLook, TextAfterTheMarkWithFocusRectangleAroundIt) {
    const Picture plain = radio(with(false, false, false, false));
    const RECT ink = findPixels(plain, {12, 0, 90, 16}, [](std::uint32_t p) { return p == 0; });
    EXPECT_GE(ink.left, 16);
    EXPECT_LE(ink.left, 18);

    const SIZE extent = textExtent(font(), "&Text", 0);
    const int top = (16 - extent.cy) / 2;
    expectFocusRect(plain, radio(with(false, true, false, false)), {15, top - 1, 16 + extent.cx + 1, top + extent.cy + 1});

    const Picture disabled = radio(with(true, false, false, false));
    EXPECT_EQ(countPixels(disabled, {12, 0, 90, 16}, 0), 0);
    EXPECT_GT(countPixels(disabled, {12, 0, 90, 16}, sys(COLOR_BTNHIGHLIGHT)), 3);
}

TEST(GroupBoxLook, EtchedFrameThroughTheTextLineAndTransparentInside) {
    const RECT box{0, 0, 150, 60};
    const char* text = "Configuration";
    const Picture b = painted(150, 60, [&](Canvas& c) { look::paintGroupBox(c, font(), box, text, {}); });
    const int top = font().height() / 2;
    const int textRight = 8 + textExtent(font(), text, 0).cx;
    EXPECT_EQ(hex(b.pixel(140, top)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(b.pixel(140, top + 1)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(0, 30)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(b.pixel(1, 30)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(75, 58)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(b.pixel(75, 59)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(149, 30)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(148, 30)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(b.pixel(75, 30), px(kMagenta)) << "the inside is left as it was";
    EXPECT_EQ(b.pixel(75, 2), px(kMagenta)) << "above the frame, right of the text";
    // The text interrupts the frame: its background is the face, its ink black.
    EXPECT_EQ(countPixels(b, {8, top + 1, textRight, top + 2}, sys(COLOR_BTNHIGHLIGHT)), 0);
    EXPECT_EQ(countPixels(b, {textRight, top + 1, 140, top + 2}, sys(COLOR_BTNHIGHLIGHT)), 140 - textRight);
    EXPECT_EQ(countPixels(b, {8, 0, textRight, font().height()}, px(kMagenta)), 0);
    const RECT ink = findPixels(b, {0, 0, 150, font().height()}, [](std::uint32_t p) { return (p & 0xFF) < 0x80; });
    EXPECT_GE(ink.left, 8);
    EXPECT_LE(ink.left, 10);
    EXPECT_LE(ink.right, textRight);

    const Picture disabled =
        painted(150, 60, [&](Canvas& c) { look::paintGroupBox(c, font(), box, text, with(true, false, false, false)); });
    EXPECT_EQ(countPixels(disabled, {8, 0, textRight + 1, font().height() + 1}, 0), 0);
    EXPECT_GT(countPixels(disabled, {8, 0, textRight + 1, 3}, sys(COLOR_BTNSHADOW)), 0);
}

TEST(StaticLook, TextOnTheFaceEmbossedWhenDisabled) {
    const RECT r{0, 0, 150, 30};
    for (bool disabled : {false, true}) {
        SCOPED_TRACE(disabled ? "disabled" : "enabled");
        const Picture b = painted(150, 30, [&](Canvas& c) {
            look::paintStaticText(c, font(), r, "Hardware Detected: None", DT_LEFT | DT_WORDBREAK,
                                  with(disabled, false, false, false));
        });
        EXPECT_EQ(countPixels(b, r, px(kMagenta)), 0);
        EXPECT_EQ(b.pixel(149, 29), sys(COLOR_BTNFACE));
        EXPECT_EQ(countPixels(b, r, 0) > 0, !disabled);
        EXPECT_EQ(countPixels(b, r, sys(COLOR_BTNHIGHLIGHT)) > 0, disabled);
    }
    const Picture black = painted(20, 10, [](Canvas& c) { look::paintFilledRect(c, {2, 2, 18, 8}, COLOR_WINDOWFRAME); });
    EXPECT_EQ(countPixels(black, whole(black), 0), 16 * 6);
}

namespace {

const RECT kEdit{0, 0, 80, 23};

Picture edit(const ControlState& state, std::string_view text, int caret = -1) {
    return painted(80, 23, [&](Canvas& c) { look::paintEdit(c, font(), kEdit, text, true, state, caret); });
}

}  // namespace

TEST(EditLook, SunkenFieldWithTextAtTheMargin) {
    const Picture b = edit({}, "225");
    EXPECT_EQ(hex(b.pixel(40, 0)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(b.pixel(40, 1)), hex(sys(COLOR_3DDKSHADOW)));
    EXPECT_EQ(hex(b.pixel(40, 22)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(78, 11)), hex(sys(COLOR_3DLIGHT)));
    EXPECT_EQ(hex(b.pixel(70, 11)), hex(sys(COLOR_WINDOW)));
    const RECT ink = findPixels(b, {2, 2, 78, 21}, [](std::uint32_t p) { return p != 0xFFFFFF; });
    EXPECT_GE(ink.left, 3);
    EXPECT_LE(ink.left, 5);
    // Single-line layout: the text line starts one pixel below the inside's top.
    const Picture shifted = painted(80, 23, [&](Canvas& c) {
        RECT r{3, 3, 80, 23};
        c.fillRect(kEdit, sysColor(COLOR_WINDOW));
        c.drawText(font(), "225", r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX, sysColor(COLOR_WINDOWTEXT));
    });
    EXPECT_EQ(ink, findPixels(shifted, {2, 2, 78, 21}, [](std::uint32_t p) { return p != 0xFFFFFF; }));
}

TEST(EditLook, DisabledIsGreyOnTheFaceAndNotEmbossed) {
    const Picture b = edit(with(true, false, false, false), "1000");
    const RECT inside{2, 2, 78, 21};
    EXPECT_EQ(hex(b.pixel(70, 11)), hex(sys(COLOR_BTNFACE)));
    EXPECT_EQ(countPixels(b, inside, 0), 0);
    EXPECT_GT(countPixels(b, inside, sys(COLOR_GRAYTEXT)), 5);
    EXPECT_EQ(countPixels(b, inside, sys(COLOR_BTNHIGHLIGHT)), 0);
}

TEST(EditLook, CaretStandsBeforeItsCharacterAndStaysVisible) {
    const Picture b = edit({}, "225", 1);
    const int x = 3 + textExtent(font(), "2", DT_NOPREFIX).cx;
    for (int y = 3; y < 3 + font().height(); ++y) EXPECT_EQ(b.pixel(x, y), 0u) << y;

    // A caret past the right side scrolls the text so the caret shows.
    const Picture scrolled = edit({}, "A long file name that does not fit.txt", 38);
    bool caretFound = false;
    for (int cx = 60; cx < 78 && !caretFound; ++cx) {
        bool column = true;
        for (int y = 3; y < 3 + font().height(); ++y) column = column && scrolled.pixel(cx, y) == 0;
        caretFound = column;
    }
    EXPECT_TRUE(caretFound);
}

namespace {

const RECT kCombo{0, 0, 100, 21};

Picture combo(const ControlState& state) {
    return painted(100, 21, [&](Canvas& c) { look::paintComboBox(c, font(), kCombo, "Channel 01", state); });
}

}  // namespace

TEST(ComboBoxLook, DropButtonAndArrowInEachState) {
    const RECT button = look::comboButtonRect(kCombo);
    EXPECT_EQ(button, (RECT{82, 2, 98, 19}));
    const RECT arrowArea = rectInflate(button, -2, -2);
    const RECT arrowAt{86, 8, 93, 12};  // 7x4, centred

    const Picture normal = combo({});
    EXPECT_EQ(findPixels(normal, arrowArea, [](std::uint32_t p) { return p == 0; }), arrowAt);
    EXPECT_EQ(countPixels(normal, arrowAt, 0), 7 + 5 + 3 + 1);
    EXPECT_EQ(hex(normal.pixel(83, 10)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(normal.pixel(97, 10)), hex(sys(COLOR_3DDKSHADOW)));
    EXPECT_EQ(hex(normal.pixel(96, 10)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(normal.pixel(40, 0)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(normal.pixel(60, 10)), hex(sys(COLOR_WINDOW)));
    EXPECT_GT(countPixels(normal, {2, 2, 82, 19}, 0), 10);

    const Picture pushed = combo(with(false, false, true, false));
    EXPECT_EQ(findPixels(pushed, arrowArea, [](std::uint32_t p) { return p == 0; }), rectOffset(arrowAt, 1, 1));
    EXPECT_EQ(hex(pushed.pixel(82, 10)), hex(sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(hex(pushed.pixel(83, 10)), hex(sys(COLOR_BTNFACE)));
    EXPECT_EQ(hex(pushed.pixel(97, 10)), hex(sys(COLOR_BTNSHADOW)));

    const Picture disabled = combo(with(true, false, false, false));
    EXPECT_EQ(countPixels(disabled, whole(disabled), 0), 0);
    EXPECT_EQ(countPixels(disabled, arrowAt, sys(COLOR_BTNSHADOW)), 16);
    EXPECT_GT(countPixels(disabled, rectOffset(arrowAt, 1, 1), sys(COLOR_BTNHIGHLIGHT)), 0);
    EXPECT_EQ(hex(disabled.pixel(60, 10)), hex(sys(COLOR_BTNFACE)));
    EXPECT_GT(countPixels(disabled, {2, 2, 82, 19}, sys(COLOR_GRAYTEXT)), 5);

    const Picture focused = combo(with(false, true, false, false));
    EXPECT_GT(countPixels(focused, {2, 2, 82, 19}, sys(COLOR_HIGHLIGHT)), 20);
    EXPECT_GT(countPixels(focused, {2, 2, 82, 19}, sys(COLOR_HIGHLIGHTTEXT)), 0);
}

TEST(ListLook, HighlightedItemInTheHighlightColours) {
    const std::vector<std::string> items = {"Channel 01", "Channel 02", "Channel 03", "Channel 04", "Channel 05"};
    const Picture b = painted(100, 40, [&](Canvas& c) { look::paintListItems(c, font(), {0, 0, 100, 39}, items, 1, 2, 13); });
    // Rows: item 1 at 0..12, item 2 (highlighted) at 13..25, item 3 at 26..38.
    EXPECT_EQ(hex(b.pixel(95, 5)), hex(sys(COLOR_WINDOW)));
    EXPECT_EQ(hex(b.pixel(95, 20)), hex(sys(COLOR_HIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(95, 30)), hex(sys(COLOR_WINDOW)));
    EXPECT_GT(countPixels(b, {0, 13, 100, 26}, sys(COLOR_HIGHLIGHTTEXT)), 5);
    EXPECT_GT(countPixels(b, {0, 0, 100, 13}, 0), 5);
    EXPECT_EQ(b.pixel(50, 39), px(kMagenta)) << "nothing below the list";
}

TEST(StandardIconLook, ExclamationTriangleWithTransparencyAround) {
    const IconImage& icon = look::standardIcon(look::StandardIcon::Exclamation);
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    ASSERT_EQ(icon.argb.size(), 32u * 32u);
    EXPECT_EQ(&icon, &look::standardIcon(look::StandardIcon::Exclamation));
    auto at = [&](int x, int y) { return icon.argb[static_cast<std::size_t>(y * 32 + x)]; };
    for (POINT p : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}, POINT{31, 31}, POINT{4, 10}})
        EXPECT_EQ(at(p.x, p.y) >> 24, 0u) << p.x << "," << p.y;
    EXPECT_EQ(at(16, 12), 0xFF000000u) << "the mark's bar";
    EXPECT_EQ(at(16, 25), 0xFF000000u) << "the mark's dot";
    EXPECT_EQ(at(10, 26), 0xFFFFFF00u) << "the triangle's yellow";
    EXPECT_EQ(at(16, 29), 0xFF000000u) << "the border along the base";

    // Drawn on a background, the corners keep it.
    const Picture b = painted(40, 40, [&](Canvas& c) { c.drawIcon(4, 4, icon); });
    EXPECT_EQ(b.pixel(4, 4), px(kMagenta));
    EXPECT_EQ(b.pixel(14, 30), 0xFFFF00u);
}
