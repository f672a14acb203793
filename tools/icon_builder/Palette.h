// icon_builder::Palette - the 16 colours an icon's artwork may use and the
// character that stands for each in the text form of the art.
//
// The colours are the standard 16-colour VGA palette in the order classic
// 4-bit icons store it; the characters are mnemonics (lower case for the
// dark half, upper case for the bright half). '.' marks a transparent pixel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace icon_builder {

struct PaletteColour {
    char symbol;
    std::uint8_t red, green, blue;
    const char* name;
};

inline constexpr std::array<PaletteColour, 16> kPalette{{
    {'k', 0x00, 0x00, 0x00, "black"},
    {'r', 0x80, 0x00, 0x00, "dark red"},
    {'g', 0x00, 0x80, 0x00, "dark green"},
    {'y', 0x80, 0x80, 0x00, "olive"},
    {'b', 0x00, 0x00, 0x80, "navy"},
    {'m', 0x80, 0x00, 0x80, "purple"},
    {'c', 0x00, 0x80, 0x80, "teal"},
    {'s', 0xC0, 0xC0, 0xC0, "silver"},
    {'d', 0x80, 0x80, 0x80, "dark grey"},
    {'R', 0xFF, 0x00, 0x00, "red"},
    {'G', 0x00, 0xFF, 0x00, "green"},
    {'Y', 0xFF, 0xFF, 0x00, "yellow"},
    {'B', 0x00, 0x00, 0xFF, "blue"},
    {'M', 0xFF, 0x00, 0xFF, "magenta"},
    {'C', 0x00, 0xFF, 0xFF, "cyan"},
    {'W', 0xFF, 0xFF, 0xFF, "white"},
}};

inline constexpr char kTransparentSymbol = '.';

// The palette index `symbol` stands for; nullopt for the transparent
// symbol and for any character that is not in the palette.
inline std::optional<int> paletteIndexOf(char symbol) {
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        if (kPalette[i].symbol == symbol) return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace icon_builder
