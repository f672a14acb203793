#include "platform/resources/ByteReader.h"

#include "platform/resources/ResourceFile.h"
#include "platform/resources/Utf16.h"

#include <cstdio>

namespace resources {

std::string hexOffset(std::size_t offset)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%zx", offset);
    return buffer;
}

ByteReader::ByteReader(std::span<const std::uint8_t> data, std::string structure)
    : data_(data), structure_(std::move(structure))
{
}

ByteReader ByteReader::limitedTo(std::size_t end, std::string structure) const
{
    ByteReader sub(data_.first(end < data_.size() ? end : data_.size()), std::move(structure));
    sub.pos_ = pos_ < sub.data_.size() ? pos_ : sub.data_.size();
    return sub;
}

bool ByteReader::fail(std::size_t offset, std::string_view field, std::string_view what)
{
    message_ = structure_;
    message_ += ": ";
    message_ += field;
    message_ += " at offset ";
    message_ += hexOffset(offset);
    message_ += ": ";
    message_ += what;
    return false;
}

bool ByteReader::need(std::size_t count, std::string_view field)
{
    if (count <= remaining())
        return true;
    return fail(pos_, field,
                "needs " + std::to_string(count) + " bytes but only " + std::to_string(remaining()) +
                    " remain");
}

std::uint32_t ByteReader::little(std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
    pos_ += count;
    return value;
}

bool ByteReader::u8(std::uint8_t& out, std::string_view field)
{
    if (!need(1, field))
        return false;
    out = static_cast<std::uint8_t>(little(1));
    return true;
}

bool ByteReader::u16(std::uint16_t& out, std::string_view field)
{
    if (!need(2, field))
        return false;
    out = static_cast<std::uint16_t>(little(2));
    return true;
}

bool ByteReader::u32(std::uint32_t& out, std::string_view field)
{
    if (!need(4, field))
        return false;
    out = little(4);
    return true;
}

bool ByteReader::i16(std::int16_t& out, std::string_view field)
{
    std::uint16_t raw = 0;
    if (!u16(raw, field))
        return false;
    out = static_cast<std::int16_t>(raw);  // two's complement, defined since C++20
    return true;
}

bool ByteReader::i32(std::int32_t& out, std::string_view field)
{
    std::uint32_t raw = 0;
    if (!u32(raw, field))
        return false;
    out = static_cast<std::int32_t>(raw);
    return true;
}

bool ByteReader::bytes(std::size_t count, std::span<const std::uint8_t>& out, std::string_view field)
{
    if (!need(count, field))
        return false;
    out = data_.subspan(pos_, count);
    pos_ += count;
    return true;
}

bool ByteReader::skip(std::size_t count, std::string_view field)
{
    if (!need(count, field))
        return false;
    pos_ += count;
    return true;
}

bool ByteReader::seek(std::size_t offset, std::string_view field)
{
    if (offset > data_.size())
        return fail(pos_, field,
                    "offset " + hexOffset(offset) + " lies past the end of the data (" +
                        std::to_string(data_.size()) + " bytes)");
    pos_ = offset;
    return true;
}

void ByteReader::alignTo4()
{
    const std::size_t aligned = (pos_ + 3) & ~static_cast<std::size_t>(3);
    pos_ = aligned < data_.size() ? aligned : data_.size();
}

bool ByteReader::utf16z(std::string& out, std::string_view field)
{
    const std::size_t start = pos_;
    std::u16string units;
    for (std::size_t at = start; at + 1 < data_.size(); at += 2) {
        const auto unit = static_cast<char16_t>(data_[at] | (data_[at + 1] << 8));
        if (unit == 0) {
            pos_ = at + 2;
            out = utf16ToUtf8(units);
            return true;
        }
        units += unit;
    }
    return fail(start, field, "string has no NUL terminator before the end of the data");
}

bool ByteReader::nameOrOrdinal(ResourceName& out, std::string_view field)
{
    const std::size_t start = pos_;
    std::uint16_t first = 0;
    if (!u16(first, field))
        return false;
    if (first == 0x0000) {
        out = ResourceName{};
        return true;
    }
    if (first == 0xFFFF) {
        std::uint16_t ordinal = 0;
        if (!u16(ordinal, field)) {
            pos_ = start;
            return false;
        }
        out = ResourceName::id(ordinal);
        return true;
    }
    pos_ = start;
    std::string name;
    if (!utf16z(name, field))
        return false;
    out = ResourceName::named(std::move(name));
    return true;
}

}  // namespace resources
