// The program's compiled resources as the program file carries them, parsed
// once for all tests, with small helpers to look resources up.
#pragma once

#include "platform/resources/ResourceFile.h"

#include <cstdint>
#include <span>
#include <string>

namespace resource_content {

// The embedded .res bytes.
std::span<const std::uint8_t> embeddedResourceBytes();

// The parsed resource file; the test fails (and stops) when it does not parse.
const resources::ResourceFile& programResources();

// The data of resource `type`/`name` in language 1033 exactly; fails the
// calling test when there is none.
std::span<const std::uint8_t> resourceData(std::uint16_t type, std::uint16_t name);

// A template's window class as a class name: the name of a predefined class
// ordinal, or the stored name.
std::string className(const resources::ResourceName& windowClass);

}  // namespace resource_content
