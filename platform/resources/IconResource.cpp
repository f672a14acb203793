#include "platform/resources/IconResource.h"

#include "platform/resources/ByteReader.h"

#include <algorithm>
#include <cstdlib>

namespace resources {

namespace {

constexpr std::size_t kGroupEntrySize = 14;
constexpr std::uint16_t kGroupTypeIcon = 1;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kCompressionNone = 0;   // BI_RGB
constexpr int kMaxIconSide = 256;

// Bits per pixel of an entry; wide enough for any stored planes x bit count.
long long colourDepth(const GroupIconEntry& e)
{
    if (e.bitCount > 0)
        return static_cast<long long>(e.bitCount) * (e.planes > 0 ? e.planes : 1);
    int bits = 8;  // a colour count of 0 means 256 or more
    if (e.colorCount > 0) {
        bits = 0;
        while ((1 << bits) < e.colorCount)
            ++bits;
    }
    return bits;
}

int sizeDistance(const GroupIconEntry& e, int cx, int cy)
{
    return std::abs(e.width - cx) + std::abs(e.height - cy);
}

// Bytes of one row of `width` pixels of `bits` each, padded to 4 bytes.
std::size_t rowStride(int width, int bits)
{
    return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
}

bool isPng(std::span<const std::uint8_t> data)
{
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G'};
    return data.size() >= 4 && std::equal(std::begin(kSignature), std::end(kSignature), data.begin());
}

std::uint32_t argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (std::uint32_t{a} << 24) | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

// The colour of pixel `x` of one row of colour bits, without alpha.
std::uint32_t pixelColour(std::span<const std::uint8_t> row, int x, int bits,
                          const std::vector<std::uint32_t>& palette)
{
    std::size_t index = 0;
    switch (bits) {
    case 1: index = (row[x / 8] >> (7 - x % 8)) & 0x1; break;
    case 4: index = (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF; break;
    case 8: index = row[x]; break;
    case 24: {
        const std::size_t at = static_cast<std::size_t>(x) * 3;
        return argb(0, row[at + 2], row[at + 1], row[at]);
    }
    case 32: {
        const std::size_t at = static_cast<std::size_t>(x) * 4;
        return argb(row[at + 3], row[at + 2], row[at + 1], row[at]);
    }
    }
    // An index past the palette shows black.
    return index < palette.size() ? palette[index] : 0;
}

}  // namespace

Result<std::vector<GroupIconEntry>> parseIconGroup(std::span<const std::uint8_t> data)
{
    ByteReader r(data, "icon group");
    std::uint16_t reserved = 0, type = 0, count = 0;
    if (!r.u16(reserved, "reserved") || !r.u16(type, "type") || !r.u16(count, "count"))
        return r.error();
    if (reserved != 0) {
        r.fail(0, "reserved", "is " + std::to_string(reserved) + ", expected 0");
        return r.error();
    }
    if (type != kGroupTypeIcon) {
        r.fail(2, "type", "is " + std::to_string(type) + ", expected 1 (icon)");
        return r.error();
    }
    if (count > r.remaining() / kGroupEntrySize) {
        r.fail(4, "count",
               std::to_string(count) + " entries of 14 bytes do not fit in the " +
                   std::to_string(r.remaining()) + " bytes that follow");
        return r.error();
    }

    std::vector<GroupIconEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        r.setStructure("icon group entry " + std::to_string(i));
        GroupIconEntry& e = entries[i];
        std::uint8_t width = 0, height = 0, colours = 0, ignored = 0;
        std::uint16_t planes = 0, bits = 0;
        if (!r.u8(width, "width") || !r.u8(height, "height") || !r.u8(colours, "colour count") ||
            !r.u8(ignored, "reserved") || !r.u16(planes, "planes") || !r.u16(bits, "bit count") ||
            !r.u32(e.bytesInRes, "bytes in resource") || !r.u16(e.id, "image id"))
            return r.error();
        e.width = width == 0 ? 256 : width;
        e.height = height == 0 ? 256 : height;
        e.colorCount = colours;
        e.planes = planes;
        e.bitCount = bits;
    }
    return entries;
}

const GroupIconEntry* chooseIconImage(const std::vector<GroupIconEntry>& group, int cx, int cy)
{
    const GroupIconEntry* best = nullptr;
    for (const GroupIconEntry& e : group) {
        if (!best) {
            best = &e;
            continue;
        }
        const int distance = sizeDistance(e, cx, cy);
        const int bestDistance = sizeDistance(*best, cx, cy);
        if (distance != bestDistance) {
            if (distance < bestDistance)
                best = &e;
            continue;
        }
        // Equally close: the larger image (scaling down looks better), then
        // the one with more colours.
        const int area = e.width * e.height;
        const int bestArea = best->width * best->height;
        if (area != bestArea) {
            if (area > bestArea)
                best = &e;
            continue;
        }
        if (colourDepth(e) > colourDepth(*best))
            best = &e;
    }
    return best;
}

Result<IconBitmap> decodeIconImage(std::span<const std::uint8_t> data)
{
    ByteReader r(data, "icon image");
    if (isPng(data)) {
        r.fail(0, "header", "PNG-compressed icon images are not supported");
        return r.error();
    }

    std::uint32_t headerSize = 0, compression = 0, sizeImage = 0, coloursUsed = 0, important = 0;
    std::int32_t width = 0, heightField = 0, xPels = 0, yPels = 0;
    std::uint16_t planes = 0, bits = 0;
    if (!r.u32(headerSize, "header size"))
        return r.error();
    if (headerSize != kInfoHeaderSize) {
        r.fail(0, "header size",
               "is " + std::to_string(headerSize) + ", expected 40 (a BITMAPINFOHEADER)");
        return r.error();
    }
    if (!r.i32(width, "width") || !r.i32(heightField, "height") || !r.u16(planes, "planes") ||
        !r.u16(bits, "bit count") || !r.u32(compression, "compression") ||
        !r.u32(sizeImage, "image size") || !r.i32(xPels, "horizontal resolution") ||
        !r.i32(yPels, "vertical resolution") || !r.u32(coloursUsed, "colours used") ||
        !r.u32(important, "important colours"))
        return r.error();

    if (width < 1 || width > kMaxIconSide) {
        r.fail(4, "width", std::to_string(width) + " is outside 1..256");
        return r.error();
    }
    // The height counts the colour bits and the mask, so it is twice the icon's.
    if (heightField < 2 || heightField > 2 * kMaxIconSide || heightField % 2 != 0) {
        r.fail(8, "height",
               std::to_string(heightField) +
                   " is not twice an icon height of 1..256 (colour bits and mask)");
        return r.error();
    }
    if (planes != 1) {
        r.fail(12, "planes", "is " + std::to_string(planes) + ", expected 1");
        return r.error();
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        r.fail(14, "bit count", std::to_string(bits) + " bits per pixel are not supported");
        return r.error();
    }
    if (compression != kCompressionNone) {
        r.fail(16, "compression", std::to_string(compression) + " is not supported (only 0, none)");
        return r.error();
    }

    const int height = heightField / 2;
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        if (coloursUsed > full) {
            r.fail(32, "colours used",
                   std::to_string(coloursUsed) + " is more than " + std::to_string(bits) +
                       "-bit pixels can index");
            return r.error();
        }
        const std::uint32_t entries = coloursUsed == 0 ? full : coloursUsed;
        palette.resize(entries);
        for (std::uint32_t i = 0; i < entries; ++i) {
            std::uint8_t b = 0, g = 0, red = 0, unused = 0;
            if (!r.u8(b, "palette") || !r.u8(g, "palette") || !r.u8(red, "palette") ||
                !r.u8(unused, "palette"))
                return r.error();
            palette[i] = argb(0, red, g, b);
        }
    }

    const std::size_t colourStride = rowStride(width, bits);
    const std::size_t maskStride = rowStride(width, 1);
    std::span<const std::uint8_t> colourBits, maskBits;
    if (!r.bytes(colourStride * height, colourBits, "colour bits") ||
        !r.bytes(maskStride * height, maskBits, "mask bits"))
        return r.error();

    IconBitmap icon;
    icon.width = width;
    icon.height = height;
    icon.bitCount = bits;
    icon.planes = planes;
    icon.argb.resize(static_cast<std::size_t>(width) * height);

    // A 32-bit image whose alpha bytes are all zero predates alpha icons: the
    // mask alone says what is transparent.
    bool hasAlpha = false;
    if (bits == 32) {
        for (std::size_t i = 3; i < colourBits.size(); i += 4)
            hasAlpha = hasAlpha || colourBits[i] != 0;
    }

    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const std::size_t stored = static_cast<std::size_t>(height - 1 - y);
        const auto colourRow = colourBits.subspan(stored * colourStride, colourStride);
        const auto maskRow = maskBits.subspan(stored * maskStride, maskStride);
        for (int x = 0; x < width; ++x) {
            const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 0x1;
            std::uint32_t pixel = pixelColour(colourRow, x, bits, palette);
            if (transparent) {
                pixel = 0;
            } else if (!hasAlpha) {
                pixel = (pixel & 0x00FFFFFF) | 0xFF000000;
            }
            icon.argb[static_cast<std::size_t>(y) * width + x] = pixel;
        }
    }
    return icon;
}

}  // namespace resources
