// resources::ByteReader - reads little-endian values from a span of bytes,
// one byte at a time (no casts of unaligned pointers), never past its end.
//
// A read that does not fit fails and leaves the position where it was. The
// reader keeps a message naming the structure being read, the field, its
// offset and what was wrong, which a parser hands back as its ParseError.
#pragma once

#include "platform/resources/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace resources {

struct ResourceName;

class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> data, std::string structure);

    std::size_t offset() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }

    // Names the structure being read; every message starts with it.
    void setStructure(std::string structure) { structure_ = std::move(structure); }

    // A reader of the same bytes that stops at `end` (at most size()),
    // positioned where this one is. Offsets stay those of the whole data,
    // so messages point at the same bytes a hex dump shows.
    ByteReader limitedTo(std::size_t end, std::string structure) const;

    bool u8(std::uint8_t& out, std::string_view field);
    bool u16(std::uint16_t& out, std::string_view field);
    bool u32(std::uint32_t& out, std::string_view field);
    bool i16(std::int16_t& out, std::string_view field);
    bool i32(std::int32_t& out, std::string_view field);
    bool bytes(std::size_t count, std::span<const std::uint8_t>& out, std::string_view field);
    bool skip(std::size_t count, std::string_view field);
    bool seek(std::size_t offset, std::string_view field);

    // Moves to the next multiple of 4 counted from the start of the data,
    // or to the end when the data ends first (trailing padding may be
    // missing after the last field of a structure).
    void alignTo4();

    // A NUL-terminated UTF-16 string, as UTF-8.
    bool utf16z(std::string& out, std::string_view field);

    // A name field of resource data: 0x0000 (none: ordinal 0, no name),
    // 0xFFFF followed by a 16-bit ordinal, or a NUL-terminated UTF-16
    // string.
    bool nameOrOrdinal(ResourceName& out, std::string_view field);

    // Records a fault in a value that was read successfully (a bad count, a
    // wrong signature) at `offset`; always returns false.
    bool fail(std::size_t offset, std::string_view field, std::string_view what);

    // The recorded fault as a ParseError.
    ParseError error() const { return {message_}; }
    const std::string& message() const { return message_; }

private:
    bool need(std::size_t count, std::string_view field);
    std::uint32_t little(std::size_t count);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    std::string structure_;
    std::string message_;
};

// Offsets in messages, as "0x1c".
std::string hexOffset(std::size_t offset);

}  // namespace resources
