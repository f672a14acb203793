// Fuzzes parseStringBlock.
#include "FuzzChecks.h"

#include "platform/resources/StringTable.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = resources::parseStringBlock({data, size});
    if (!parsed)
        return 0;
    fuzz::check(size >= 32, "a block holds 16 lengths");
    for (const std::string& text : *parsed)
        fuzz::check(fuzz::isValidUtf8(text), "strings are UTF-8");
    return 0;
}
