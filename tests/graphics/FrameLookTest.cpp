// The window frame's look: dialog frame, caption bar, small icon, title and
// close box.
#include "PixelHelpers.h"

#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

using namespace graphics;
using namespace graphics::testing;

namespace {

const RECT kBar{3, 3, 203, 21};

IconImage solidIcon(int size, std::uint32_t argb) {
    return IconImage{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), argb)};
}

Picture caption(std::string_view title, bool active, const IconImage* icon, bool pushed) {
    return painted(206, 24, [&](Canvas& c) { look::paintCaption(c, kBar, title, active, icon, pushed); });
}

}  // namespace

TEST(DialogFrameLook, TwoRaisedEdgesAndAFaceRing) {
    const Picture b = painted(60, 50, [](Canvas& c) { look::paintDialogFrame(c, {0, 0, 60, 50}); });
    // Per ring: top-left colour, bottom-right colour.
    const int rings[3][2] = {{COLOR_3DLIGHT, COLOR_3DDKSHADOW},
                             {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
                             {COLOR_BTNFACE, COLOR_BTNFACE}};
    for (int i = 0; i < metrics::dialogFrame; ++i) {
        SCOPED_TRACE("ring " + std::to_string(i));
        EXPECT_EQ(hex(b.pixel(30, i)), hex(sys(rings[i][0])));
        EXPECT_EQ(hex(b.pixel(i, 25)), hex(sys(rings[i][0])));
        EXPECT_EQ(hex(b.pixel(30, 49 - i)), hex(sys(rings[i][1])));
        EXPECT_EQ(hex(b.pixel(59 - i, 25)), hex(sys(rings[i][1])));
    }
    EXPECT_EQ(b.pixel(3, 3), px(kMagenta)) << "the frame is three pixels wide";
    EXPECT_EQ(b.pixel(30, 25), px(kMagenta));
}

TEST(CaptionLook, PartsLieWhereTheClassicCaptionHasThem) {
    const look::CaptionParts parts = look::captionParts(kBar);
    EXPECT_EQ(parts.bar, kBar);
    EXPECT_EQ(parts.icon, (RECT{5, 4, 21, 20}));
    EXPECT_EQ(parts.closeButton, (RECT{185, 5, 201, 19}));
}

TEST(CaptionLook, GradientIconTitleAndCloseBox) {
    const IconImage red = solidIcon(16, 0xFFFF0000u);
    const Picture b = caption("QUILVANE v2.03", true, &red, false);

    // Gradient from the active caption colour to its gradient colour.
    EXPECT_EQ(hex(b.pixel(3, 3)), hex(sys(COLOR_ACTIVECAPTION)));
    EXPECT_EQ(hex(b.pixel(202, 20)), hex(sys(COLOR_GRADIENTACTIVECAPTION)));
    for (int x = 4; x < 185; ++x) ASSERT_GE(b.pixel(x, 3) >> 16, b.pixel(x - 1, 3) >> 16) << x;

    // The small icon at the bar's left, one pixel down.
    EXPECT_EQ(findPixels(b, whole(b), [](std::uint32_t p) { return p == 0xFF0000; }), (RECT{5, 4, 21, 20}));

    // The title: white, starting after the icon, ending before the close box.
    const RECT title = findPixels(b, {3, 3, 185, 21}, [](std::uint32_t p) { return p == 0xFFFFFF; });
    EXPECT_GE(title.left, 24);
    EXPECT_LE(title.left, 27);
    EXPECT_LT(title.right, 185);
    EXPECT_NEAR((title.top + title.bottom) / 2, 12, 2);

    // The close box: a soft raised button with a black cross, 8x7.
    EXPECT_EQ(hex(b.pixel(190, 5)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(185, 10)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(hex(b.pixel(190, 18)), hex(sys(COLOR_3DDKSHADOW)));
    EXPECT_EQ(hex(b.pixel(199, 10)), hex(sys(COLOR_BTNSHADOW)));
    const RECT cross{189, 8, 197, 15};
    EXPECT_EQ(findPixels(b, {185, 5, 201, 19}, [](std::uint32_t p) { return p == 0; }), cross);
    EXPECT_EQ(countPixels(b, cross, 0), 26);  // two pixels a row, the centre row shared

    // The face line under the bar.
    EXPECT_EQ(countPixels(b, {3, 21, 203, 22}, sys(COLOR_BTNFACE)), 200);
}

TEST(CaptionLook, PushedCloseBoxAndInactiveColours) {
    const Picture b = caption("Warning", false, nullptr, true);
    EXPECT_EQ(hex(b.pixel(3, 3)), hex(sys(COLOR_INACTIVECAPTION)));
    EXPECT_EQ(hex(b.pixel(202, 20)), hex(sys(COLOR_GRADIENTINACTIVECAPTION)));
    // No icon: the title starts three pixels in, in the inactive text colour.
    const std::uint32_t textColour = sys(COLOR_INACTIVECAPTIONTEXT);
    const RECT title = findPixels(b, {3, 3, 185, 21}, [&](std::uint32_t p) { return p == textColour; });
    EXPECT_GE(title.left, 6);
    EXPECT_LE(title.left, 9);
    // Pressed: sunken edge, the cross one pixel down and right.
    EXPECT_EQ(hex(b.pixel(190, 5)), hex(sys(COLOR_3DDKSHADOW)));
    EXPECT_EQ(hex(b.pixel(190, 18)), hex(sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(findPixels(b, {187, 7, 199, 17}, [](std::uint32_t p) { return p == 0; }), (RECT{190, 9, 198, 16}));
}

TEST(CaptionLook, LongTitleIsCutBeforeTheCloseBoxAndLargeIconsAreScaled) {
    const IconImage big = solidIcon(32, 0xFF00FF00u);
    const std::string title(60, 'W');
    const Picture b = caption(title, true, &big, false);
    EXPECT_EQ(findPixels(b, whole(b), [](std::uint32_t p) { return p == 0x00FF00; }), (RECT{5, 4, 21, 20}));
    // Right of the close box there is only the gradient.
    EXPECT_EQ(countPixels(b, {201, 3, 203, 21}, 0xFFFFFF), 0);
    const RECT text = findPixels(b, {3, 3, 185, 21}, [](std::uint32_t p) { return p == 0xFFFFFF; });
    EXPECT_GT(text.right, 150);
    EXPECT_LE(text.right, 185);
}
