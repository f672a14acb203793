// The "Button" class: push buttons (the default one with its frame), radio
// and check buttons and group boxes. A button is clicked by the mouse
// (pressed inside, released inside), by Space while it has the focus, or by
// BM_CLICK; a click notifies the parent with WM_COMMAND / BN_CLICKED.
#include "platform/controls/ControlClasses.h"

#include "platform/graphics/ControlLook.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/ControlSupport.h"

using namespace windowing;

namespace controls {

namespace {

struct ButtonData : WindowExtra {
    bool pushed = false;     // drawn pressed
    bool focused = false;
    bool tracking = false;   // the mouse button went down on it and is held
    bool spaceDown = false;  // Space went down while it had the focus
    WPARAM check = BST_UNCHECKED;
};

DWORD typeOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool isRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

ButtonData* data(HWND hwnd) { return extraOf<ButtonData>(hwnd); }

void setPushed(HWND hwnd, bool pushed) {
    ButtonData* d = data(hwnd);
    if (!d || d->pushed == pushed) return;
    d->pushed = pushed;
    repaintNow(hwnd);
}

// An automatic radio button checks itself and clears the other radio
// buttons of its group: the siblings from the one with WS_GROUP at or
// before it to the one before the next WS_GROUP.
void checkInGroup(HWND hwnd) {
    auto styleOf = [](HWND h) { return static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)); };
    HWND first = hwnd;
    while (!(styleOf(first) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && (styleOf(sibling) & WS_GROUP)) break;
        if (sibling != hwnd && isRadio(typeOf(sibling))) SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
}

void click(HWND hwnd) {
    DWORD type = typeOf(hwnd);
    if (type == BS_GROUPBOX) return;
    if (type == BS_AUTORADIOBUTTON) checkInGroup(hwnd);
    if (type == BS_AUTOCHECKBOX) {
        ButtonData* d = data(hwnd);
        if (d) SendMessageA(hwnd, BM_SETCHECK, d->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    notifyParent(hwnd, BN_CLICKED);
}

void paint(HWND hwnd) {
    ButtonData* d = data(hwnd);
    if (!d) return;
    paintControl(hwnd, [&](graphics::Canvas& canvas, HDC, const RECT& rect, const Window& w) {
        graphics::look::ControlState state;
        state.disabled = !w.enabled();
        state.focused = d->focused;
        state.pushed = d->pushed;
        state.checked = d->check == BST_CHECKED;
        DWORD type = w.style & BS_TYPEMASK;
        state.isDefault = type == BS_DEFPUSHBUTTON;
        const graphics::Font& font = fontOf(hwnd);
        if (type == BS_GROUPBOX)
            graphics::look::paintGroupBox(canvas, font, rect, w.text, state);
        else if (isRadio(type))
            graphics::look::paintRadioButton(canvas, font, rect, w.text, state);
        else
            graphics::look::paintPushButton(canvas, font, rect, w.text, state);
    });
}

LRESULT dialogCode(HWND hwnd) {
    DWORD type = typeOf(hwnd);
    if (type == BS_GROUPBOX) return DLGC_STATIC;
    if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (isRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
    return DLGC_BUTTON;
}

}  // namespace

LRESULT buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) attachExtra<ButtonData>(hwnd);
    ButtonData* d = data(hwnd);
    if (!d) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_GETDLGCODE: return dialogCode(hwnd);
    case WM_NCHITTEST:
        // A group box lets clicks through to what lies under it.
        if (typeOf(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        repaintNow(hwnd);
        return result;
    }
    case WM_ENABLE:
        if (!wParam) {
            d->tracking = false;
            d->spaceDown = false;
            d->pushed = false;
        }
        repaintNow(hwnd);
        return 0;
    case WM_SETFOCUS:
        d->focused = true;
        repaintNow(hwnd);
        return 0;
    case WM_KILLFOCUS:
        d->focused = false;
        d->spaceDown = false;
        d->pushed = false;
        repaintNow(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        if (typeOf(hwnd) == BS_GROUPBOX) return 0;
        SetFocus(hwnd);
        if (!(d = data(hwnd))) return 0;
        SetCapture(hwnd);
        d->tracking = true;
        setPushed(hwnd, true);
        return 0;
    case WM_MOUSEMOVE:
        if (d->tracking) {
            RECT r;
            GetClientRect(hwnd, &r);
            setPushed(hwnd, rectContains(r, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        }
        return 0;
    case WM_LBUTTONUP:
        if (d->tracking) {
            bool inside = d->pushed;
            d->tracking = false;
            ReleaseCapture();
            setPushed(hwnd, false);
            if (inside) click(hwnd);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (d->tracking) {
            d->tracking = false;
            setPushed(hwnd, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            if (!d->spaceDown) {
                d->spaceDown = true;
                setPushed(hwnd, true);
            }
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_KEYUP:
        if (wParam == VK_SPACE && d->spaceDown) {
            d->spaceDown = false;
            setPushed(hwnd, false);
            click(hwnd);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CHAR: return 0;
    case BM_CLICK:
        if (IsWindowEnabled(hwnd)) click(hwnd);
        return 0;
    case BM_GETCHECK: return static_cast<LRESULT>(d->check);
    case BM_SETCHECK:
        if (d->check != wParam) {
            d->check = wParam;
            repaintNow(hwnd);
        }
        return 0;
    case BM_GETSTATE:
        return static_cast<LRESULT>(d->check) | (d->pushed ? BST_PUSHED : 0) | (d->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: setPushed(hwnd, wParam != 0); return 0;
    case BM_SETSTYLE: {
        Window* w = live(hwnd);
        if (!w) return 0;
        w->style = (w->style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        if (lParam) repaintNow(hwnd);
        return 0;
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace controls
