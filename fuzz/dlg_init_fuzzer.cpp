// Fuzzes parseDlgInit.
#include "FuzzChecks.h"

#include "platform/resources/DlgInit.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = resources::parseDlgInit({data, size});
    if (!parsed)
        return 0;
    std::size_t total = 0;
    for (const resources::DlgInitEntry& entry : *parsed) {
        fuzz::check(entry.controlId != 0, "a zero control id ends the list");
        fuzz::check(entry.text().size() <= entry.data.size(), "text comes from the entry's data");
        total += 8 + entry.data.size();
    }
    fuzz::check(total + 2 <= size, "entries and end marker fit in the input");
    return 0;
}
