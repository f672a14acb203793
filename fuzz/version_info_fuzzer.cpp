// Fuzzes parseVersionInfo.
#include "FuzzChecks.h"

#include "platform/resources/VersionInfo.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto info = resources::parseVersionInfo({data, size});
    if (!info)
        return 0;
    fuzz::check(info->fixed.signature == 0xFEEF04BD, "the fixed part was checked");
    for (const resources::VersionStringTable& table : info->stringTables) {
        fuzz::check(fuzz::isValidUtf8(table.key), "keys are UTF-8");
        for (const auto& [key, value] : table.values)
            fuzz::check(fuzz::isValidUtf8(key) && fuzz::isValidUtf8(value), "strings are UTF-8");
    }
    fuzz::check(info->translations.size() * 4 <= size, "translations come from the input");
    return 0;
}
