// resources::DlgInit - the initialisation list of a dialog (resource type
// 240): entries of control id (16-bit), message (16-bit), data length
// (32-bit) and data, ended by a 16-bit zero; little-endian, unaligned.
#pragma once

#include "platform/resources/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace resources {

// The 16-bit-era messages that add a string, which an initialisation list
// carries: combo box add (0x0403) and list box add (0x0401).
constexpr std::uint16_t kDlgInitComboAddString = 0x0403;
constexpr std::uint16_t kDlgInitListAddString = 0x0401;

struct DlgInitEntry {
    std::uint16_t controlId = 0;
    std::uint16_t message = 0;
    std::vector<std::uint8_t> data;
    // For string-adding messages: the data up to its NUL.
    std::string text() const;
};

// Refuses the whole list (nothing half-applied) when an entry is truncated,
// its length runs past the end, the end marker is missing, or a
// string-adding entry's data holds no NUL.
Result<std::vector<DlgInitEntry>> parseDlgInit(std::span<const std::uint8_t> data);

}  // namespace resources
