// The "Static" class: text (left, centred or right, with '&' mnemonics
// unless SS_NOPREFIX), rectangles filled with a system colour, and icons
// (the control takes the size of its icon). Statics take no input: clicks
// go through to what lies under them unless SS_NOTIFY asks for them.
#include "platform/controls/ControlClasses.h"

#include "platform/graphics/ControlLook.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/ControlSupport.h"

using namespace windowing;

namespace controls {

namespace {

struct StaticData : WindowExtra {
    HICON icon = nullptr;
};

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

void setIcon(HWND hwnd, HICON icon) {
    StaticData* d = extraOf<StaticData>(hwnd);
    if (!d) return;
    d->icon = icon;
    if (icon) {
        int size = GetSystemMetrics(SM_CXICON);
        SetWindowPos(hwnd, nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    repaintNow(hwnd);
}

void paint(HWND hwnd) {
    StaticData* d = extraOf<StaticData>(hwnd);
    if (!d) return;
    paintControl(hwnd, [&](graphics::Canvas& canvas, HDC dc, const RECT& rect, const Window& w) {
        graphics::look::ControlState state;
        state.disabled = !w.enabled();
        DWORD type = w.style & SS_TYPEMASK;
        switch (type) {
        case SS_ICON:
            graphics::look::paintFilledRect(canvas, rect, COLOR_BTNFACE);
            if (d->icon) DrawIcon(dc, 0, 0, d->icon);
            break;
        case SS_BLACKRECT: graphics::look::paintFilledRect(canvas, rect, COLOR_WINDOWFRAME); break;
        case SS_GRAYRECT: graphics::look::paintFilledRect(canvas, rect, COLOR_BTNSHADOW); break;
        case SS_WHITERECT: graphics::look::paintFilledRect(canvas, rect, COLOR_WINDOW); break;
        default: {
            UINT format = DT_WORDBREAK | DT_EXPANDTABS;
            format |= type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
            if (w.style & SS_NOPREFIX) format |= DT_NOPREFIX;
            graphics::look::paintStaticText(canvas, fontOf(hwnd), rect, w.text, format, state);
            break;
        }
        }
    });
}

}  // namespace

LRESULT staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) attachExtra<StaticData>(hwnd);
    StaticData* d = extraOf<StaticData>(hwnd);
    if (!d) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE: {
        // An icon static names its icon in its text ("#128" for resource 128).
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if ((styleOf(hwnd) & SS_TYPEMASK) == SS_ICON && cs && cs->lpszName && cs->lpszName[0])
            setIcon(hwnd, LoadIconA(cs->hInstance ? cs->hInstance : GetModuleHandleA(nullptr), cs->lpszName));
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST:
        if (!(styleOf(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_SETTEXT: {
        if ((styleOf(hwnd) & SS_TYPEMASK) == SS_ICON) return TRUE;
        LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        repaintNow(hwnd);
        return result;
    }
    case WM_ENABLE: repaintNow(hwnd); return 0;
    case STM_SETICON: {
        HICON old = d->icon;
        setIcon(hwnd, reinterpret_cast<HICON>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON: return reinterpret_cast<LRESULT>(d->icon);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace controls
