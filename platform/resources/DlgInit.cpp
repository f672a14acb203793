#include "platform/resources/DlgInit.h"

#include "platform/resources/ByteReader.h"

#include <algorithm>

namespace resources {

namespace {

bool addsString(std::uint16_t message)
{
    return message == kDlgInitComboAddString || message == kDlgInitListAddString;
}

}  // namespace

std::string DlgInitEntry::text() const
{
    const auto nul = std::find(data.begin(), data.end(), std::uint8_t{0});
    return std::string(data.begin(), nul);
}

Result<std::vector<DlgInitEntry>> parseDlgInit(std::span<const std::uint8_t> data)
{
    std::vector<DlgInitEntry> entries;
    ByteReader r(data, "dialog initialisation list");
    for (std::size_t index = 0;; ++index) {
        r.setStructure("dialog initialisation entry " + std::to_string(index));
        const std::size_t start = r.offset();
        std::uint16_t controlId = 0;
        if (!r.u16(controlId, "control id")) {
            if (r.atEnd())
                r.fail(start, "end marker", "the list ends without its 16-bit zero");
            return r.error();
        }
        if (controlId == 0)
            break;

        DlgInitEntry entry;
        entry.controlId = controlId;
        std::uint32_t length = 0;
        std::span<const std::uint8_t> bytes;
        if (!r.u16(entry.message, "message") || !r.u32(length, "data length"))
            return r.error();
        if (!r.bytes(length, bytes, "data"))
            return r.error();
        if (addsString(entry.message) && std::find(bytes.begin(), bytes.end(), 0) == bytes.end()) {
            r.fail(start + 8, "data", "the string of an add-string entry has no NUL terminator");
            return r.error();
        }
        entry.data.assign(bytes.begin(), bytes.end());
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace resources
