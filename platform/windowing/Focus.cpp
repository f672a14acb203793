// Keyboard focus, activation and mouse capture.
#include "platform/windowing/Api.h"

#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"

using namespace windowing;

namespace {

bool isSelfOrDescendant(HWND ancestor, HWND hwnd) { return hwnd && (hwnd == ancestor || IsChild(ancestor, hwnd)); }

// The window that takes the activation when `leaving` stops being active:
// its owner when that can take it, else the topmost visible, enabled window.
HWND nextActiveAfter(HWND leaving) {
    Window* w = live(leaving);
    if (w) {
        Window* owner = live(w->owner);
        if (owner && owner->visible() && owner->enabled() && !owner->destroying) return owner->handle;
    }
    for (HWND top : ws().topLevelWindows()) {
        Window* t = live(top);
        if (top == leaving || !t || !t->visible() || !t->enabled() || t->destroying) continue;
        if (t->windowClass && t->windowClass->name == "#32768") continue;
        return top;
    }
    return nullptr;
}

}  // namespace

namespace windowing {

void activate(HWND hwnd, WORD how, bool raise) {
    WindowSystem& system = ws();
    Window* w = live(hwnd);
    if (w) w = topLevelOf(w);
    if (!w) return;
    hwnd = w->handle;
    if (raise) {
        system.raiseTopLevel(hwnd);
        if (w->visible() && !w->pendingShow) system.backend().raiseSurface(w->surface);
    }
    if (system.active == hwnd) return;
    HWND old = system.active;
    system.active = hwnd;
    if (live(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
    }
    if (system.active != hwnd || !live(hwnd)) return;
    // Every owner up the chain remembers this window as its last active pop-up.
    for (Window* owner = live(live(hwnd)->owner); owner; owner = live(owner->owner)) owner->lastActivePopup = hwnd;
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
}

void forgetWindow(HWND hwnd, bool destroying, bool passActivation) {
    WindowSystem& system = ws();
    if (!destroying && !passActivation) return;
    if (isSelfOrDescendant(hwnd, system.capture)) {
        HWND old = system.capture;
        system.capture = nullptr;
        if (!destroying) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    }
    if (isSelfOrDescendant(hwnd, system.focus)) {
        HWND old = system.focus;
        system.focus = nullptr;
        if (!destroying) SendMessageA(old, WM_KILLFOCUS, 0, 0);
        dialogFocusChanged(old, nullptr);
    }
    if (system.active == hwnd) {
        HWND next = nextActiveAfter(hwnd);
        if (!destroying) {
            SendMessageA(hwnd, WM_NCACTIVATE, FALSE, 0);
            SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(next));
        }
        system.active = nullptr;
        if (next) activate(next, WA_ACTIVE, true);
    }
}

}  // namespace windowing

HWND SetFocus(HWND hwnd) {
    WindowSystem& system = ws();
    HWND old = system.focus;
    if (!hwnd) {
        system.focus = nullptr;
        if (live(old)) SendMessageA(old, WM_KILLFOCUS, 0, 0);
        dialogFocusChanged(old, nullptr);
        return old;
    }
    Window* w = live(hwnd);
    if (!w) return nullptr;
    Window* top = topLevelOf(w);
    if (top && system.active != top->handle) {
        activate(top->handle, WA_ACTIVE, true);
        if (!live(hwnd)) return nullptr;
        old = system.focus;
    }
    if (system.focus == hwnd) return old;
    system.focus = hwnd;
    if (live(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (system.focus == hwnd && live(hwnd)) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    dialogFocusChanged(old, system.focus);
    return old;
}

HWND GetFocus() { return live(ws().focus) ? ws().focus : nullptr; }

HWND SetActiveWindow(HWND hwnd) {
    HWND old = ws().active;
    Window* w = live(hwnd);
    if (!w || w->isChild()) return nullptr;
    activate(hwnd, WA_ACTIVE, true);
    return old;
}

HWND GetActiveWindow() { return live(ws().active) ? ws().active : nullptr; }

HWND SetCapture(HWND hwnd) {
    WindowSystem& system = ws();
    HWND old = system.capture;
    if (!live(hwnd)) return nullptr;
    system.capture = hwnd;
    if (live(old) && old != hwnd) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    WindowSystem& system = ws();
    HWND old = system.capture;
    system.capture = nullptr;
    if (live(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return live(ws().capture) ? ws().capture : nullptr; }
