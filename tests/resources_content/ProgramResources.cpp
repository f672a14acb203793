#include "ProgramResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "platform/resources/DialogTemplate.h"

// Symbols of the object library that embeds quilvane.res.
extern "C" const std::uint8_t program_resources_begin[];
extern "C" const std::uint8_t program_resources_end[];

namespace resource_content {

std::span<const std::uint8_t> embeddedResourceBytes() {
    return {program_resources_begin, program_resources_end};
}

const resources::ResourceFile& programResources() {
    static const resources::ResourceFile file = [] {
        auto parsed = resources::ResourceFile::parse(embeddedResourceBytes());
        if (!parsed) {
            std::cerr << "the embedded resources do not parse: " << parsed.error() << "\n";
            std::abort();
        }
        return parsed.value();
    }();
    return file;
}

std::span<const std::uint8_t> resourceData(std::uint16_t type, std::uint16_t name) {
    for (const resources::ResourceEntry& entry : programResources().entries()) {
        if (entry.type == resources::ResourceName::id(type) && entry.name == resources::ResourceName::id(name) &&
            entry.language == resources::kLangEnglishUS) {
            return entry.data;
        }
    }
    ADD_FAILURE() << "no resource of type " << type << " and name " << name << " in language 1033";
    return {};
}

std::string className(const resources::ResourceName& windowClass) {
    if (windowClass.isOrdinal()) return resources::predefinedClassName(windowClass.ordinal);
    return windowClass.name;
}

}  // namespace resource_content
