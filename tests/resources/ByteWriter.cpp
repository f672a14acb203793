#include "ByteWriter.h"

namespace resources_test {

ByteWriter& ByteWriter::u8(std::uint8_t v)
{
    data_.push_back(v);
    return *this;
}

ByteWriter& ByteWriter::u16(std::uint16_t v)
{
    data_.push_back(v & 0xFF);
    data_.push_back(v >> 8);
    return *this;
}

ByteWriter& ByteWriter::u32(std::uint32_t v)
{
    u16(v & 0xFFFF);
    return u16(v >> 16);
}

ByteWriter& ByteWriter::units(std::u16string_view s)
{
    for (char16_t c : s)
        u16(c);
    return *this;
}

ByteWriter& ByteWriter::text(std::u16string_view s)
{
    units(s);
    return u16(0);
}

ByteWriter& ByteWriter::ascii(std::string_view s)
{
    data_.insert(data_.end(), s.begin(), s.end());
    return *this;
}

ByteWriter& ByteWriter::ordinal(std::uint16_t id)
{
    u16(0xFFFF);
    return u16(id);
}

ByteWriter& ByteWriter::bytes(std::span<const std::uint8_t> data)
{
    data_.insert(data_.end(), data.begin(), data.end());
    return *this;
}

ByteWriter& ByteWriter::pad4()
{
    while (data_.size() % 4 != 0)
        data_.push_back(0);
    return *this;
}

void ByteWriter::patchU16(std::size_t at, std::uint16_t v)
{
    data_.at(at) = v & 0xFF;
    data_.at(at + 1) = v >> 8;
}

void ByteWriter::patchU32(std::size_t at, std::uint32_t v)
{
    patchU16(at, v & 0xFFFF);
    patchU16(at + 2, v >> 16);
}

namespace {

void writeName(ByteWriter& out, const resources::ResourceName& name)
{
    if (name.isOrdinal()) {
        out.ordinal(name.ordinal);
        return;
    }
    std::u16string units;
    for (char c : name.name)
        units += static_cast<char16_t>(static_cast<unsigned char>(c));  // ASCII names only
    out.text(units);
}

void writeEntry(ByteWriter& out, const ResEntry& entry)
{
    const std::size_t start = out.size();
    out.u32(static_cast<std::uint32_t>(entry.data.size())).u32(0);
    writeName(out, entry.type);
    writeName(out, entry.name);
    out.pad4();
    out.u32(0).u16(0x1030).u16(entry.language).u32(0).u32(0);
    out.patchU32(start + 4, static_cast<std::uint32_t>(out.size() - start));
    out.bytes(entry.data).pad4();
}

}  // namespace

std::vector<std::uint8_t> buildResFile(const std::vector<ResEntry>& entries)
{
    ByteWriter out;
    writeEntry(out, {resources::ResourceName::id(0), resources::ResourceName::id(0), 0, {}});
    for (const ResEntry& entry : entries)
        writeEntry(out, entry);
    return out.data();
}

}  // namespace resources_test
