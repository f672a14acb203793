// ByteWriter - builds little-endian byte vectors for hand-made resource
// data, and whole .res files from entries, for the malformed cases that no
// resource compiler writes.
#pragma once

#include "platform/resources/ResourceFile.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace resources_test {

class ByteWriter {
public:
    ByteWriter& u8(std::uint8_t v);
    ByteWriter& u16(std::uint16_t v);
    ByteWriter& u32(std::uint32_t v);
    ByteWriter& i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    // UTF-16 code units followed by a NUL.
    ByteWriter& text(std::u16string_view s);
    // UTF-16 code units without a NUL.
    ByteWriter& units(std::u16string_view s);
    // 8-bit characters as they are, without a NUL.
    ByteWriter& ascii(std::string_view s);
    // 0xFFFF and a 16-bit ordinal.
    ByteWriter& ordinal(std::uint16_t id);
    ByteWriter& bytes(std::span<const std::uint8_t> data);
    // Zero bytes up to the next multiple of 4.
    ByteWriter& pad4();

    void patchU16(std::size_t at, std::uint16_t v);
    void patchU32(std::size_t at, std::uint32_t v);

    std::size_t size() const { return data_.size(); }
    const std::vector<std::uint8_t>& data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

struct ResEntry {
    resources::ResourceName type;
    resources::ResourceName name;
    std::uint16_t language = resources::kLangEnglishUS;
    std::vector<std::uint8_t> data;
};

// A .res file: the empty marker entry, then `entries`, each padded to 4.
std::vector<std::uint8_t> buildResFile(const std::vector<ResEntry>& entries);

}  // namespace resources_test
