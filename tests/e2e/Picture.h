// Picture - a block of screen pixels (0x00RRGGBB, row by row) as the
// end-to-end tests read them from the screen or from a headless rendering,
// with PNG reading and writing and a readable account of how two pictures
// differ.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // The part at (x, y) of the given size; the caller keeps it inside.
    Picture region(int x, int y, int regionWidth, int regionHeight) const;
    friend bool operator==(const Picture&, const Picture&) = default;
};

std::optional<Picture> readPng(const std::string& path, std::string* error);
bool writePng(const Picture& picture, const std::string& path, std::string* error);

// Empty when `shown` equals `expected`; otherwise the sizes when they differ,
// or how many pixels differ, the bounding box of the differences and the
// first `listed` of them ("(x,y) shown 0x... expected 0x...").
std::string differences(const Picture& shown, const Picture& expected, std::size_t listed = 8);

}  // namespace e2e
