// The program file's resource inventory, its About-entry string, its
// version information and its application icon.

#include "ProgramResources.h"

#include "platform/resources/IconResource.h"
#include "platform/resources/StringTable.h"
#include "platform/resources/VersionInfo.h"
#include "resources/resource.h"
#include "tools/icon_builder/Palette.h"
#include "tools/icon_builder/PixelArt.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <variant>

namespace resource_content {
namespace {

using namespace resources;

TEST(ProgramResources, HoldExactlyTheProgramsResourcesAllInLanguage1033) {
    std::multiset<std::pair<int, int>> found;
    for (const ResourceEntry& entry : programResources().entries()) {
        if (entry.type.isOrdinal() && entry.type.ordinal == 0) continue;  // the format marker
        ASSERT_TRUE(entry.type.isOrdinal()) << "unexpected named type " << entry.type.name;
        ASSERT_TRUE(entry.name.isOrdinal()) << "unexpected named resource " << entry.name.name;
        EXPECT_EQ(entry.language, kLangEnglishUS) << "type " << entry.type.ordinal << " name " << entry.name.ordinal;
        found.insert({entry.type.ordinal, entry.name.ordinal});
    }
    const std::multiset<std::pair<int, int>> expected{
        {kTypeDialog, IDD_RECORDER},
        {kTypeDlgInit, IDD_RECORDER},
        {kTypeDialog, IDD_ABOUT_BOX},
        {kTypeIcon, 1},
        {kTypeIcon, 2},
        {kTypeGroupIcon, IDR_APP_ICON},
        {kTypeString, IDS_ABOUT_ENTRY / 16 + 1},
        {kTypeVersion, 1},
    };
    EXPECT_EQ(found, expected);
}

TEST(ProgramStrings, AboutEntryIsTheOnlyStringOfItsBlock) {
    EXPECT_EQ(loadString(programResources(), IDS_ABOUT_ENTRY), "&About quilvane...");

    auto block = parseStringBlock(resourceData(kTypeString, IDS_ABOUT_ENTRY / 16 + 1));
    ASSERT_TRUE(block) << block.error();
    for (std::size_t i = 0; i < block->size(); ++i) {
        if (i == IDS_ABOUT_ENTRY % 16) continue;
        EXPECT_TRUE((*block)[i].empty()) << "stray string " << (IDS_ABOUT_ENTRY / 16) * 16 + i;
    }
}

TEST(ProgramVersion, FixedPartAndStringsAreTheProgramsIdentity) {
    auto parsed = parseVersionInfo(resourceData(kTypeVersion, 1));
    ASSERT_TRUE(parsed) << parsed.error();
    const VersionInfo& version = parsed.value();

    const FixedFileInfo& fixed = version.fixed;
    EXPECT_EQ(fixed.signature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.fileVersionMS, 0x00010000u);  // 1.0
    EXPECT_EQ(fixed.fileVersionLS, 0x00000001u);  // .0.1
    EXPECT_EQ(fixed.productVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.productVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.fileFlags, 0u);
    EXPECT_EQ(fixed.fileOS, 0x4u);
    EXPECT_EQ(fixed.fileType, 0x1u);
    EXPECT_EQ(fixed.fileSubtype, 0u);
    EXPECT_EQ(fixed.fileDateMS, 0u);
    EXPECT_EQ(fixed.fileDateLS, 0u);

    EXPECT_EQ(version.blockOrder, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));

    ASSERT_EQ(version.stringTables.size(), 1u);
    const VersionStringTable& strings = version.stringTables[0];
    EXPECT_EQ(strings.key, "040904B0");
    const std::vector<std::string> expectedKeys{"CompanyName", "FileDescription", "FileVersion",
                                                "InternalName", "LegalCopyright", "LegalTrademarks",
                                                "OriginalFilename", "ProductName", "ProductVersion"};
    ASSERT_EQ(strings.values.size(), expectedKeys.size());
    for (std::size_t i = 0; i < expectedKeys.size(); ++i) EXPECT_EQ(strings.values[i].first, expectedKeys[i]);

    EXPECT_EQ(strings.values[0].second, "");
    EXPECT_EQ(strings.values[1].second, "quilvane MFC Application");
    EXPECT_EQ(strings.values[2].second, "1, 0, 0, 1");
    EXPECT_EQ(strings.values[3].second, "quilvane");
    EXPECT_EQ(strings.values[4].second.rfind("Copyright (C) ", 0), 0u) << strings.values[4].second;
    EXPECT_EQ(strings.values[5].second, "");
    EXPECT_EQ(strings.values[6].second, "quilvane.EXE");
    EXPECT_EQ(strings.values[7].second, "quilvane Application");
    EXPECT_EQ(strings.values[8].second, "1, 0, 0, 1");

    EXPECT_EQ(version.translations, (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0x0409, 0x04B0}}));
}

TEST(ProgramIcon, GroupListsA32And16PixelSixteenColourImage) {
    auto parsed = parseIconGroup(resourceData(kTypeGroupIcon, IDR_APP_ICON));
    ASSERT_TRUE(parsed) << parsed.error();
    const auto& group = parsed.value();
    ASSERT_EQ(group.size(), 2u);

    struct Expected {
        int size;
        std::uint32_t bytes;
        std::uint16_t id;
    };
    const Expected expected[] = {{32, 744, 1}, {16, 296, 2}};
    for (std::size_t i = 0; i < group.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(expected[i].id));
        EXPECT_EQ(group[i].width, expected[i].size);
        EXPECT_EQ(group[i].height, expected[i].size);
        EXPECT_EQ(group[i].colorCount, 16);
        EXPECT_EQ(group[i].planes, 1);
        EXPECT_EQ(group[i].bitCount, 4);
        EXPECT_EQ(group[i].bytesInRes, expected[i].bytes);
        EXPECT_EQ(group[i].id, expected[i].id);
        EXPECT_EQ(resourceData(kTypeIcon, expected[i].id).size(), expected[i].bytes);
    }
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each image, decoded from the program file, shows its artwork pixel for
// pixel: palette colours where the art has a colour, transparent where it
// has '.'.
TEST(ProgramIcon, ImagesShowTheirArtwork) {
    const struct {
        std::uint16_t id;
        const char* art;
    } images[] = {{1, "app_icon_32.txt"}, {2, "app_icon_16.txt"}};

    for (const auto& image : images) {
        SCOPED_TRACE(image.art);
        const std::string path = std::string(QV_ICON_ART_DIR) + "/" + image.art;
        auto art = icon_builder::parsePixelArt(path, readText(path));
        ASSERT_TRUE(std::holds_alternative<icon_builder::PixelArt>(art))
            << std::get<icon_builder::ArtError>(art).describe();
        const auto& pixels = std::get<icon_builder::PixelArt>(art);

        auto decoded = decodeIconImage(resourceData(kTypeIcon, image.id));
        ASSERT_TRUE(decoded) << decoded.error();
        EXPECT_EQ(decoded->bitCount, 4);
        EXPECT_EQ(decoded->planes, 1);
        ASSERT_EQ(decoded->width, pixels.size);
        ASSERT_EQ(decoded->height, pixels.size);

        int mismatches = 0;
        for (int y = 0; y < pixels.size; ++y) {
            for (int x = 0; x < pixels.size; ++x) {
                const std::uint32_t got = decoded->argb[static_cast<std::size_t>(y * pixels.size + x)];
                const int index = pixels.at(x, y);
                if (index == icon_builder::PixelArt::kTransparent) {
                    if ((got >> 24) != 0 && ++mismatches <= 5) ADD_FAILURE() << "(" << x << "," << y << ") opaque";
                    continue;
                }
                const auto& colour = icon_builder::kPalette[static_cast<std::size_t>(index)];
                const std::uint32_t want = 0xFF000000u | (std::uint32_t{colour.red} << 16) |
                                           (std::uint32_t{colour.green} << 8) | colour.blue;
                if (got != want && ++mismatches <= 5) {
                    ADD_FAILURE() << "(" << x << "," << y << ") is 0x" << std::hex << got << ", art says 0x" << want;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

}  // namespace
}  // namespace resource_content
