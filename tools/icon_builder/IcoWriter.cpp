#include "tools/icon_builder/IcoWriter.h"

#include "tools/icon_builder/Palette.h"

namespace icon_builder {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 4;
constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kDirectoryEntrySize = 16;

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Bytes per row of a bitmap of `width` pixels at `bits` per pixel, padded
// to a whole number of 32-bit words.
std::uint32_t rowStride(int width, int bits) {
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) + 31) / 32) * 4;
}

}  // namespace

std::vector<std::uint8_t> encodeIconImage(const PixelArt& art) {
    const int size = art.size;
    const std::uint32_t colourStride = rowStride(size, kBitsPerPixel);
    const std::uint32_t maskStride = rowStride(size, 1);
    const std::uint32_t bitsSize = (colourStride + maskStride) * static_cast<std::uint32_t>(size);

    std::vector<std::uint8_t> out;
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size) * 2);  // colour bits and mask
    put16(out, 1);                                      // planes
    put16(out, kBitsPerPixel);
    put32(out, 0);  // uncompressed
    put32(out, bitsSize);
    put32(out, 0);  // horizontal resolution
    put32(out, 0);  // vertical resolution
    put32(out, 0);  // colours used: all 16
    put32(out, 0);  // important colours: all

    for (const PaletteColour& colour : kPalette) {
        out.push_back(colour.blue);
        out.push_back(colour.green);
        out.push_back(colour.red);
        out.push_back(0);
    }

    // Colour bits, bottom row first, two pixels a byte (left one high).
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(colourStride, 0);
        for (int x = 0; x < size; ++x) {
            const int index = art.at(x, y);
            const auto nibble = static_cast<std::uint8_t>(index == PixelArt::kTransparent ? 0 : index);
            row[static_cast<std::size_t>(x / 2)] |= (x % 2 == 0) ? static_cast<std::uint8_t>(nibble << 4) : nibble;
        }
        out.insert(out.end(), row.begin(), row.end());
    }

    // Mask bits, bottom row first, leftmost pixel in the high bit; 1 means
    // the screen shows through.
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < size; ++x) {
            if (art.at(x, y) == PixelArt::kTransparent) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> encodeIconFile(const std::vector<PixelArt>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const PixelArt& art : images) encoded.push_back(encodeIconImage(art));

    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // resource type: icon
    put16(out, static_cast<std::uint32_t>(images.size()));

    std::uint32_t offset = kDirectorySize + kDirectoryEntrySize * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].size;
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));  // 0 means 256
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        out.push_back(16);  // colours
        out.push_back(0);   // reserved
        put16(out, 1);      // planes
        put16(out, kBitsPerPixel);
        put32(out, static_cast<std::uint32_t>(encoded[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& image : encoded) out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace icon_builder
