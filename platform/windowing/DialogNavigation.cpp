// Keyboard navigation of dialogs: Tab and Shift+Tab through the tab stops,
// arrow keys within a group, Enter for the focused or the default push
// button, Escape for Cancel, mnemonic letters. Controls never repeat this.
#include "platform/windowing/Api.h"

#include "platform/graphics/Canvas.h"
#include "platform/windowing/DialogData.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"

#include <algorithm>
#include <cctype>

using namespace windowing;

namespace {

std::vector<HWND> childrenOf(HWND dialog) {
    Window* d = live(dialog);
    return d ? d->children : std::vector<HWND>{};
}

bool usable(HWND hwnd) {
    Window* w = live(hwnd);
    return w && w->visible() && w->enabled();
}

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

std::string textOf(HWND hwnd) {
    Window* w = live(hwnd);
    return w ? w->text : std::string();
}

// Carries out a mnemonic: a button is pressed (or a radio button chosen),
// a label passes the focus to the next control that can take it.
bool handleMnemonic(HWND dialog, char c) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    std::vector<HWND> children = childrenOf(dialog);
    for (std::size_t i = 0; i < children.size(); ++i) {
        HWND child = children[i];
        Window* w = live(child);
        if (!w || !w->visible()) continue;
        LRESULT code = SendMessageA(child, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_STATIC) && (styleOf(child) & SS_NOPREFIX)) continue;
        if (mnemonicOf(textOf(child)) != c) continue;
        if (code & DLGC_STATIC) {
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                if (usable(children[j]) && !(SendMessageA(children[j], WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                    SetFocus(children[j]);
                    break;
                }
            }
            return true;
        }
        if (!w->enabled()) return true;
        SetFocus(child);
        if (code & DLGC_BUTTON || code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) SendMessageA(child, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

void commandFromButton(HWND dialog, int id, HWND button) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool handleKeyDown(HWND dialog, MSG* msg, LRESULT code) {
    WPARAM key = msg->wParam;
    switch (key) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB) return false;
        bool back = GetKeyState(VK_SHIFT) < 0;
        HWND focus = GetFocus();
        HWND from = focus && IsChild(dialog, focus) ? focus : nullptr;
        if (HWND next = GetNextDlgTabItem(dialog, from, back ? TRUE : FALSE)) SetFocus(next);
        return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS) return false;
        HWND focus = GetFocus();
        if (!focus || !IsChild(dialog, focus)) return true;
        HWND next = GetNextDlgGroupItem(dialog, focus, (key == VK_LEFT || key == VK_UP) ? TRUE : FALSE);
        if (next && next != focus) {
            SetFocus(next);
            // Moving onto an automatic radio button chooses it.
            if ((SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
                (styleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                SendMessageA(next, BM_CLICK, 0, 0);
        }
        return true;
    }
    case VK_RETURN: {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus) && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            if (IsWindowEnabled(focus)) commandFromButton(dialog, GetDlgCtrlID(focus), focus);
            return true;
        }
        LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        int id = HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID ? static_cast<short>(LOWORD(static_cast<std::uintptr_t>(def))) : IDOK;
        HWND button = GetDlgItem(dialog, id);
        if (!button || IsWindowEnabled(button)) commandFromButton(dialog, id, button);
        return true;
    }
    case VK_ESCAPE: {
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel)) commandFromButton(dialog, IDCANCEL, cancel);
        return true;
    }
    default: return false;
    }
}

}  // namespace

namespace windowing {

char mnemonicOf(const std::string& text) {
    // The same reading of '&' as the drawing's, so the letter that chooses
    // is the letter underlined.
    const graphics::PrefixedText parsed = graphics::parsePrefix(text, 0);
    if (parsed.underlineIndex < 0) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(parsed.shown[parsed.underlineIndex])));
}

}  // namespace windowing

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> children = childrenOf(dialog);
    std::vector<HWND> stops;
    for (HWND child : children)
        if (usable(child) && (styleOf(child) & WS_TABSTOP)) stops.push_back(child);
    if (stops.empty()) return nullptr;
    auto current = std::find(children.begin(), children.end(), control);
    if (!control || current == children.end()) return previous ? stops.back() : stops.front();
    // Walk the children in order from the control, wrapping, to the next stop.
    std::size_t n = children.size();
    std::size_t index = static_cast<std::size_t>(current - children.begin());
    for (std::size_t step = 1; step <= n; ++step) {
        std::size_t i = previous ? (index + n - step) % n : (index + step) % n;
        HWND candidate = children[i];
        if (usable(candidate) && (styleOf(candidate) & WS_TABSTOP)) return candidate;
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> children = childrenOf(dialog);
    auto current = std::find(children.begin(), children.end(), control);
    if (current == children.end()) return nullptr;
    // The group runs from the control with WS_GROUP at or before this one
    // to the control before the next one with WS_GROUP.
    std::size_t index = static_cast<std::size_t>(current - children.begin());
    std::size_t first = index;
    while (first > 0 && !(styleOf(children[first]) & WS_GROUP)) --first;
    std::size_t last = index + 1;
    while (last < children.size() && !(styleOf(children[last]) & WS_GROUP)) ++last;
    std::size_t n = last - first;
    std::size_t at = index - first;
    for (std::size_t step = 1; step < n; ++step) {
        std::size_t i = first + (previous ? (at + n - step) % n : (at + step) % n);
        if (usable(children[i])) return children[i];
    }
    return control;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    if (!live(dialog)) return FALSE;
    for (int id = firstId; id <= lastId; ++id)
        if (HWND button = GetDlgItem(dialog, id)) SendMessageA(button, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
    if (!msg || !live(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    LRESULT code = 0;
    switch (msg->message) {
    case WM_KEYDOWN:
        code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & DLGC_WANTALLKEYS) && handleKeyDown(dialog, msg, code)) return TRUE;
        break;
    case WM_CHAR:
        code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) && handleMnemonic(dialog, static_cast<char>(msg->wParam)))
            return TRUE;
        break;
    case WM_SYSCHAR:
        if (handleMnemonic(dialog, static_cast<char>(msg->wParam))) return TRUE;
        break;
    default: break;
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
