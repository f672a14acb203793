#include "platform/windowing/ControlSupport.h"

#include "platform/windowing/Api.h"
#include "platform/windowing/Objects.h"

namespace windowing {

graphics::Canvas* canvasOf(HDC dc) {
    DeviceContext* context = ws().dcs.get(dc);
    return context ? context->canvas.get() : nullptr;
}

const graphics::Font& fontOf(HWND hwnd) {
    Window* w = live(hwnd);
    if (w && w->font) return *w->font;
    return graphics::messageFont();
}

void repaintNow(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) return;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

}  // namespace windowing
