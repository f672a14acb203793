// The icon renderer of the build: choosing the image of one size from an
// icon group, and writing it as a PNG whose alpha survives the trip.
#include "tools/icon_png/IconPng.h"

#include "tests/install/InstalledFiles.h"
#include "tests/install/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace install_test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kGroup = 128;

void put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

// A compiled resource file built in memory: the empty marker entry, then
// entries with ordinal types and names, each padded to 4 bytes.
class ResBuilder {
public:
    ResBuilder() { add(0, 0, {}); }

    ResBuilder& add(std::uint16_t type, std::uint16_t name, const Bytes& data) {
        put32(m_bytes, static_cast<std::uint32_t>(data.size()));
        put32(m_bytes, 32);  // header size
        put16(m_bytes, 0xFFFF);
        put16(m_bytes, type);
        put16(m_bytes, 0xFFFF);
        put16(m_bytes, name);
        put32(m_bytes, 0);       // data version
        put16(m_bytes, 0x1030);  // memory flags
        put16(m_bytes, resources::kLangEnglishUS);
        put32(m_bytes, 0);  // version
        put32(m_bytes, 0);  // characteristics
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        while (m_bytes.size() % 4 != 0) m_bytes.push_back(0);
        return *this;
    }

    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

struct GroupImage {
    int size;
    std::uint16_t id;
};

// An icon group (type 14) listing 32-bit images.
Bytes iconGroup(const std::vector<GroupImage>& images) {
    Bytes out;
    put16(out, 0);  // reserved
    put16(out, 1);  // icon
    put16(out, static_cast<std::uint16_t>(images.size()));
    for (const GroupImage& image : images) {
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(0);  // colour count
        out.push_back(0);  // reserved
        put16(out, 1);     // planes
        put16(out, 32);    // bits per pixel
        put32(out, 0);     // bytes in resource
        put16(out, image.id);
    }
    return out;
}

// A 32-bit icon image of size x size filled with one straight-alpha colour,
// its mask all clear.
Bytes iconImage(int size, std::uint32_t argb) {
    Bytes out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2));
    put16(out, 1);
    put16(out, 32);
    for (int i = 0; i < 6; ++i) put32(out, 0);  // compression .. important colours
    for (int i = 0; i < size * size; ++i) {
        out.push_back(static_cast<std::uint8_t>(argb));
        out.push_back(static_cast<std::uint8_t>(argb >> 8));
        out.push_back(static_cast<std::uint8_t>(argb >> 16));
        out.push_back(static_cast<std::uint8_t>(argb >> 24));
    }
    const int maskStride = ((size + 31) / 32) * 4;
    out.insert(out.end(), static_cast<std::size_t>(maskStride * size), 0);
    return out;
}

TEST(IconPngChoice, TakesTheImageOfExactlyTheSizeOrSaysWhyNot) {
    const std::uint32_t big = 0xFF102030;
    const std::uint32_t small = 0x80A0B0C0;
    const struct Row {
        const char* name;
        std::function<ResBuilder()> res;
        int size;
        std::uint32_t pixel;  // of the chosen image, when there is one
        const char* error;    // part of the refusal; empty when the image is found
    } rows[] = {
        {"the 16x16 of two sizes",
         [&] {
             return ResBuilder()
                 .add(resources::kTypeGroupIcon, kGroup, iconGroup({{32, 1}, {16, 2}}))
                 .add(resources::kTypeIcon, 1, iconImage(32, big))
                 .add(resources::kTypeIcon, 2, iconImage(16, small));
         },
         16, small, ""},
        {"the 32x32 of two sizes",
         [&] {
             return ResBuilder()
                 .add(resources::kTypeGroupIcon, kGroup, iconGroup({{16, 2}, {32, 1}}))
                 .add(resources::kTypeIcon, 1, iconImage(32, big))
                 .add(resources::kTypeIcon, 2, iconImage(16, small));
         },
         32, big, ""},
        {"no icon group",
         [&] { return ResBuilder().add(resources::kTypeIcon, 1, iconImage(16, small)); }, 16, 0,
         "has no icon group 128"},
        {"a size the group does not hold is not scaled",
         [&] {
             return ResBuilder()
                 .add(resources::kTypeGroupIcon, kGroup, iconGroup({{32, 1}}))
                 .add(resources::kTypeIcon, 1, iconImage(32, big));
         },
         16, 0, "icon group 128 has no 16x16 image"},
        {"the group names an image the file lacks",
         [&] { return ResBuilder().add(resources::kTypeGroupIcon, kGroup, iconGroup({{16, 9}})); }, 16, 0,
         "names icon image 9, which the resource file does not hold"},
        {"the image is not the size the group says",
         [&] {
             return ResBuilder()
                 .add(resources::kTypeGroupIcon, kGroup, iconGroup({{16, 1}}))
                 .add(resources::kTypeIcon, 1, iconImage(32, big));
         },
         16, 0, "icon image 1 is 32x32, but icon group 128 lists it as 16x16"},
        {"a malformed group",
         [&] { return ResBuilder().add(resources::kTypeGroupIcon, kGroup, Bytes{0, 0, 2, 0}); }, 16, 0,
         "icon group 128: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ResBuilder builder = row.res();
        const auto file = resources::ResourceFile::parse(builder.bytes());
        ASSERT_TRUE(file) << file.error();
        const auto image = icon_png::iconImageOfSize(*file, kGroup, row.size);
        if (*row.error) {
            ASSERT_FALSE(image);
            EXPECT_NE(image.error().find(row.error), std::string::npos) << image.error();
            continue;
        }
        ASSERT_TRUE(image) << image.error();
        EXPECT_EQ(image->width, row.size);
        EXPECT_EQ(image->height, row.size);
        ASSERT_FALSE(image->argb.empty());
        EXPECT_EQ(image->argb.front(), row.pixel);
    }
}

TEST(IconPngWriting, KeepsColoursAndAlphaOfEveryPixel) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.ok()) << scratch.error();
    // Straight alpha in; cairo keeps colours premultiplied, so half and
    // quarter transparent colours show whether the conversion is right.
    resources::IconBitmap image;
    image.argb = {0xFF123456, 0x00000000, 0x00FF00FF, 0x80FF0000, 0x400080FF, 0xC0FFFFFF};
    image.width = static_cast<int>(image.argb.size());
    image.height = 1;
    const fs::path path = scratch.path() / "icon.png";
    std::string error;
    ASSERT_TRUE(icon_png::writeIconPng(image, path, &error)) << error;
    EXPECT_EQ(filesUnder(scratch.path()), std::vector<std::string>{"icon.png"});

    const auto png = readPng(path, &error);
    ASSERT_TRUE(png) << error;
    EXPECT_TRUE(png->hasAlphaChannel);
    ASSERT_EQ(png->width, image.width);
    ASSERT_EQ(png->height, 1);
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        SCOPED_TRACE("pixel " + std::to_string(i));
        const std::uint32_t want = image.argb[i];
        const std::uint32_t got = png->argb[i];
        ASSERT_EQ(got >> 24, want >> 24);
        if ((want >> 24) == 0) {
            EXPECT_EQ(got, 0u);  // a transparent pixel keeps no colour
            continue;
        }
        // Premultiplying to 8 bits and back rounds by a step or two.
        for (const int shift : {16, 8, 0}) {
            const int wantChannel = static_cast<int>((want >> shift) & 0xFF);
            const int gotChannel = static_cast<int>((got >> shift) & 0xFF);
            EXPECT_LE(std::abs(wantChannel - gotChannel), 2) << "channel at bit " << shift;
        }
    }
}

TEST(IconPngWriting, RefusesWhatItCannotWriteAndLeavesNothingBehind) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.ok()) << scratch.error();
    resources::IconBitmap opaque;
    opaque.width = 2;
    opaque.height = 2;
    opaque.argb.assign(4, 0xFF000000);
    resources::IconBitmap mismatched = opaque;
    mismatched.argb.pop_back();

    // A folder where the file should go: the picture is written beside it
    // and cannot be renamed into place.
    fs::create_directory(scratch.path() / "taken.png");
    const struct {
        const char* name;
        const resources::IconBitmap* image;
        fs::path path;
        const char* error;
    } rows[] = {
        {"an empty image", nullptr, scratch.path() / "empty.png", "the image is empty"},
        {"fewer pixels than the size", &mismatched, scratch.path() / "short.png", "do not match its size"},
        {"a missing folder", &opaque, scratch.path() / "missing" / "icon.png", "cannot write PNG file"},
        {"a folder in the way", &opaque, scratch.path() / "taken.png", "cannot write PNG file"},
    };
    const resources::IconBitmap empty;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string error;
        EXPECT_FALSE(icon_png::writeIconPng(row.image ? *row.image : empty, row.path, &error));
        EXPECT_NE(error.find(row.error), std::string::npos) << error;
        EXPECT_NE(error.find(row.path.string()), std::string::npos) << error;
    }
    EXPECT_EQ(filesUnder(scratch.path()), std::vector<std::string>{});
    EXPECT_TRUE(fs::is_directory(scratch.path() / "taken.png"));
}

}  // namespace
}  // namespace install_test
