// icon_builder::PixelArt - one square icon image read from its text form:
// a palette index per pixel, or transparent.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace icon_builder {

struct PixelArt {
    static constexpr int kTransparent = -1;

    int size = 0;             // width and height in pixels
    std::vector<int> pixels;  // size * size palette indices, rows from the top

    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

// Where and why a text file was refused. line and column count from 1;
// 0 when the fault belongs to no single place (an empty file).
struct ArtError {
    std::string file;
    int line = 0;
    int column = 0;
    std::string message;

    // "file:line:column: message", the form compilers use.
    std::string describe() const;
};

// Reads the text form of an image from `text` (the contents of `fileName`).
//
// Lines whose first character is '#' are comments. Every other line is a
// row of pixels, one character each (see Palette.h); a carriage return
// before the line end is ignored, and so are empty lines at the end of the
// file. All rows must be as long as the first, there must be as many rows
// as columns, and the size must lie between 1 and 256.
std::variant<PixelArt, ArtError> parsePixelArt(const std::string& fileName, const std::string& text);

}  // namespace icon_builder
