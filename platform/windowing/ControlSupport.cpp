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

void paintControl(HWND hwnd, const ControlPainter& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    graphics::Canvas* canvas = canvasOf(dc);
    Window* w = live(hwnd);
    if (canvas && w) {
        RECT client;
        GetClientRect(hwnd, &client);
        paint(*canvas, dc, client, *w);
    }
    EndPaint(hwnd, &ps);
}

void notifyParent(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace windowing
