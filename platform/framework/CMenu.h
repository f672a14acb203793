// CMenu - a menu object of the class library.
#pragma once

#include "platform/framework/CString.h"
#include "platform/windowing/Api.h"

class CMenu {
public:
    HMENU m_hMenu = nullptr;

    // A temporary object for `menu`, kept while the menu exists; null for a
    // dead handle.
    static CMenu* FromHandle(HMENU menu);

    BOOL AppendMenu(UINT flags, std::uintptr_t idNewItem = 0, LPCSTR newItem = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, idNewItem, newItem);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
};
