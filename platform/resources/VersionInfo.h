// resources::VersionInfo - the version information resource (type 16): the
// fixed part (VS_FIXEDFILEINFO) and the blocks of strings and translations,
// kept in the order they are stored.
#pragma once

#include "platform/resources/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace resources {

struct FixedFileInfo {
    std::uint32_t signature = 0;  // 0xFEEF04BD
    std::uint32_t structVersion = 0;
    std::uint32_t fileVersionMS = 0, fileVersionLS = 0;
    std::uint32_t productVersionMS = 0, productVersionLS = 0;
    std::uint32_t fileFlagsMask = 0, fileFlags = 0;
    std::uint32_t fileOS = 0, fileType = 0, fileSubtype = 0;
    std::uint32_t fileDateMS = 0, fileDateLS = 0;
};

struct VersionStringTable {
    std::string key;  // language and code page, as "040904B0"
    std::vector<std::pair<std::string, std::string>> values;  // in stored order
};

struct VersionInfo {
    FixedFileInfo fixed;
    std::vector<std::string> blockOrder;  // "StringFileInfo" / "VarFileInfo" as stored
    std::vector<VersionStringTable> stringTables;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;  // language, code page
};

// Refuses a root that is not "VS_VERSION_INFO", a fixed part with the wrong
// signature or size, and any block whose length runs outside its parent.
Result<VersionInfo> parseVersionInfo(std::span<const std::uint8_t> data);

}  // namespace resources
