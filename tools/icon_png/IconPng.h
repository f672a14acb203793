// icon_png: the images of an icon resource as PNG files, for the desktop's
// icon theme, so the program file and the desktop show the same artwork.
//
//   iconImageOfSize  - the image of an icon group of exactly one size,
//                      decoded from a compiled resource file
//   writeIconPng     - an image with straight (unpremultiplied) alpha as an
//                      RGBA PNG file
#pragma once

#include "platform/resources/IconResource.h"
#include "platform/resources/ResourceFile.h"
#include "platform/resources/Result.h"

#include <cstdint>
#include <string>

namespace icon_png {

// The image of icon group `groupId` that is exactly `size` x `size`, with the
// most colours when the group has several. Refused (with the reason) when the
// group is missing or malformed, has no image of that size, names an image
// the file does not hold, or the image decodes to another size.
resources::Result<resources::IconBitmap> iconImageOfSize(const resources::ResourceFile& file,
                                                         std::uint16_t groupId, int size);

// Writes `image` (0xAARRGGBB, straight alpha) as a PNG file with an alpha
// channel. The file is written beside `path` and renamed into place, so a
// failed run leaves no half-written file. False, with `error` set, on failure.
bool writeIconPng(const resources::IconBitmap& image, const std::string& path, std::string* error);

}  // namespace icon_png
