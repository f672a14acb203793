// windowing::ResourceModules - the resource files a program carries: its
// own (the program module) and the platform's (message strings of the
// class library). Each is parsed on first use.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/resources/ResourceFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace windowing {

class ResourceModules {
public:
    ResourceModules(std::span<const std::uint8_t> program, std::span<const std::uint8_t> platform);

    // The instance handles naming the two modules.
    static HINSTANCE programInstance();
    static HINSTANCE platformInstance();

    // The parsed file of a module; null for an unknown instance or a file
    // that was refused (the reason is printed once, on standard error).
    const resources::ResourceFile* file(HINSTANCE instance);

    // Finds a resource in `instance`'s module; when `instance` is the
    // program, the platform's module is searched after it.
    const resources::ResourceEntry* find(HINSTANCE instance, const resources::ResourceName& type,
                                         const resources::ResourceName& name);

    // Whether `entry` is one of the modules' resources (checks HRSRC handles).
    bool owns(const resources::ResourceEntry* entry);

    // A resource name from the API's form: an integer resource, "#123", or a name.
    static resources::ResourceName nameOf(LPCSTR name);

private:
    struct Module {
        std::span<const std::uint8_t> bytes;
        bool parsed = false;
        std::optional<resources::ResourceFile> file;
    };
    Module* module(HINSTANCE instance);
    Module program_;
    Module platform_;
};

}  // namespace windowing
