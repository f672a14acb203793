// Popup menus and their items.
#include "platform/windowing/Api.h"

#include "platform/windowing/Objects.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <cstring>

using namespace windowing;

namespace {

Menu* menuOf(HMENU menu) { return ws().menus.get(menu); }

// The index of an item named by command or position; -1 when there is none.
int indexOf(const Menu& m, UINT item, UINT flags) {
    if (flags & MF_BYPOSITION) return item < m.items.size() ? static_cast<int>(item) : -1;
    for (std::size_t i = 0; i < m.items.size(); ++i)
        if (!(m.items[i].flags & (MF_SEPARATOR | MF_POPUP)) && m.items[i].id == item) return static_cast<int>(i);
    return -1;
}

// Whether `menu` is `target` or holds it as a submenu at any depth.
bool contains(HMENU menu, HMENU target) {
    if (menu == target) return true;
    const Menu* m = menuOf(menu);
    if (!m) return false;
    for (const MenuItem& item : m->items)
        if ((item.flags & MF_POPUP) && contains(item.popup, target)) return true;
    return false;
}

}  // namespace

HMENU CreatePopupMenu() { return ws().menus.add<HMENU>(std::make_unique<Menu>()); }

BOOL DestroyMenu(HMENU menu) {
    std::unique_ptr<Menu> m = ws().menus.remove(menu);
    if (!m) return FALSE;
    for (const MenuItem& item : m->items)
        if (item.flags & MF_POPUP) DestroyMenu(item.popup);
    return TRUE;
}

BOOL IsMenu(HMENU menu) { return menuOf(menu) ? TRUE : FALSE; }

BOOL AppendMenuA(HMENU menu, UINT flags, std::uintptr_t idOrPopup, LPCSTR text) {
    Menu* m = menuOf(menu);
    if (!m) return FALSE;
    MenuItem item;
    item.flags = flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP);
    if (flags & MF_SEPARATOR) {
        m->items.push_back(item);
        return TRUE;
    }
    if (flags & MF_POPUP) {
        HMENU popup = reinterpret_cast<HMENU>(idOrPopup);
        // A menu inside itself, directly or through its submenus, would be
        // destroyed while it is being changed.
        if (!menuOf(popup) || contains(popup, menu)) return FALSE;
        item.popup = popup;
    } else {
        item.id = idOrPopup;
    }
    if (!text) return FALSE;
    item.text = text;
    m->items.push_back(std::move(item));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    Menu* m = menuOf(menu);
    if (!m) return FALSE;
    int index = indexOf(*m, position, flags);
    if (index < 0) return FALSE;
    // The item goes first: destroying its submenu must find the menu whole.
    MenuItem item = std::move(m->items[static_cast<std::size_t>(index)]);
    m->items.erase(m->items.begin() + index);
    if (item.flags & MF_POPUP) DestroyMenu(item.popup);
    return TRUE;
}

int GetMenuItemCount(HMENU menu) {
    Menu* m = menuOf(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    Menu* m = menuOf(menu);
    if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return 0xFFFFFFFFu;
    const MenuItem& item = m->items[static_cast<std::size_t>(position)];
    if (item.flags & MF_POPUP) return 0xFFFFFFFFu;
    return static_cast<UINT>(item.id);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    Menu* m = menuOf(menu);
    if (!m) return 0xFFFFFFFFu;
    int index = indexOf(*m, item, flags);
    if (index < 0) return 0xFFFFFFFFu;
    return m->items[static_cast<std::size_t>(index)].flags;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    // A refused handle or item leaves an empty text, never the buffer's old bytes.
    if (buffer && size > 0) buffer[0] = '\0';
    Menu* m = menuOf(menu);
    if (!m) return 0;
    int index = indexOf(*m, item, flags);
    if (index < 0) return 0;
    const std::string& text = m->items[static_cast<std::size_t>(index)].text;
    if (!buffer || size <= 0) return static_cast<int>(text.size());
    int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    Menu* m = menuOf(menu);
    if (!m) return 0xFFFFFFFFu;
    int index = indexOf(*m, item, flags);
    if (index < 0) return 0xFFFFFFFFu;
    MenuItem& entry = m->items[static_cast<std::size_t>(index)];
    UINT old = entry.flags & (MF_GRAYED | MF_DISABLED);
    entry.flags = (entry.flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return old;
}
