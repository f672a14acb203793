// graphics::IconImage - an icon picture ready to draw: straight (not
// premultiplied) 0xAARRGGBB pixels whose alpha is 0 where the icon's mask
// makes it transparent and 255 elsewhere.
#pragma once

#include <cstdint>
#include <vector>

namespace graphics {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // width * height, row by row from the top
};

}  // namespace graphics
