// icon_builder::IcoWriter - encodes images as a standard .ico file of
// 4-bit (16-colour) device-independent bitmaps with 1-bit AND masks.
#pragma once

#include "tools/icon_builder/PixelArt.h"

#include <cstdint>
#include <vector>

namespace icon_builder {

// The bytes of one icon image: BITMAPINFOHEADER (40 bytes, height counting
// colour bits and mask), the 16-entry palette, the 4-bit colour rows and the
// 1-bit mask rows, both bottom-up and padded to 4 bytes. Transparent pixels
// have colour 0 and mask bit 1. A 32x32 image takes 744 bytes, 16x16 296.
std::vector<std::uint8_t> encodeIconImage(const PixelArt& art);

// A whole .ico file: the directory, one entry per image in the given order,
// then the images.
std::vector<std::uint8_t> encodeIconFile(const std::vector<PixelArt>& images);

}  // namespace icon_builder
