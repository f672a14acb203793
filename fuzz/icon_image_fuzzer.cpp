// Fuzzes decodeIconImage.
#include "FuzzChecks.h"

#include "platform/resources/IconResource.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto icon = resources::decodeIconImage({data, size});
    if (!icon)
        return 0;
    fuzz::check(icon->width >= 1 && icon->width <= 256 && icon->height >= 1 && icon->height <= 256,
                "sizes are 1..256");
    fuzz::check(icon->argb.size() == static_cast<std::size_t>(icon->width) * icon->height, "one pixel per position");
    return 0;
}
