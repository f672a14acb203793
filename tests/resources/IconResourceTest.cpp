// Icon groups, the choice of an image, and the decoding of icon images
// with their masks.
#include "ByteWriter.h"
#include "Fixtures.h"
#include "fixtures/FixtureIcon.h"

#include "platform/resources/IconResource.h"

#include <gtest/gtest.h>

using namespace resources;
using namespace resources_test;

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

// An icon image with rows given bottom-up as stored, each padded to 4 here.
ByteWriter iconImage(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                     const std::vector<std::vector<std::uint8_t>>& colourRows,
                     const std::vector<std::vector<std::uint8_t>>& maskRows, std::uint32_t coloursUsed = 0)
{
    ByteWriter w;
    w.u32(40).u32(width).u32(2 * height).u16(1).u16(bits).u32(0).u32(0).u32(0).u32(0).u32(coloursUsed).u32(0);
    for (std::uint32_t rgb : palette)
        w.u8(rgb & 0xFF).u8((rgb >> 8) & 0xFF).u8((rgb >> 16) & 0xFF).u8(0);
    for (const auto* rows : {&colourRows, &maskRows}) {
        for (const auto& row : *rows)
            w.bytes(row).pad4();
    }
    return w;
}

std::vector<std::uint32_t> greys(std::size_t count)
{
    std::vector<std::uint32_t> palette;
    for (std::size_t i = 0; i < count; ++i)
        palette.push_back(static_cast<std::uint32_t>(i) * 0x010203);
    return palette;
}

// The smallest well-formed image: 2x2, 4 bits per pixel, nothing masked.
ByteWriter smallImage() { return iconImage(2, 2, 4, greys(16), {{0x12}, {0x34}}, {{0x00}, {0x00}}); }

}  // namespace

TEST(IconResource, GroupAndImagesFromTheCompiler)
{
    const FixtureRes res("identity.res");
    const auto group = parseIconGroup(res.data(kTypeGroupIcon, ResourceName::id(128)));
    ASSERT_TRUE(group.ok()) << group.error();
    ASSERT_EQ(group->size(), 2u);

    const std::uint32_t expectedBytes[] = {744, 296};
    for (std::size_t i = 0; i < 2; ++i) {
        const GroupIconEntry& e = (*group)[i];
        const int size = fixture_icon::kSizes[i];
        SCOPED_TRACE("image " + std::to_string(size));
        EXPECT_EQ(e.width, size);
        EXPECT_EQ(e.height, size);
        EXPECT_EQ(e.colorCount, 16);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bitCount, 4);
        EXPECT_EQ(e.bytesInRes, expectedBytes[i]);
        EXPECT_EQ(e.id, i + 1);

        const auto data = res.data(kTypeIcon, ResourceName::id(e.id));
        EXPECT_EQ(data.size(), e.bytesInRes);
        const auto icon = decodeIconImage(data);
        ASSERT_TRUE(icon.ok()) << icon.error();
        EXPECT_EQ(icon->width, size);
        EXPECT_EQ(icon->height, size);
        EXPECT_EQ(icon->bitCount, 4);
        EXPECT_EQ(icon->planes, 1);
        ASSERT_EQ(icon->argb.size(), static_cast<std::size_t>(size * size));
        int wrong = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint32_t expected = fixture_icon::transparent(size, x, y)
                                                   ? 0
                                                   : kOpaque | fixture_icon::kPalette[fixture_icon::colourIndex(size, x, y)];
                const std::uint32_t actual = icon->argb[y * size + x];
                if (actual != expected && ++wrong <= 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << actual << " instead of " << expected;
            }
        }
        EXPECT_EQ(wrong, 0);
        expectEveryCutRefused(data, [](auto cut) { return decodeIconImage(cut); });
    }
    expectEveryCutRefused(res.data(kTypeGroupIcon, ResourceName::id(128)),
                          [](auto cut) { return parseIconGroup(cut); });
}

TEST(IconResource, ChooseImagePrefersExactSizeThenClosestLarger)
{
    const std::vector<GroupIconEntry> group = {
        {16, 16, 16, 1, 4, 0, 1}, {32, 32, 16, 1, 4, 0, 2}, {32, 32, 0, 1, 8, 0, 3},
        {48, 48, 0, 1, 32, 0, 4}, {256, 256, 0, 1, 32, 0, 5},
    };
    const std::pair<int, int> cases[] = {
        {32, 3},   // exact size, most colours
        {16, 1},   // exact
        {24, 3},   // 16 and 32 are as close: the larger
        {20, 1},   // 16 is closer
        {40, 4},   // 32 and 48 are as close: the larger
        {256, 5},  // stored as 0
        {1000, 5},
    };
    for (const auto& [side, id] : cases) {
        const GroupIconEntry* chosen = chooseIconImage(group, side, side);
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(chosen->id, id) << "request " << side;
    }
    EXPECT_EQ(chooseIconImage({}, 32, 32), nullptr);

    // Without bit counts the colour count decides (0 meaning 256 or more).
    const std::vector<GroupIconEntry> byColours = {{32, 32, 16, 0, 0, 0, 1}, {32, 32, 0, 0, 0, 0, 2}, {32, 32, 2, 0, 0, 0, 3}};
    EXPECT_EQ(chooseIconImage(byColours, 32, 32)->id, 2);

    // Planes times bit count as stored can exceed an int (found by fuzzing).
    const std::vector<GroupIconEntry> huge = {{32, 32, 0, 1, 32, 0, 1}, {32, 32, 0, 0xFFFF, 0xFFFF, 0, 2}};
    EXPECT_EQ(chooseIconImage(huge, 32, 32)->id, 2);
}

TEST(IconResource, DecodesEveryDepthBottomUpWithItsMask)
{
    // 3x2 pictures: the top row is stored second; the mask hides the bottom right.
    const std::vector<std::vector<std::uint8_t>> mask = {{0x20}, {0x00}};
    const std::uint32_t g1 = 0x010203, g2 = 0x020406, g3 = 0x030609, g4 = 0x04080C, g5 = 0x050A0F;
    struct Case {
        const char* what;
        ByteWriter image;
        std::vector<std::uint32_t> expected;  // top row first
    };
    const Case cases[] = {
        {"1 bit", iconImage(3, 2, 1, {0x000000, 0xFFFFFF}, {{0x60}, {0xA0}}, mask),
         {kOpaque | 0xFFFFFF, kOpaque, kOpaque | 0xFFFFFF, kOpaque, kOpaque | 0xFFFFFF, 0}},
        {"4 bits", iconImage(3, 2, 4, greys(16), {{0x45, 0x60}, {0x12, 0x30}}, mask),
         {kOpaque | g1, kOpaque | g2, kOpaque | g3, kOpaque | g4, kOpaque | g5, 0}},
        {"8 bits, short palette", iconImage(3, 2, 8, greys(7), {{4, 5, 6}, {1, 200, 3}}, mask, 7),
         {kOpaque | g1, kOpaque, kOpaque | g3, kOpaque | g4, kOpaque | g5, 0}},
        {"24 bits", iconImage(3, 2, 24, {}, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77}}, mask),
         {kOpaque | 0x112233, kOpaque | 0x445566, kOpaque | 0x778899, kOpaque | 0x030201, kOpaque | 0x060504, 0}},
        {"32 bits without alpha", iconImage(3, 2, 32, {}, {{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}, {9, 9, 9, 0, 8, 8, 8, 0, 7, 7, 7, 0}}, mask),
         {kOpaque | 0x090909, kOpaque | 0x080808, kOpaque | 0x070707, kOpaque | 0x030201, kOpaque | 0x060504, 0}},
        {"32 bits with alpha", iconImage(3, 2, 32, {}, {{1, 2, 3, 0x80, 4, 5, 6, 0xFF, 7, 8, 9, 0xFF}, {9, 9, 9, 0, 8, 8, 8, 0x40, 7, 7, 7, 0xFF}}, mask),
         {0x00090909, 0x40080808, 0xFF070707, 0x80030201, 0xFF060504, 0}},
    };
    for (const Case& c : cases) {
        const auto icon = decodeIconImage(c.image.data());
        ASSERT_TRUE(icon.ok()) << c.what << ": " << icon.error();
        EXPECT_EQ(icon->width, 3) << c.what;
        EXPECT_EQ(icon->height, 2) << c.what;
        EXPECT_EQ(icon->argb, c.expected) << c.what;
    }

    // Mask rows of a 40-pixel-wide image take 8 bytes: bit 32 lies in the second word.
    std::vector<std::uint8_t> wideRow(20, 0x11), wideMask = {0, 0, 0, 0, 0x80};
    const auto wide = decodeIconImage(iconImage(40, 1, 4, greys(16), {wideRow}, {wideMask}).data());
    ASSERT_TRUE(wide.ok()) << wide.error();
    EXPECT_EQ(wide->argb[31], kOpaque | g1);
    EXPECT_EQ(wide->argb[32], 0u);
    EXPECT_EQ(wide->argb[33], kOpaque | g1);
}

TEST(IconResource, RefusesMalformedImages)
{
    auto patched32 = [](std::size_t at, std::uint32_t v) {
        ByteWriter w = smallImage();
        w.patchU32(at, v);
        return w.data();
    };
    auto patched16 = [](std::size_t at, std::uint16_t v) {
        ByteWriter w = smallImage();
        w.patchU16(at, v);
        return w.data();
    };
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    png.resize(64);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    ASSERT_TRUE(decodeIconImage(smallImage().data()).ok());
    const Case cases[] = {
        {"core header", patched32(0, 12), "header size at offset 0x0: is 12, expected 40"},
        {"PNG image", png, "PNG"},
        {"zero width", patched32(4, 0), "width"},
        {"width above 256", patched32(4, 257), "257 is outside 1..256"},
        {"odd height", patched32(8, 5), "height at offset 0x8: 5"},
        {"height above 512", patched32(8, 514), "514"},
        {"top-down height", patched32(8, 0xFFFFFFFC), "-4"},
        {"two planes", patched16(12, 2), "planes"},
        {"16 bits per pixel", patched16(14, 16), "16 bits per pixel are not supported"},
        {"run-length compression", patched32(16, 2), "compression"},
        {"more colours than 4 bits index", patched32(32, 17), "colours used at offset 0x20: 17"},
        {"huge but consistent image", patched32(4, 256), "colour bits at offset 0x68: needs 256 bytes"},
    };
    for (const Case& c : cases) {
        const auto icon = decodeIconImage(c.bytes);
        EXPECT_FALSE(icon.ok()) << c.what;
        EXPECT_NE(icon.error().find(c.message), std::string::npos) << c.what << ": message \"" << icon.error() << "\"";
    }
    expectEveryCutRefused(smallImage().data(), [](auto cut) { return decodeIconImage(cut); });
}

TEST(IconResource, RefusesMalformedGroups)
{
    ByteWriter valid;
    valid.u16(0).u16(1).u16(1).u8(0).u8(0).u8(0).u8(0).u16(1).u16(32).u32(1000).u16(9);
    const auto parsed = parseIconGroup(valid.data());
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    EXPECT_EQ((*parsed)[0].width, 256) << "0 in the data means 256";
    EXPECT_EQ((*parsed)[0].height, 256);
    EXPECT_EQ((*parsed)[0].id, 9);

    auto patched = [&](std::size_t at, std::uint16_t v) {
        ByteWriter w = valid;
        w.patchU16(at, v);
        return w.data();
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"reserved not zero", patched(0, 1), "reserved at offset 0x0: is 1"},
        {"cursor group", patched(2, 2), "type at offset 0x2: is 2, expected 1"},
        {"count beyond the data", patched(4, 2), "count at offset 0x4: 2 entries"},
        {"huge count", patched(4, 0xFFFF), "65535 entries"},
    };
    for (const Case& c : cases) {
        const auto group = parseIconGroup(c.bytes);
        EXPECT_FALSE(group.ok()) << c.what;
        EXPECT_NE(group.error().find(c.message), std::string::npos) << c.what << ": message \"" << group.error() << "\"";
    }
}
