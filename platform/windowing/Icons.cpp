// Icons and cursors: loading an icon group from the resources (shared: the
// same name gives the same handle, never released), drawing it with its
// mask, handing a window's icons to the native window, and the two cursors
// the program uses.
#include "platform/windowing/Api.h"

#include "platform/graphics/ControlLook.h"
#include "platform/resources/IconResource.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

#include <cstdio>
#include <string>

using namespace windowing;

namespace {

std::string keyOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    resources::ResourceName parsed = ResourceModules::nameOf(name);
    return parsed.isOrdinal() ? "#" + std::to_string(parsed.ordinal) : parsed.name;
}

std::unique_ptr<Icon> loadFromResources(HINSTANCE instance, LPCSTR name) {
    ResourceModules& modules = ws().resources();
    const resources::ResourceEntry* group =
        modules.find(instance, resources::ResourceName::id(resources::kTypeGroupIcon), ResourceModules::nameOf(name));
    if (!group) return nullptr;
    auto entries = resources::parseIconGroup(group->data);
    if (!entries.ok()) {
        std::fprintf(stderr, "icon %s refused: %s\n", keyOf(name).c_str(), entries.error().c_str());
        return nullptr;
    }
    auto icon = std::make_unique<Icon>();
    for (const resources::GroupIconEntry& entry : entries.value()) {
        const resources::ResourceEntry* image =
            modules.find(instance, resources::ResourceName::id(resources::kTypeIcon), resources::ResourceName::id(entry.id));
        if (!image) continue;
        auto decoded = resources::decodeIconImage(image->data);
        if (!decoded.ok()) {
            std::fprintf(stderr, "icon image %u refused: %s\n", entry.id, decoded.error().c_str());
            continue;
        }
        graphics::IconImage picture;
        picture.width = decoded->width;
        picture.height = decoded->height;
        picture.argb = decoded->argb;
        icon->images.push_back(std::move(picture));
    }
    if (icon->images.empty()) return nullptr;
    return icon;
}

HCURSOR cursorToken(HCURSOR& slot) {
    if (!ws().icons.get(slot)) slot = ws().icons.add<HCURSOR>(std::make_unique<Icon>());
    return slot;
}

}  // namespace

namespace windowing {

void updateSurfaceIcons(Window& w) {
    std::vector<display::IconPixels> pixels;
    auto add = [&](HICON handle, int size) {
        Icon* icon = ws().icons.get(handle);
        const graphics::IconImage* image = icon ? icon->imageFor(size) : nullptr;
        if (!image) return;
        for (const auto& existing : pixels)
            if (existing.width == image->width && existing.height == image->height) return;
        pixels.push_back({image->width, image->height, image->argb});
    };
    add(w.bigIcon, graphics::metrics::iconSize);
    add(w.smallIcon ? w.smallIcon : w.bigIcon, graphics::metrics::smallIconSize);
    ws().backend().setIcons(w.surface, pixels);
}

}  // namespace windowing

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!name) return nullptr;
    WindowSystem& system = ws();
    auto key = std::make_pair(instance, keyOf(name));
    if (auto it = system.sharedIcons.find(key); it != system.sharedIcons.end()) return it->second;
    std::unique_ptr<Icon> icon;
    if (!instance) {
        if (IS_INTRESOURCE(name) && reinterpret_cast<std::uintptr_t>(name) == IDI_EXCLAMATION_ID) {
            icon = std::make_unique<Icon>();
            icon->images.push_back(graphics::look::standardIcon(graphics::look::StandardIcon::Exclamation));
        }
    } else {
        icon = loadFromResources(instance, name);
    }
    if (!icon) return nullptr;
    HICON handle = system.icons.add<HICON>(std::move(icon));
    system.sharedIcons[key] = handle;
    return handle;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON handle) {
    DeviceContext* dc = ws().dcs.get(hdc);
    Icon* icon = ws().icons.get(handle);
    if (!dc || !icon) return FALSE;
    const graphics::IconImage* image = icon->imageFor(graphics::metrics::iconSize);
    if (!image) return FALSE;
    dc->canvas->drawIcon(x, y, *image);
    return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || !IS_INTRESOURCE(name)) return nullptr;
    std::uintptr_t id = reinterpret_cast<std::uintptr_t>(name);
    if (id == IDC_WAIT_ID) return cursorToken(ws().waitCursor);
    if (id == IDC_ARROW_ID) return cursorToken(ws().arrowCursor);
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    WindowSystem& system = ws();
    HCURSOR old = system.currentCursor;
    system.currentCursor = cursor;
    bool wait = cursor && cursor == system.waitCursor;
    system.backend().setCursor(wait ? display::Cursor::Wait : display::Cursor::Arrow);
    return old;
}
