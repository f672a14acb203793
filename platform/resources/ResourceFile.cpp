#include "platform/resources/ResourceFile.h"

#include "platform/resources/ByteReader.h"

namespace resources {

namespace {

constexpr std::size_t kSizeFields = 8;  // data size and header size

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

std::uint16_t primaryLanguage(std::uint16_t language) { return language & 0x3FF; }

bool isMarker(const ResourceEntry& entry)
{
    return entry.data.empty() && entry.type.isOrdinal() && entry.type.ordinal == 0 &&
           entry.name.isOrdinal() && entry.name.ordinal == 0;
}

}  // namespace

bool ResourceName::operator==(const ResourceName& other) const
{
    if (isOrdinal() != other.isOrdinal())
        return false;
    return isOrdinal() ? ordinal == other.ordinal : equalIgnoringAsciiCase(name, other.name);
}

Result<ResourceFile> ResourceFile::parse(std::span<const std::uint8_t> bytes)
{
    ResourceFile file;
    ByteReader r(bytes, "resource file");
    if (bytes.empty())
        return ParseError{"resource file: empty data, expected the empty marker entry first"};

    for (std::size_t index = 0; !r.atEnd(); ++index) {
        const std::size_t start = r.offset();
        r.setStructure("resource entry " + std::to_string(index));

        std::uint32_t dataSize = 0;
        std::uint32_t headerSize = 0;
        if (!r.u32(dataSize, "data size") || !r.u32(headerSize, "header size"))
            return r.error();
        if (headerSize < kSizeFields) {
            r.fail(start + 4, "header size",
                   std::to_string(headerSize) + " is smaller than the two size fields it counts");
            return r.error();
        }
        if (headerSize > bytes.size() - start) {
            r.fail(start + 4, "header size",
                   std::to_string(headerSize) + " runs past the end of the file (" +
                       std::to_string(bytes.size() - start) + " bytes remain)");
            return r.error();
        }

        // The names and fixed fields must lie inside the declared header.
        const std::size_t headerEnd = start + headerSize;
        ByteReader h = r.limitedTo(headerEnd, "resource entry " + std::to_string(index) +
                                                  " header (header size " +
                                                  std::to_string(headerSize) + ")");
        ResourceEntry entry;
        std::uint32_t dataVersion = 0, version = 0, characteristics = 0;
        std::uint16_t memoryFlags = 0;
        if (!h.nameOrOrdinal(entry.type, "type") || !h.nameOrOrdinal(entry.name, "name"))
            return h.error();
        h.alignTo4();
        if (!h.u32(dataVersion, "data version") || !h.u16(memoryFlags, "memory flags") ||
            !h.u16(entry.language, "language") || !h.u32(version, "version") ||
            !h.u32(characteristics, "characteristics"))
            return h.error();

        if (dataSize > bytes.size() - headerEnd) {
            r.fail(start, "data size",
                   std::to_string(dataSize) + " runs past the end of the file (" +
                       std::to_string(bytes.size() - headerEnd) + " bytes follow the header)");
            return r.error();
        }
        entry.data = bytes.subspan(headerEnd, dataSize);

        if (index == 0 && !isMarker(entry)) {
            r.fail(start, "first entry",
                   "is not the empty marker entry (type 0, name 0, no data) that starts a "
                   "32-bit resource file");
            return r.error();
        }
        if (!isMarker(entry))
            file.entries_.push_back(std::move(entry));

        r.seek(headerEnd + dataSize, "data");
        r.alignTo4();
    }
    return file;
}

const ResourceEntry* ResourceFile::find(const ResourceName& type, const ResourceName& name,
                                        std::uint16_t language) const
{
    const ResourceEntry* samePrimary = nullptr;
    const ResourceEntry* neutral = nullptr;
    const ResourceEntry* any = nullptr;
    for (const ResourceEntry& entry : entries_) {
        if (!(entry.type == type) || !(entry.name == name))
            continue;
        if (entry.language == language)
            return &entry;
        if (!samePrimary && primaryLanguage(entry.language) == primaryLanguage(language))
            samePrimary = &entry;
        if (!neutral && entry.language == 0)
            neutral = &entry;
        if (!any)
            any = &entry;
    }
    if (samePrimary)
        return samePrimary;
    return neutral ? neutral : any;
}

}  // namespace resources
