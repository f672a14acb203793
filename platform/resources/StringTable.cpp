#include "platform/resources/StringTable.h"

#include "platform/resources/ByteReader.h"
#include "platform/resources/Utf16.h"

#include <algorithm>

namespace resources {

namespace {

constexpr std::size_t kStringsPerBlock = 16;

}  // namespace

Result<std::array<std::string, 16>> parseStringBlock(std::span<const std::uint8_t> data)
{
    std::array<std::string, kStringsPerBlock> strings;
    ByteReader r(data, "string block");
    for (std::size_t i = 0; i < kStringsPerBlock; ++i) {
        r.setStructure("string block entry " + std::to_string(i));
        std::uint16_t length = 0;
        std::span<const std::uint8_t> bytes;
        if (!r.u16(length, "length") || !r.bytes(std::size_t{length} * 2, bytes, "text"))
            return r.error();
        std::u16string units(length, u'\0');
        for (std::size_t k = 0; k < length; ++k)
            units[k] = static_cast<char16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
        // Some compilers store a terminating NUL inside the length; it is not
        // part of the text.
        units.erase(std::find(units.begin(), units.end(), u'\0'), units.end());
        strings[i] = utf16ToUtf8(units);
    }
    return strings;
}

std::optional<std::string> loadString(const ResourceFile& file, std::uint32_t id,
                                      std::uint16_t language)
{
    const std::uint32_t block = id / kStringsPerBlock + 1;
    if (block > 0xFFFF)
        return std::nullopt;
    const ResourceEntry* entry = file.find(ResourceName::id(kTypeString),
                                           ResourceName::id(static_cast<std::uint16_t>(block)),
                                           language);
    if (!entry)
        return std::nullopt;
    auto strings = parseStringBlock(entry->data);
    if (!strings)
        return std::nullopt;
    return strings.value()[id % kStringsPerBlock];
}

}  // namespace resources
