// resources::ResourceFile - the resources of a compiled resource file (.res),
// found by type, name and language.
//
// The .res format is a sequence of entries, each a header (data size, header
// size, type, name, data version, memory flags, language, version,
// characteristics; names as 0xFFFF + ordinal or NUL-terminated UTF-16) and
// its data, each aligned to 4 bytes. The first entry is the empty one that
// marks the format (type 0, name 0, no data).
#pragma once

#include "platform/resources/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace resources {

// Standard resource types.
constexpr std::uint16_t kTypeIcon = 3;
constexpr std::uint16_t kTypeDialog = 5;
constexpr std::uint16_t kTypeString = 6;
constexpr std::uint16_t kTypeGroupIcon = 14;
constexpr std::uint16_t kTypeVersion = 16;
constexpr std::uint16_t kTypeDlgInit = 240;

constexpr std::uint16_t kLangEnglishUS = 1033;

// A resource type or name: an ordinal or a string (UTF-8; compared without
// regard to ASCII case, as resource names are).
struct ResourceName {
    std::uint16_t ordinal = 0;
    std::string name;  // empty for an ordinal

    static ResourceName id(std::uint16_t ordinal) { return {ordinal, {}}; }
    static ResourceName named(std::string name) { return {0, std::move(name)}; }
    bool isOrdinal() const { return name.empty(); }
    bool operator==(const ResourceName& other) const;
};

struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    std::uint16_t language = 0;
    std::span<const std::uint8_t> data;  // a view into the parsed bytes
};

class ResourceFile {
public:
    // Parses `bytes`, which must outlive the ResourceFile. Refuses a file
    // whose headers are truncated, inconsistent (header size smaller than
    // its fields, data running past the end) or that does not start with
    // the empty marker entry.
    static Result<ResourceFile> parse(std::span<const std::uint8_t> bytes);

    // The entries in stored order, without the empty marker entries.
    const std::vector<ResourceEntry>& entries() const { return entries_; }

    // The resource of `type` and `name` in `language`; failing that one of
    // the same primary language, then language neutral (0), then any
    // language. Null when there is none.
    const ResourceEntry* find(const ResourceName& type, const ResourceName& name,
                              std::uint16_t language = kLangEnglishUS) const;

private:
    std::vector<ResourceEntry> entries_;
};

}  // namespace resources
