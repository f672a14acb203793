// The "Edit" class: a single-line text field with a caret. It takes
// characters, Backspace and Delete, the arrow keys, Home and End, and tells
// its parent of changes with EN_CHANGE. A border (WS_BORDER or
// WS_EX_CLIENTEDGE) is drawn in the sunken 3-D style.
#include "platform/controls/ControlClasses.h"

#include "platform/graphics/ControlLook.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/ControlSupport.h"

#include <algorithm>

using namespace windowing;

namespace controls {

namespace {

struct EditData : WindowExtra {
    std::size_t caret = 0;  // byte index into the text
    bool focused = false;
};

void paint(HWND hwnd) {
    EditData* d = extraOf<EditData>(hwnd);
    if (!d) return;
    paintControl(hwnd, [&](graphics::Canvas& canvas, HDC, const RECT& rect, const Window& w) {
        graphics::look::ControlState state;
        state.disabled = !w.enabled();
        state.focused = d->focused;
        bool bordered = (w.style & WS_BORDER) || (w.exStyle & WS_EX_CLIENTEDGE);
        int caret = d->focused && w.enabled() ? static_cast<int>(std::min(d->caret, w.text.size())) : -1;
        graphics::look::paintEdit(canvas, fontOf(hwnd), rect, w.text, bordered, state, caret);
    });
}

// Edits the text and moves the caret; returns whether the text changed.
bool key(HWND hwnd, WPARAM vk) {
    Window* w = live(hwnd);
    EditData* d = extraOf<EditData>(hwnd);
    if (!w || !d) return false;
    std::size_t size = w->text.size();
    d->caret = std::min(d->caret, size);
    switch (vk) {
    case VK_LEFT: if (d->caret > 0) --d->caret; break;
    case VK_RIGHT: if (d->caret < size) ++d->caret; break;
    case VK_HOME: d->caret = 0; break;
    case VK_END: d->caret = size; break;
    case VK_DELETE:
        if (d->caret < size && !(w->style & ES_READONLY)) {
            w->text.erase(d->caret, 1);
            return true;
        }
        break;
    default: break;
    }
    return false;
}

bool character(HWND hwnd, char c) {
    Window* w = live(hwnd);
    EditData* d = extraOf<EditData>(hwnd);
    if (!w || !d || (w->style & ES_READONLY)) return false;
    d->caret = std::min(d->caret, w->text.size());
    if (c == '\b') {
        if (d->caret == 0) return false;
        w->text.erase(--d->caret, 1);
        return true;
    }
    if (static_cast<unsigned char>(c) < 0x20) return false;
    w->text.insert(d->caret++, 1, c);
    return true;
}

}  // namespace

LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) attachExtra<EditData>(hwnd);
    EditData* d = extraOf<EditData>(hwnd);
    if (!d) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        if ((d = extraOf<EditData>(hwnd))) d->caret = 0;
        repaintNow(hwnd);
        return result;
    }
    case WM_ENABLE: repaintNow(hwnd); return 0;
    case WM_SETFOCUS:
        d->focused = true;
        repaintNow(hwnd);
        return 0;
    case WM_KILLFOCUS:
        d->focused = false;
        repaintNow(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if ((d = extraOf<EditData>(hwnd))) {
            d->caret = static_cast<std::size_t>(GetWindowTextLengthA(hwnd));
            repaintNow(hwnd);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F1) return DefWindowProcA(hwnd, msg, wParam, lParam);
        if (key(hwnd, wParam)) notifyParent(hwnd, EN_CHANGE);
        repaintNow(hwnd);
        return 0;
    case WM_CHAR:
        if (character(hwnd, static_cast<char>(wParam))) {
            repaintNow(hwnd);
            notifyParent(hwnd, EN_CHANGE);
        }
        return 0;
    case EM_GETSEL: return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(d->caret), static_cast<WORD>(d->caret)));
    case EM_SETSEL: {
        int length = GetWindowTextLengthA(hwnd);
        int to = static_cast<int>(static_cast<std::intptr_t>(lParam));
        d->caret = static_cast<std::size_t>(to < 0 || to > length ? length : to);
        repaintNow(hwnd);
        return 0;
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace controls
