// DrawText on the canvas: prefixes and mnemonic underlines, extents and
// DT_CALCRECT, alignment, wrapping, clipping, colours and embossed text.
#include "PixelHelpers.h"

#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

using namespace graphics;
using namespace graphics::testing;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

const Font& font() { return messageFont(); }

// Draws `text` black on white into a fresh 240x80 bitmap at `rect`.
struct Drawn {
    Bitmap bitmap{240, 80};
    int result = 0;
    Drawn(std::string_view text, RECT rect, UINT format, COLORREF color = kBlack) {
        fill(bitmap, kWhite);
        Canvas canvas(bitmap, {0, 0}, whole(bitmap));
        result = canvas.drawText(font(), text, rect, format, color);
    }
    RECT ink() const { return inkBox(bitmap, whole(bitmap), 0xFFFFFF); }
    bool samePixels(const Drawn& other) const {
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 240; ++x)
                if (bitmap.pixel(x, y) != other.bitmap.pixel(x, y)) return false;
        return true;
    }
};

int width(std::string_view text, UINT format = DT_NOPREFIX) { return textExtent(font(), text, format).cx; }

}  // namespace

TEST(TextPrefix, ParsesMnemonics) {
    struct Case {
        const char* text;
        UINT format;
        const char* shown;
        int underline;
    };
    const Case cases[] = {
        {"&About", 0, "About", 0},
        {"A&bout", 0, "About", 1},
        {"A&&B", 0, "A&B", -1},
        {"&&&x", 0, "&x", 1},
        {"x&", 0, "x", -1},
        {"&a&b", 0, "ab", 0},
        {"&About", DT_NOPREFIX, "&About", -1},
        {"A&&B", DT_NOPREFIX, "A&&B", -1},
        {"&About", DT_HIDEPREFIX, "About", -1},
        {"A&&B", DT_HIDEPREFIX, "A&B", -1},
        {"", 0, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PrefixedText p = parsePrefix(c.text, c.format);
        EXPECT_EQ(p.shown, c.shown);
        EXPECT_EQ(p.underlineIndex, c.underline);
    }
}

TEST(TextMnemonic, UnderlineSitsUnderTheMarkedCharacter) {
    struct Case {
        const char* text;
        const char* before;  // the text left of the underlined character
        const char* through; // ... and including it
    };
    const Case cases[] = {{"&About", "", "A"}, {"A&bout", "A", "Ab"}, {"Abou&t", "Abou", "About"}};
    const int row = 2 + font().ascent() + 1;  // one row below the baseline
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Drawn drawn(c.text, {2, 2, 200, 40}, DT_LEFT);
        const RECT line = findPixels(drawn.bitmap, {0, row, 240, row + 1}, [](std::uint32_t p) { return p == 0; });
        EXPECT_EQ(line.left, 2 + width(c.before));
        EXPECT_EQ(line.right, 2 + width(c.through));
        // A solid line: every pixel between its ends is black.
        EXPECT_EQ(countPixels(drawn.bitmap, line, 0), rectWidth(line));
    }
    // Hidden or no prefix: no underline row at all.
    for (UINT format : {DT_HIDEPREFIX, DT_NOPREFIX}) {
        Drawn drawn("&About", {2, 2, 200, 40}, format);
        EXPECT_EQ(countPixels(drawn.bitmap, {0, row, 240, row + 1}, 0), 0) << format;
    }
}

TEST(TextMnemonic, DoubleAmpersandShowsOneAndNoPrefixKeepsThem) {
    const Drawn escaped("A&&B", {2, 2, 200, 40}, DT_LEFT);
    const Drawn literal("A&B", {2, 2, 200, 40}, DT_NOPREFIX);
    EXPECT_TRUE(escaped.samePixels(literal));
    EXPECT_EQ(textExtent(font(), "A&&B", 0), textExtent(font(), "A&B", DT_NOPREFIX));

    const Drawn kept("A&B", {2, 2, 200, 40}, DT_NOPREFIX);
    const Drawn mnemonic("A&B", {2, 2, 200, 40}, DT_LEFT);  // "AB" with B underlined
    EXPECT_FALSE(kept.samePixels(mnemonic));
    EXPECT_GT(rectWidth(kept.ink()), rectWidth(mnemonic.ink()));
}

TEST(TextExtent, GrowsWithTextAndLines) {
    int previous = 0;
    for (const char* text : {"A", "AB", "ABC", "ABC ABC", "ABC ABC ABC"}) {
        const SIZE s = textExtent(font(), text, 0);
        EXPECT_GT(s.cx, previous) << text;
        EXPECT_EQ(s.cy, font().height()) << text;
        previous = s.cx;
    }
    // Each line end of any kind starts a line, unless the text is one line.
    for (const char* text : {"One\nTwo", "One\r\nTwo", "One\rTwo"}) {
        EXPECT_EQ(textExtent(font(), text, 0).cy, 2 * font().height()) << text;
        EXPECT_EQ(textExtent(font(), text, DT_SINGLELINE).cy, font().height()) << text;
    }
    // Tabs expand to tab stops only when asked; otherwise they show as a space.
    EXPECT_EQ(width("A\tB", 0), width("A B", 0));
    EXPECT_GT(width("A\tB", DT_EXPANDTABS), width("A B", 0) + font().averageCharWidth() * 4);
    // Text ends at a NUL, as a C string does.
    EXPECT_EQ(width(std::string_view("AB\0CD", 5)), width("AB"));
}

TEST(TextExtent, BytesThatAreNotUtf8AreReadAsWindows1252) {
    EXPECT_EQ(textExtent(font(), "\xA9 2003", 0), textExtent(font(), "\xC2\xA9 2003", 0));
    EXPECT_EQ(textExtent(font(), "\x93Hi\x94", 0), textExtent(font(), "\xE2\x80\x9CHi\xE2\x80\x9D", 0));
}

TEST(TextCalcRect, AgreesWithWhatIsDrawn) {
    struct Case {
        const char* text;
        UINT format;
        int rectWidth;
    };
    const Case cases[] = {
        {"Hardware Detected: None", DT_LEFT | DT_SINGLELINE, 200},
        {"&Close", DT_LEFT, 200},
        {"Two\nlines here", DT_LEFT, 200},
        {"Static text that wraps by words in its box", DT_LEFT | DT_WORDBREAK, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RECT calc{10, 5, 10 + c.rectWidth, 6};
        Bitmap scratch(1, 1);
        Canvas canvas(scratch, {0, 0}, {0, 0, 1, 1});
        const int height = canvas.drawText(font(), c.text, calc, c.format | DT_CALCRECT, kBlack);
        EXPECT_EQ(rectHeight(calc), height);
        EXPECT_LE(rectWidth(calc), c.rectWidth);
        EXPECT_EQ(height % font().height(), 0);
        // DT_CALCRECT draws nothing.
        EXPECT_EQ(scratch.pixel(0, 0), 0u);

        Drawn drawn(c.text, {10, 5, 10 + c.rectWidth, 80}, c.format);
        const RECT ink = drawn.ink();
        EXPECT_GE(ink.left, calc.left);
        EXPECT_LE(ink.right, calc.right);
        EXPECT_GE(ink.top, calc.top);
        EXPECT_LE(ink.bottom, calc.bottom);
        // The ink fills the rectangle up to the glyphs' side bearings.
        EXPECT_LE(ink.left - calc.left, 2);
        EXPECT_LE(calc.right - ink.right, 3);
    }
}

TEST(TextWrap, WordBreakWrapsInsideTheWidthAndSingleLineDoesNot) {
    const char* text = "Static text that wraps by words in its box";
    RECT wrapped{0, 0, 80, 0};
    Bitmap scratch(1, 1);
    Canvas canvas(scratch, {0, 0}, {0, 0, 1, 1});
    canvas.drawText(font(), text, wrapped, DT_WORDBREAK | DT_CALCRECT, kBlack);
    EXPECT_GE(rectHeight(wrapped), 3 * font().height());
    EXPECT_LE(rectWidth(wrapped), 80);

    RECT single{0, 0, 80, 0};
    canvas.drawText(font(), text, single, DT_WORDBREAK | DT_SINGLELINE | DT_CALCRECT, kBlack);
    EXPECT_EQ(rectHeight(single), font().height());
    EXPECT_GT(rectWidth(single), 80);

    Drawn drawn(text, {0, 0, 80, 80}, DT_WORDBREAK);
    EXPECT_LE(drawn.ink().right, 80);
    EXPECT_GE(drawn.ink().bottom, 2 * font().height());
}

TEST(TextPlacement, AlignmentAndVerticalCentring) {
    const char* text = "Centre me";
    const int w = width(text);
    const int h = font().height();
    const Drawn left(text, {20, 10, 220, 70}, DT_LEFT | DT_SINGLELINE);
    const Drawn centre(text, {20, 10, 220, 70}, DT_CENTER | DT_SINGLELINE);
    const Drawn right(text, {20, 10, 220, 70}, DT_RIGHT | DT_SINGLELINE);
    const Drawn middle(text, {20, 10, 220, 70}, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const Drawn bottom(text, {20, 10, 220, 70}, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_EQ(centre.ink().left - left.ink().left, (200 - w) / 2);
    EXPECT_EQ(right.ink().left - left.ink().left, 200 - w);
    EXPECT_EQ(middle.ink().top - left.ink().top, (60 - h) / 2);
    EXPECT_EQ(bottom.ink().top - left.ink().top, 60 - h);
    // Centred and bottom text report where their last line ends.
    EXPECT_EQ(left.result, h);
    EXPECT_EQ(middle.result, (60 - h) / 2 + h);
    EXPECT_EQ(bottom.result, 60);
    // DT_VCENTER means nothing for text of several lines.
    const Drawn lines("One\nTwo", {20, 10, 220, 70}, DT_LEFT | DT_VCENTER);
    EXPECT_EQ(lines.ink().top, left.ink().top);
}

TEST(TextClip, TextStaysInItsRectangleUnlessNoClip) {
    const char* text = "A long line of text that does not fit";
    const Drawn clipped(text, {10, 10, 60, 20}, DT_LEFT | DT_SINGLELINE);
    const RECT ink = clipped.ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 60);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 20);
    const Drawn free(text, {10, 10, 60, 20}, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(free.ink().right, 100);
    EXPECT_GT(free.ink().bottom, 20);
}

TEST(TextColour, TextIsDrawnInTheColourGiven) {
    const Drawn red("Red text", {2, 2, 200, 40}, DT_LEFT, RGB(255, 0, 0));
    EXPECT_GT(countPixels(red.bitmap, whole(red.bitmap), 0xFF0000), 10);
    // Every changed pixel lies between the background and the colour.
    const RECT stray = findPixels(red.bitmap, whole(red.bitmap), [](std::uint32_t p) {
        return (p >> 16) != 0xFF || ((p >> 8) & 0xFF) != (p & 0xFF);
    });
    EXPECT_TRUE(rectEmpty(stray)) << stray;
}

TEST(TextColour, DisabledTextIsEmbossedInHighlightAndShadow) {
    Bitmap bitmap(200, 40);
    fill(bitmap, sysColor(COLOR_BTNFACE));
    Canvas canvas(bitmap, {0, 0}, whole(bitmap));
    canvas.drawDisabledText(font(), "&Disabled", {5, 5, 195, 35}, DT_LEFT);
    const auto highlight = sys(COLOR_BTNHIGHLIGHT);
    const auto shadow = sys(COLOR_BTNSHADOW);
    EXPECT_GT(countPixels(bitmap, whole(bitmap), highlight), 5);
    EXPECT_GT(countPixels(bitmap, whole(bitmap), shadow), 5);
    EXPECT_EQ(countPixels(bitmap, whole(bitmap), 0), 0);
    // The highlight copy lies one pixel right of and below the shadow copy.
    const RECT light = findPixels(bitmap, whole(bitmap), [&](std::uint32_t p) { return p == highlight; });
    const RECT dark = findPixels(bitmap, whole(bitmap), [&](std::uint32_t p) { return p == shadow; });
    EXPECT_EQ(light.right, dark.right + 1);
    EXPECT_EQ(light.bottom, dark.bottom + 1);  // the underline's row
}

TEST(TextRendering, IdenticalOnEveryBitmapAndOrigin) {
    Bitmap a(120, 30), b(300, 90);
    fill(a, kWhite);
    fill(b, kWhite);
    {
        Canvas ca(a, {0, 0}, whole(a));
        RECT r{3, 4, 120, 30};
        ca.drawText(font(), "&Detect Hardware", r, DT_LEFT, kBlack);
        Canvas cb(b, {97, 41}, {0, 0, 200, 40});
        RECT r2{3, 4, 120, 30};
        cb.drawText(font(), "&Detect Hardware", r2, DT_LEFT, kBlack);
    }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(a.pixel(x, y), b.pixel(x + 97, y + 41)) << x << "," << y;
}
