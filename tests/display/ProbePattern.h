// The pictures sdl_probe shows, shared by the probe and the tests that read
// them back from the screen.
#pragma once

#include <cstdint>

namespace probe {

// Window content: distinct in every row and column within 256 pixels, so a
// shifted, flipped or channel-swapped copy does not match.
constexpr std::uint32_t patternPixel(int x, int y) {
    const auto r = static_cast<std::uint32_t>((x * 3 + 17) & 0xFF);
    const auto g = static_cast<std::uint32_t>((y * 5 + 41) & 0xFF);
    const auto b = static_cast<std::uint32_t>((x + y * 2) & 0xFF);
    return (r << 16) | (g << 8) | b;
}

// Icon content for an icon of the given size, 0xAARRGGBB with full alpha.
constexpr std::uint32_t iconPixel(int size, int x, int y) {
    return 0xFF000000u | (static_cast<std::uint32_t>(size) << 16) | (static_cast<std::uint32_t>(x) << 8) |
           static_cast<std::uint32_t>(y);
}

constexpr int kIconSizes[] = {32, 16};

}  // namespace probe
