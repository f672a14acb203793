#include "platform/framework/FrameworkState.h"

#include "platform/framework/CMenu.h"
#include "platform/framework/CWnd.h"

FrameworkState& afxState() {
    static FrameworkState state;
    return state;
}

void afxForgetWindow(HWND hwnd) {
    FrameworkState& state = afxState();
    state.temporaryWindows.erase(hwnd);
    if (auto it = state.permanentWindows.find(hwnd); it != state.permanentWindows.end()) {
        it->second->m_hWnd = nullptr;
        state.permanentWindows.erase(it);
    }
}

void afxResetState() {
    FrameworkState& state = afxState();
    for (auto& [hwnd, wnd] : state.permanentWindows) wnd->m_hWnd = nullptr;
    state.permanentWindows.clear();
    state.temporaryWindows.clear();
    state.temporaryMenus.clear();
    state.lastSent = MSG{};
}
