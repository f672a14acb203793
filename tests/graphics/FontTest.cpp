// Fonts: the dialog font's metrics and base units, the face mapping and the
// font cache.
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace graphics;

TEST(Font, FontsAreUsableOnThisMachine) {
    std::string error = "unchanged";
    EXPECT_TRUE(fontsUsable(&error)) << error;
}

// With no fonts at all, the check fails with a message instead of letting
// the program draw invisible text. Runs in a fresh process (the threadsafe
// death-test style re-executes the test binary), because fontconfig reads its
// configuration only once per process.
TEST(FontDeathTest, MissingFontsAreReported) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto config = std::filesystem::temp_directory_path() / "qv_graphics_no_fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?><fontconfig></fontconfig>\n";
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            std::string error;
            const bool usable = fontsUsable(&error);
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(usable ? 0 : 3);
        },
        ::testing::ExitedWithCode(3), "no usable font");
}

TEST(Font, DialogFontBaseUnitsArePlausibleAndStable) {
    const Font& font = messageFont();
    const SIZE units = font.baseUnits();
    EXPECT_GE(units.cx, 5);
    EXPECT_LE(units.cx, 8);
    EXPECT_GE(units.cy, 11);
    EXPECT_LE(units.cy, 15);
    EXPECT_EQ(units.cy, font.height());
    EXPECT_GT(font.ascent(), font.height() / 2);
    EXPECT_LT(font.ascent(), font.height());
    // The horizontal unit follows the alphabet's measured width.
    const int alphabet = textExtent(font, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", DT_NOPREFIX).cx;
    EXPECT_EQ(units.cx, (alphabet / 26 + 1) / 2);
    // A font asked for again is the same object with the same numbers.
    auto again = Font::get({"MS Sans Serif", 8, 0, false});
    EXPECT_EQ(again.get(), &font);
    EXPECT_EQ(again->baseUnits(), units);
}

TEST(Font, ClassicSansNamesShareOneFace) {
    const Font& reference = messageFont();
    for (const char* face : {"MS Shell Dlg", "Tahoma", "Microsoft Sans Serif", "Arial", "ms sans serif"}) {
        SCOPED_TRACE(face);
        auto font = Font::get({face, 8, 0, false});
        EXPECT_EQ(font->fontSpec().face, face);
        EXPECT_EQ(font->height(), reference.height());
        EXPECT_EQ(font->baseUnits(), reference.baseUnits());
    }
}

TEST(Font, SizeWeightAndStyleChangeTheFont) {
    const Font& regular = messageFont();
    const Font& bold = captionFont();
    EXPECT_EQ(bold.fontSpec().weight, 700);
    EXPECT_EQ(&menuFont(), &regular);
    const char* sample = "Recording Time";
    EXPECT_GT(textExtent(bold, sample, 0).cx, textExtent(regular, sample, 0).cx);
    auto big = Font::get({"MS Sans Serif", 12, 0, false});
    EXPECT_GT(big->height(), regular.height());
    EXPECT_GT(big->baseUnits().cx, regular.baseUnits().cx);
    auto italic = Font::get({"MS Sans Serif", 8, 0, true});
    EXPECT_NE(italic.get(), &regular);
    EXPECT_TRUE(italic->fontSpec().italic);
    // An unknown face falls back to the sans faces rather than to nothing.
    auto unknown = Font::get({"No Such Face 12345", 8, 0, false});
    EXPECT_EQ(unknown->height(), regular.height());
    EXPECT_GT(textExtent(*unknown, "A", 0).cx, 0);
}
