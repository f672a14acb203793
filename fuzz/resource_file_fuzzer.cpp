// Fuzzes ResourceFile::parse, then finds every parsed entry again and
// loads a few strings through it.
#include "FuzzChecks.h"

#include "platform/resources/ResourceFile.h"
#include "platform/resources/StringTable.h"

#include <cstdint>

// Every byte of every entry is read into this, so AddressSanitizer sees a
// view that points outside the input.
volatile unsigned sink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = resources::ResourceFile::parse({data, size});
    if (!file)
        return 0;
    unsigned sum = 0;
    for (const resources::ResourceEntry& entry : file->entries()) {
        fuzz::check(entry.data.empty() || (entry.data.data() >= data && entry.data.data() + entry.data.size() <= data + size),
                    "entry data lies inside the input");
        for (std::uint8_t byte : entry.data)
            sum += byte;
        const resources::ResourceEntry* found = file->find(entry.type, entry.name, entry.language);
        fuzz::check(found && found->language == entry.language, "every entry is found in its own language");
        fuzz::check(fuzz::isValidUtf8(entry.type.name) && fuzz::isValidUtf8(entry.name.name), "names are UTF-8");
    }
    for (std::uint32_t id : {0u, 1u, 101u, 0xF107u}) {
        if (const auto text = resources::loadString(*file, id))
            fuzz::check(fuzz::isValidUtf8(*text), "strings are UTF-8");
    }
    sink = sum;
    return 0;
}
