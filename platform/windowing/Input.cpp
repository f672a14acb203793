// Backend events become input messages: keys go to the focus window (or
// the active window when nothing has the focus), mouse input to the window
// under the pointer or holding the capture. A disabled window takes no input;
// a click on a window disabled by a modal box brings that box forward.
#include "platform/windowing/Api.h"

#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"

using namespace windowing;

namespace {

void setKey(unsigned vk, bool down) {
    if (vk < 256) ws().keyState[vk] = down ? 0x80 : 0;
}

void syncModifiers(unsigned modifiers) {
    setKey(VK_SHIFT, modifiers & display::ModShift);
    setKey(VK_CONTROL, modifiers & display::ModCtrl);
    setKey(VK_MENU, modifiers & display::ModAlt);
}

void pushInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const display::Event& e) {
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = e.time;
    m.pt = ws().cursorPos;
    ws().input.push_back(m);
}

// A disabled top-level window answers input by bringing forward the enabled
// window that disables it (its last active pop-up).
void bringForwardModalPopup(HWND top) {
    HWND popup = GetLastActivePopup(top);
    if (popup && popup != top && IsWindowEnabled(popup)) activate(popup, WA_ACTIVE, true);
}

bool translateKey(const display::Event& e) {
    WindowSystem& system = ws();
    bool down = e.type == display::EventType::KeyDown;
    bool wasDown = e.vk < 256 && (system.keyState[e.vk] & 0x80);
    syncModifiers(e.modifiers);
    setKey(e.vk, down);
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    if (!target) return false;
    bool alt = (e.modifiers & display::ModAlt) && !(e.modifiers & display::ModCtrl);
    bool sys = alt || e.vk == VK_F10 || (e.vk == VK_MENU && !(e.modifiers & display::ModCtrl));
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    DWORD lParam = 1;
    if (alt) lParam |= 1u << 29;
    if (down ? wasDown : true) lParam |= 1u << 30;
    if (!down) lParam |= 1u << 31;
    pushInput(target, message, e.vk, static_cast<LPARAM>(lParam), e);
    return true;
}

UINT mouseMessage(display::EventType type, display::MouseButton button, bool client) {
    using T = display::EventType;
    using B = display::MouseButton;
    if (type == T::MouseMove) return client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    bool down = type == T::ButtonDown;
    switch (button) {
    case B::Left: return client ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP);
    case B::Right: return client ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_NCRBUTTONDOWN : WM_NCRBUTTONUP);
    case B::Middle: return client ? (down ? WM_MBUTTONDOWN : WM_MBUTTONUP) : 0;
    }
    return 0;
}

WPARAM mouseKeys() {
    WPARAM keys = 0;
    if (GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
    if (GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
    if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    return keys;
}

bool translateMouse(const display::Event& e) {
    WindowSystem& system = ws();
    system.cursorPos = e.point;
    syncModifiers(e.modifiers);
    if (e.type != display::EventType::MouseMove) {
        bool down = e.type == display::EventType::ButtonDown;
        unsigned vk = e.button == display::MouseButton::Left ? VK_LBUTTON
                      : e.button == display::MouseButton::Right ? VK_RBUTTON
                                                                : VK_MBUTTON;
        setKey(vk, down);
    }
    if (HWND capture = GetCapture()) {
        UINT message = mouseMessage(e.type, e.button, true);
        if (!message) return false;
        POINT p = e.point;
        ScreenToClient(capture, &p);
        pushInput(capture, message, mouseKeys(), MAKEPOINTLPARAM(p.x, p.y), e);
        return true;
    }
    HWND top = windowOfSurface(e.surface);
    Window* t = live(top);
    if (!t || !t->visible()) return false;
    if (!t->enabled()) {
        if (e.type == display::EventType::ButtonDown) bringForwardModalPopup(top);
        return false;
    }
    // A click also brings back the focus another program took: with no
    // window manager nobody else gives it back.
    if (e.type == display::EventType::ButtonDown && (GetActiveWindow() != top || !ws().appActive)) {
        activate(top, WA_CLICKACTIVE, true);
        if (!live(top)) return false;
    }
    HWND hit = top;
    if (rectContains(clientScreenRect(*t), e.point)) {
        HWND under = WindowFromPoint(e.point);
        if (under && (under == top || IsChild(top, under))) hit = under;
    }
    LRESULT area = SendMessageA(hit, WM_NCHITTEST, 0, MAKEPOINTLPARAM(e.point.x, e.point.y));
    if (!live(hit) || area == HTNOWHERE || area == HTERROR) return false;
    if (area == HTTRANSPARENT) {
        hit = top;
        area = SendMessageA(hit, WM_NCHITTEST, 0, MAKEPOINTLPARAM(e.point.x, e.point.y));
    }
    bool client = area == HTCLIENT;
    UINT message = mouseMessage(e.type, e.button, client);
    if (!message) return false;
    if (client) {
        POINT p = e.point;
        ScreenToClient(hit, &p);
        pushInput(hit, message, mouseKeys(), MAKEPOINTLPARAM(p.x, p.y), e);
    } else {
        pushInput(hit, message, static_cast<WPARAM>(area), MAKEPOINTLPARAM(e.point.x, e.point.y), e);
    }
    return true;
}

}  // namespace

namespace windowing {

HWND windowOfSurface(display::SurfaceId surface) {
    if (!surface) return nullptr;
    for (HWND top : ws().topLevelWindows()) {
        Window* t = live(top);
        if (t && t->surface == surface) return top;
    }
    return nullptr;
}

bool translateEvent(const display::Event& e) {
    WindowSystem& system = ws();
    using T = display::EventType;
    switch (e.type) {
    case T::KeyDown:
    case T::KeyUp: return translateKey(e);
    case T::MouseMove:
    case T::ButtonDown:
    case T::ButtonUp: return translateMouse(e);
    case T::CloseRequested: {
        HWND top = windowOfSurface(e.surface);
        if (!top) return false;
        if (IsWindowEnabled(top))
            PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            bringForwardModalPopup(top);
        return false;
    }
    case T::FocusGained: {
        system.appActive = true;
        HWND top = windowOfSurface(e.surface);
        if (!top) return false;
        if (!IsWindowEnabled(top)) {
            bringForwardModalPopup(top);
        } else if (GetActiveWindow() != top) {
            activate(top, WA_ACTIVE, false);
        } else if (Window* t = live(top); t && !t->captionActive) {
            SendMessageA(top, WM_NCACTIVATE, TRUE, 0);
        }
        return false;
    }
    case T::FocusLost: {
        HWND top = windowOfSurface(e.surface);
        // Only another program taking the focus makes our active window
        // look inactive; moving it between our own windows is done already.
        if (top && top == GetActiveWindow()) {
            system.appActive = false;
            SendMessageA(top, WM_NCACTIVATE, FALSE, 0);
        }
        return false;
    }
    case T::Moved: {
        Window* t = live(windowOfSurface(e.surface));
        if (!t) return false;
        t->rect = rectOffset(t->rect, e.point.x - t->rect.left, e.point.y - t->rect.top);
        SendMessageA(t->handle, WM_MOVE, 0, MAKEPOINTLPARAM(e.point.x, e.point.y));
        return false;
    }
    case T::Minimized:
    case T::Restored: {
        Window* t = live(windowOfSurface(e.surface));
        if (!t) return false;
        t->minimized = e.type == T::Minimized;
        invalidateFrame(*t);
        invalidateClient(*t, nullptr, true);
        return false;
    }
    case T::Exposed: {
        Window* t = live(windowOfSurface(e.surface));
        if (t) markDirty(*t, {0, 0, rectWidth(t->rect), rectHeight(t->rect)});
        return false;
    }
    }
    return false;
}

}  // namespace windowing
