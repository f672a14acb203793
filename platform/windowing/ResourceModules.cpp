#include "platform/windowing/ResourceModules.h"

#include <cstdio>
#include <cstdlib>

namespace windowing {

ResourceModules::ResourceModules(std::span<const std::uint8_t> program, std::span<const std::uint8_t> platform) {
    program_.bytes = program;
    platform_.bytes = platform;
}

HINSTANCE ResourceModules::programInstance() { return reinterpret_cast<HINSTANCE>(std::uintptr_t{0x00400000}); }
HINSTANCE ResourceModules::platformInstance() { return reinterpret_cast<HINSTANCE>(std::uintptr_t{0x7F000000}); }

ResourceModules::Module* ResourceModules::module(HINSTANCE instance) {
    if (instance == programInstance()) return &program_;
    if (instance == platformInstance()) return &platform_;
    return nullptr;
}

const resources::ResourceFile* ResourceModules::file(HINSTANCE instance) {
    Module* m = module(instance);
    if (!m) return nullptr;
    if (!m->parsed) {
        m->parsed = true;
        if (!m->bytes.empty()) {
            auto result = resources::ResourceFile::parse(m->bytes);
            if (result.ok())
                m->file = std::move(result.value());
            else
                std::fprintf(stderr, "%s resources refused: %s\n",
                             m == &program_ ? "program" : "platform", result.error().c_str());
        }
    }
    return m->file ? &*m->file : nullptr;
}

const resources::ResourceEntry* ResourceModules::find(HINSTANCE instance, const resources::ResourceName& type,
                                                      const resources::ResourceName& name) {
    if (const resources::ResourceFile* f = file(instance)) {
        if (const resources::ResourceEntry* entry = f->find(type, name)) return entry;
    }
    if (instance == programInstance()) return find(platformInstance(), type, name);
    return nullptr;
}

bool ResourceModules::owns(const resources::ResourceEntry* entry) {
    for (Module* m : {&program_, &platform_}) {
        if (!m->file) continue;
        for (const auto& e : m->file->entries())
            if (&e == entry) return true;
    }
    return false;
}

resources::ResourceName ResourceModules::nameOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return resources::ResourceName::id(static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(name)));
    if (name[0] == '#') {
        char* end = nullptr;
        unsigned long value = std::strtoul(name + 1, &end, 10);
        if (end && *end == '\0' && end != name + 1 && value <= 0xFFFF)
            return resources::ResourceName::id(static_cast<std::uint16_t>(value));
    }
    return resources::ResourceName::named(name);
}

}  // namespace windowing
