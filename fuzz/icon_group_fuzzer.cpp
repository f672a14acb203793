// Fuzzes parseIconGroup and chooseIconImage.
#include "FuzzChecks.h"

#include "platform/resources/IconResource.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = resources::parseIconGroup({data, size});
    if (!parsed)
        return 0;
    const auto& group = *parsed;
    fuzz::check(6 + 14 * group.size() <= size, "entries fit in the input");
    for (const resources::GroupIconEntry& e : group)
        fuzz::check(e.width >= 1 && e.width <= 256 && e.height >= 1 && e.height <= 256, "sizes are 1..256");
    for (int side : {0, 1, 16, 32, 48, 256, 10000}) {
        const resources::GroupIconEntry* chosen = resources::chooseIconImage(group, side, side);
        fuzz::check(group.empty() ? chosen == nullptr : (chosen >= group.data() && chosen < group.data() + group.size()),
                    "the choice is an entry of the group");
    }
    return 0;
}
