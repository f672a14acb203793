// Canvas drawing: clipping, rectangles and lines, 3-D edges, the focus
// rectangle and icons, checked pixel by pixel.
#include "PixelHelpers.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/IconImage.h"

#include <gtest/gtest.h>

#include <vector>

using namespace graphics;
using namespace graphics::testing;

namespace {

constexpr COLORREF kBack = RGB(1, 2, 3);
constexpr COLORREF kPaint = RGB(250, 20, 200);

IconImage checkerIcon(int size) {
    IconImage icon{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size))};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            icon.argb[static_cast<std::size_t>(y * size + x)] = ((x + y) % 2) ? 0xFF00FF00u : 0x00FF0000u;
    return icon;
}

}  // namespace

// Every drawing operation, run with a clip, must leave every pixel outside
// the clip as it was.
TEST(CanvasClip, NothingIsPaintedOutsideTheClip) {
    struct Case {
        const char* name;
        POINT origin;
        RECT clip;  // canvas coordinates
    };
    const Case cases[] = {
        {"inside", {10, 10}, {5, 5, 30, 25}},
        {"negative origin", {-15, -7}, {20, 10, 60, 40}},
        {"clip beyond the bitmap", {30, 20}, {-100, -100, 1000, 1000}},
        {"origin beyond the bitmap", {70, 50}, {0, 0, 50, 50}},
        {"empty clip", {0, 0}, {10, 10, 10, 20}},
    };
    const IconImage icon = checkerIcon(8);
    const std::vector<std::pair<const char*, std::function<void(Canvas&)>>> ops = {
        {"fillRect", [](Canvas& c) { c.fillRect({-500, -500, 500, 500}, kPaint); }},
        {"frameRect", [](Canvas& c) { c.frameRect({-1, -1, 90, 90}, kPaint); }},
        {"lines", [](Canvas& c) {
             for (int i = -80; i < 80; i += 3) {
                 c.hLine(-100, 100, i, kPaint);
                 c.vLine(i, -100, 100, kPaint);
             }
         }},
        {"pixels", [](Canvas& c) {
             for (int y = -80; y < 80; ++y)
                 for (int x = -80; x < 80; ++x) c.setPixel(x, y, kPaint);
         }},
        {"edges", [](Canvas& c) {
             for (int i = 0; i < 40; i += 4) {
                 RECT r{-20 + i, -20 + i, 60 - i, 50 - i};
                 c.drawEdge(r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
             }
         }},
        {"focus", [](Canvas& c) {
             for (int i = -10; i < 40; i += 2) c.drawFocusRect({i, i, 70 - i, 60 - i});
         }},
        {"icons", [&](Canvas& c) {
             for (int i = -10; i < 60; i += 5) {
                 c.drawIcon(i, i, icon);
                 c.drawIcon(i, 40 - i, icon, 16, 16);
             }
         }},
        {"text", [](Canvas& c) {
             for (int y = -10; y < 60; y += 7) {
                 RECT r{-30, y, 200, y + 20};
                 c.drawText(messageFont(), "&Wide WWW MMM text", r, DT_LEFT | DT_NOCLIP, kPaint);
             }
         }},
    };
    for (const Case& test : cases) {
        for (const auto& [opName, op] : ops) {
            SCOPED_TRACE(std::string(test.name) + " / " + opName);
            Bitmap bitmap(64, 48);
            fill(bitmap, kBack);
            {
                Canvas canvas(bitmap, test.origin, test.clip);
                op(canvas);
            }
            const RECT allowed = rectOffset(test.clip, test.origin.x, test.origin.y);
            for (int y = 0; y < bitmap.height(); ++y)
                for (int x = 0; x < bitmap.width(); ++x)
                    if (!rectContains(allowed, {x, y})) {
                        ASSERT_EQ(bitmap.pixel(x, y), px(kBack)) << "painted outside the clip at " << x << "," << y;
                    }
        }
    }
}

TEST(CanvasClip, FillCoversExactlyTheClipInsideTheBitmap) {
    Bitmap bitmap(40, 30);
    fill(bitmap, kBack);
    Canvas canvas(bitmap, {-5, 10}, {10, -20, 100, 12});
    EXPECT_EQ(canvas.clip(), (RECT{10, -10, 45, 12}));  // cut to the bitmap, in canvas coordinates
    canvas.intersectClip({0, 0, 20, 100});
    EXPECT_EQ(canvas.clip(), (RECT{10, 0, 20, 12}));
    canvas.fillRect({-100, -100, 100, 100}, kPaint);
    EXPECT_EQ(inkBox(bitmap, whole(bitmap), px(kBack)), (RECT{5, 10, 15, 22}));
    EXPECT_EQ(countPixels(bitmap, whole(bitmap), px(kPaint)), 10 * 12);
    canvas.setClip({-100, -100, 100, 100});
    EXPECT_EQ(canvas.clip(), (RECT{5, -10, 45, 20}));
}

TEST(Canvas, FrameAndLinesAreOnePixelExact) {
    Bitmap bitmap(20, 20);
    fill(bitmap, kBack);
    Canvas canvas(bitmap, {2, 3}, whole(bitmap));
    canvas.frameRect({1, 1, 6, 5}, kPaint);  // bitmap 3..7 x 4..7
    EXPECT_EQ(countPixels(bitmap, whole(bitmap), px(kPaint)), 2 * 5 + 2 * 2);
    EXPECT_EQ(bitmap.pixel(3, 4), px(kPaint));
    EXPECT_EQ(bitmap.pixel(7, 7), px(kPaint));
    EXPECT_EQ(bitmap.pixel(4, 5), px(kBack));  // inside untouched
    EXPECT_EQ(canvas.pixel(1, 1), kPaint);

    Bitmap lines(20, 20);
    fill(lines, kBack);
    Canvas c2(lines, {0, 0}, whole(lines));
    c2.hLine(12, 2, 5, kPaint);  // either order, end excluded
    c2.vLine(15, 1, 4, kPaint);
    EXPECT_EQ(countPixels(lines, whole(lines), px(kPaint)), 10 + 3);
    EXPECT_EQ(inkBox(lines, {0, 0, 14, 20}, px(kBack)), (RECT{2, 5, 12, 6}));
    EXPECT_EQ(inkBox(lines, {14, 0, 20, 20}, px(kBack)), (RECT{15, 1, 16, 4}));
}

// The colours of the edge rings: ring 0 is the rectangle's border, ring 1 the
// one inside it.
TEST(CanvasEdge, EachEdgeKindHasItsClassicColours) {
    struct Case {
        const char* name;
        UINT edge;
        UINT extraFlags;
        int ring0TopLeft, ring0BottomRight;
        int ring1TopLeft, ring1BottomRight;  // -1: no second ring
    };
    const Case cases[] = {
        {"raised outer", BDR_RAISEDOUTER, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, -1, -1},
        {"raised inner", BDR_RAISEDINNER, 0, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, -1, -1},
        {"sunken outer", BDR_SUNKENOUTER, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, -1, -1},
        {"sunken inner", BDR_SUNKENINNER, 0, COLOR_3DDKSHADOW, COLOR_3DLIGHT, -1, -1},
        {"raised", EDGE_RAISED, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {"sunken", EDGE_SUNKEN, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {"etched", EDGE_ETCHED, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {"bump", EDGE_BUMP, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {"soft raised", EDGE_RAISED, BF_SOFT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW},
        {"soft sunken", EDGE_SUNKEN, BF_SOFT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DLIGHT},
        {"flat", EDGE_RAISED, BF_FLAT, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Bitmap bitmap(30, 20);
        fill(bitmap, kBack);
        Canvas canvas(bitmap, {0, 0}, whole(bitmap));
        RECT r{5, 4, 25, 16};
        canvas.drawEdge(r, test.edge, BF_RECT | test.extraFlags);
        auto ring = [&](int i, int topLeft, int bottomRight) {
            SCOPED_TRACE("ring " + std::to_string(i));
            EXPECT_EQ(hex(bitmap.pixel(15, 4 + i)), hex(sys(topLeft))) << "top";
            EXPECT_EQ(hex(bitmap.pixel(5 + i, 10)), hex(sys(topLeft))) << "left";
            EXPECT_EQ(hex(bitmap.pixel(15, 15 - i)), hex(sys(bottomRight))) << "bottom";
            EXPECT_EQ(hex(bitmap.pixel(24 - i, 10)), hex(sys(bottomRight))) << "right";
            // The far corners belong to the bottom and right sides.
            EXPECT_EQ(hex(bitmap.pixel(24 - i, 4 + i)), hex(sys(bottomRight))) << "top-right corner";
            EXPECT_EQ(hex(bitmap.pixel(5 + i, 15 - i)), hex(sys(bottomRight))) << "bottom-left corner";
            EXPECT_EQ(hex(bitmap.pixel(5 + i, 4 + i)), hex(sys(topLeft))) << "top-left corner";
        };
        ring(0, test.ring0TopLeft, test.ring0BottomRight);
        const int inside = test.ring1TopLeft >= 0 ? 2 : 1;
        if (test.ring1TopLeft >= 0) ring(1, test.ring1TopLeft, test.ring1BottomRight);
        // Without BF_MIDDLE the inside stays; without BF_ADJUST the rectangle too.
        EXPECT_EQ(bitmap.pixel(15, 4 + inside), px(kBack));
        EXPECT_EQ(r, (RECT{5, 4, 25, 16}));
    }
}

TEST(CanvasEdge, SidesMiddleAndAdjust) {
    Bitmap bitmap(30, 20);
    fill(bitmap, kBack);
    Canvas canvas(bitmap, {0, 0}, whole(bitmap));
    RECT r{5, 4, 25, 16};
    canvas.drawEdge(r, EDGE_SUNKEN, BF_LEFT | BF_TOP | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, (RECT{7, 6, 25, 16}));  // shrunk only on the sides drawn
    EXPECT_EQ(bitmap.pixel(24, 10), sys(COLOR_BTNFACE));  // right side: the middle, no edge
    EXPECT_EQ(bitmap.pixel(15, 15), sys(COLOR_BTNFACE));
    EXPECT_EQ(bitmap.pixel(15, 4), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(bitmap.pixel(6, 10), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(bitmap.pixel(25, 10), px(kBack));

    RECT onlyInner{5, 4, 25, 16};
    canvas.drawEdge(onlyInner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    EXPECT_EQ(onlyInner, (RECT{6, 5, 24, 15}));
}

TEST(CanvasFocus, InvertsAlternatePixelsOfTheOutlineAndASecondDrawRestores) {
    Bitmap bitmap(30, 20);
    fill(bitmap, RGB(200, 200, 200));
    Canvas canvas(bitmap, {1, 0}, whole(bitmap));
    const RECT focus{3, 2, 20, 12};
    canvas.drawFocusRect(focus);
    const std::uint32_t inverted = 0xFFFFFF ^ 0xC8C8C8;
    int dots = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const POINT p{x - 1, y};  // canvas coordinates
            const bool onOutline = rectContains(focus, p) && (p.x == focus.left || p.x == focus.right - 1 ||
                                                               p.y == focus.top || p.y == focus.bottom - 1);
            const std::uint32_t v = bitmap.pixel(x, y);
            if (!onOutline) {
                ASSERT_EQ(v, 0xC8C8C8u) << x << "," << y;
            } else if (v == inverted) {
                ++dots;
                // Never two neighbours along a side.
                if (p.y == focus.top && p.x + 1 < focus.right) {
                    EXPECT_NE(bitmap.pixel(x + 1, y), inverted);
                }
            }
        }
    const int outline = 2 * rectWidth(focus) + 2 * (rectHeight(focus) - 2);
    EXPECT_NEAR(dots, outline / 2, 2);
    canvas.drawFocusRect(focus);
    EXPECT_EQ(inkBox(bitmap, whole(bitmap), 0xC8C8C8), (RECT{0, 0, 0, 0}));
}

TEST(CanvasIcon, TransparentPixelsKeepTheBackground) {
    Bitmap bitmap(20, 20);
    fill(bitmap, kBack);
    Canvas canvas(bitmap, {0, 0}, whole(bitmap));
    canvas.drawIcon(3, 4, checkerIcon(6));
    EXPECT_EQ(bitmap.pixel(3, 4), px(kBack));     // (0,0) transparent
    EXPECT_EQ(bitmap.pixel(4, 4), 0x00FF00u);     // (1,0) opaque green
    EXPECT_EQ(bitmap.pixel(8, 9), px(kBack));     // (5,5) transparent
    EXPECT_EQ(countPixels(bitmap, whole(bitmap), 0x00FF00u), 18);
    EXPECT_EQ(inkBox(bitmap, whole(bitmap), px(kBack)), (RECT{3, 4, 9, 10}));

    // A partly transparent pixel blends.
    IconImage half{1, 1, {0x80FFFFFFu}};
    canvas.drawIcon(0, 0, half);
    EXPECT_EQ(bitmap.pixel(0, 0), 0x808181u);
}

TEST(CanvasIcon, ScaledDrawingAveragesAndKeepsTransparency) {
    // 4x4 icon: left half opaque red, right half transparent.
    IconImage icon{4, 4, std::vector<std::uint32_t>(16)};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) icon.argb[static_cast<std::size_t>(y * 4 + x)] = x < 2 ? 0xFFFF0000u : 0u;
    Bitmap bitmap(10, 10);
    fill(bitmap, RGB(0, 0, 255));
    Canvas canvas(bitmap, {0, 0}, whole(bitmap));
    canvas.drawIcon(1, 1, icon, 2, 2);
    EXPECT_EQ(bitmap.pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(bitmap.pixel(2, 2), 0x0000FFu);
    canvas.drawIcon(5, 5, icon, 1, 1);  // a quarter-size pixel mixes half red, half background
    const std::uint32_t mixed = bitmap.pixel(5, 5);
    EXPECT_NEAR(static_cast<int>(mixed >> 16), 128, 1);
    EXPECT_EQ((mixed >> 8) & 0xFF, 0u);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 1);
    // Broken icons draw nothing.
    canvas.drawIcon(0, 0, IconImage{5, 5, {}});
    EXPECT_EQ(bitmap.pixel(0, 0), 0x0000FFu);
}
