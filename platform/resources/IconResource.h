// resources::IconResource - icon groups (type 14: which images an icon has)
// and icon images (type 3: a device-independent bitmap with its AND mask,
// the height in the header counting both).
#pragma once

#include "platform/resources/Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace resources {

struct GroupIconEntry {
    int width = 0;   // 0 in the data means 256
    int height = 0;
    int colorCount = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;  // the icon image's resource id
};

// Refuses a header that is not an icon group (reserved 0, type 1), a count
// the data cannot hold, or truncated entries.
Result<std::vector<GroupIconEntry>> parseIconGroup(std::span<const std::uint8_t> data);

// The entry that best fits a cx x cy request: the exact size with the most
// colours; otherwise the closest size, larger preferred. Null for an empty
// group.
const GroupIconEntry* chooseIconImage(const std::vector<GroupIconEntry>& group, int cx, int cy);

struct IconBitmap {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int planes = 0;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, alpha 0 where the mask is set
};

// Decodes a DIB icon image of 1, 4, 8, 24 or 32 bits per pixel with its
// mask. Refuses a header that is not a BITMAPINFOHEADER (size 40), sizes
// above 256, an odd height field, unsupported depths or compressions, and
// data shorter than the header, palette, colour bits and mask need.
Result<IconBitmap> decodeIconImage(std::span<const std::uint8_t> data);

}  // namespace resources
