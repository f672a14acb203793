#include "platform/framework/CMenu.h"

#include "platform/framework/FrameworkState.h"

#include <vector>

CMenu* CMenu::FromHandle(HMENU menu) {
    auto& menus = afxState().temporaryMenus;
    // Objects of menus destroyed since are dropped on the way.
    for (auto it = menus.begin(); it != menus.end();) {
        if (!::IsMenu(it->first)) it = menus.erase(it);
        else ++it;
    }
    if (!::IsMenu(menu)) return nullptr;
    auto& object = menus[menu];
    if (!object) {
        object = std::make_unique<CMenu>();
        object->m_hMenu = menu;
    }
    return object.get();
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const {
    int length = ::GetMenuStringA(m_hMenu, id, nullptr, 0, flags);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = ::GetMenuStringA(m_hMenu, id, buffer.data(), length + 1, flags);
    text = CString(std::string(buffer.data(), static_cast<std::size_t>(copied)));
    return copied;
}
