// resources::StringTable - string resources, stored in blocks of 16: string
// id N lives in block N / 16 + 1 at index N % 16, each as a 16-bit length
// and that many UTF-16 code units.
#pragma once

#include "platform/resources/ResourceFile.h"
#include "platform/resources/Result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace resources {

// The 16 strings of a block, as UTF-8 (empty where the length is 0).
// Refuses a block whose lengths run past its end.
Result<std::array<std::string, 16>> parseStringBlock(std::span<const std::uint8_t> data);

// The string `id` in `language` (with the language fallback of
// ResourceFile::find); nullopt when its block is missing or malformed.
std::optional<std::string> loadString(const ResourceFile& file, std::uint32_t id,
                                      std::uint16_t language = kLangEnglishUS);

}  // namespace resources
