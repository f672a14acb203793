// Resources of the program file and the program file's own path.
#include "platform/windowing/Api.h"

#include "platform/resources/StringTable.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

using namespace windowing;

namespace {

const resources::ResourceEntry* entryOf(HRSRC resource) {
    auto* entry = reinterpret_cast<const resources::ResourceEntry*>(resource);
    return ws().resources().owns(entry) ? entry : nullptr;
}

std::string executablePath() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR name) { return name ? nullptr : ResourceModules::programInstance(); }

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (module && module != ResourceModules::programInstance()) return 0;
    if (!buffer || size == 0) return 0;
    std::string path = ws().programPath.empty() ? executablePath() : ws().programPath;
    DWORD n = static_cast<DWORD>(std::min<std::size_t>(path.size(), size - 1));
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return n;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!name || !type) return nullptr;
    if (!module) module = ResourceModules::programInstance();
    const resources::ResourceEntry* entry =
        ws().resources().find(module, ResourceModules::nameOf(type), ResourceModules::nameOf(name));
    return reinterpret_cast<HRSRC>(const_cast<resources::ResourceEntry*>(entry));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    (void)module;
    return entryOf(resource) ? reinterpret_cast<HGLOBAL>(resource) : nullptr;
}

const void* LockResource(HGLOBAL data) {
    const resources::ResourceEntry* entry = entryOf(reinterpret_cast<HRSRC>(data));
    return entry ? entry->data.data() : nullptr;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    (void)module;
    const resources::ResourceEntry* entry = entryOf(resource);
    return entry ? static_cast<DWORD>(entry->data.size()) : 0;
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!instance) instance = ResourceModules::programInstance();
    std::optional<std::string> text;
    for (HINSTANCE module : {instance, ResourceModules::platformInstance()}) {
        if (const resources::ResourceFile* file = ws().resources().file(module)) text = resources::loadString(*file, id);
        if (text || instance == ResourceModules::platformInstance()) break;
    }
    if (!text) return 0;
    int n = std::min<int>(static_cast<int>(text->size()), size - 1);
    std::memcpy(buffer, text->data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}
