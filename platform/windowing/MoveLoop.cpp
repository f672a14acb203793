// Moving a top-level window: with the mouse while its caption is held down,
// or with the keyboard after the system menu's Move (arrow keys move it,
// Enter keeps the place, Escape goes back to where it was).
#include "platform/windowing/Api.h"

#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/TrackingLoop.h"

using namespace windowing;

namespace windowing {

namespace {
constexpr int kKeyboardStep = 8;

void moveTo(HWND hwnd, POINT topLeft) {
    SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void runMoveLoop(HWND hwnd, bool byMouse, POINT start) {
    Window* w = live(hwnd);
    if (!w || w->isChild()) return;
    POINT original{w->rect.left, w->rect.top};
    POINT grab{start.x - original.x, start.y - original.y};
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    runTrackingLoop([&](const display::Event& e) {
        Window* current = live(hwnd);
        if (!current) return false;
        using T = display::EventType;
        POINT at{current->rect.left, current->rect.top};
        switch (e.type) {
        case T::MouseMove:
            if (byMouse) moveTo(hwnd, {e.point.x - grab.x, e.point.y - grab.y});
            return true;
        case T::ButtonUp:
        case T::ButtonDown: return false;
        case T::KeyDown:
            switch (e.vk) {
            case VK_LEFT: if (!byMouse) moveTo(hwnd, {at.x - kKeyboardStep, at.y}); return true;
            case VK_RIGHT: if (!byMouse) moveTo(hwnd, {at.x + kKeyboardStep, at.y}); return true;
            case VK_UP: if (!byMouse) moveTo(hwnd, {at.x, at.y - kKeyboardStep}); return true;
            case VK_DOWN: if (!byMouse) moveTo(hwnd, {at.x, at.y + kKeyboardStep}); return true;
            case VK_RETURN: return false;
            case VK_ESCAPE: moveTo(hwnd, original); return false;
            default:
                // Other keys are not the move's: they wait for the program.
                passEventOn(e);
                return true;
            }
        case T::KeyUp: passEventOn(e); return true;
        case T::FocusLost: return false;
        default: passEventOn(e); return true;
        }
    });
    if (live(hwnd)) SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace windowing
