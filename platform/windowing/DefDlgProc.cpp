// Default processing of dialog windows, and the dialog manager's focus
// bookkeeping: the control that had the focus last comes back when the
// dialog is activated again, and the default push button's look follows
// the focus (a focused push button looks like the default one).
#include "platform/windowing/Api.h"

#include "platform/windowing/DialogData.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

using namespace windowing;

namespace {

bool isPushButton(HWND hwnd) {
    return hwnd && (SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

// The dialog a control belongs to: its parent when that is a dialog.
HWND dialogOf(HWND control) {
    Window* w = live(control);
    if (!w || !w->isChild()) return nullptr;
    Window* parent = live(w->parent);
    return parent && isDialogWindow(*parent) ? parent->handle : nullptr;
}

// Gives the default look to `button` (or, when null, to the button of the
// dialog's default identifier) and takes it from every other push button.
void showDefaultLook(HWND dialog, HWND button) {
    DialogData* d = dialogData(dialog);
    Window* w = live(dialog);
    if (!d || !w) return;
    if (!button) button = GetDlgItem(dialog, d->defaultId);
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        LRESULT code = SendMessageA(child, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_DEFPUSHBUTTON && child != button) SendMessageA(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (code & DLGC_UNDEFPUSHBUTTON && child == button) SendMessageA(child, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

void restoreFocus(HWND dialog) {
    DialogData* d = dialogData(dialog);
    if (!d) return;
    Window* saved = live(d->focusSave);
    if (saved && IsChild(dialog, saved->handle)) {
        // A control disabled meanwhile gets the focus back when enabled again.
        if (saved->enabled() && saved->visible()) SetFocus(saved->handle);
        return;
    }
    if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) SetFocus(first);
}

}  // namespace

namespace windowing {

void dialogFocusChanged(HWND oldFocus, HWND newFocus) {
    HWND newDialog = dialogOf(newFocus);
    HWND oldDialog = dialogOf(oldFocus);
    if (newDialog) {
        dialogData(newDialog)->focusSave = newFocus;
        showDefaultLook(newDialog, isPushButton(newFocus) ? newFocus : nullptr);
    }
    if (oldDialog && oldDialog != newDialog && GetActiveWindow() == GetAncestorTopLevel(oldDialog) && !newFocus)
        showDefaultLook(oldDialog, nullptr);
}

void dialogControlEnabled(HWND hwnd) {
    HWND dialog = dialogOf(hwnd);
    DialogData* d = dialogData(dialog);
    if (!d || d->focusSave != hwnd) return;
    HWND focus = GetFocus();
    if ((!focus || focus == dialog) && GetActiveWindow() == GetAncestorTopLevel(dialog) && IsWindowVisible(hwnd))
        SetFocus(hwnd);
}

void dialogActivated(HWND dialog, bool active) {
    DialogData* d = dialogData(dialog);
    if (!d) return;
    if (active) {
        restoreFocus(dialog);
    } else if (HWND focus = GetFocus(); focus && IsChild(dialog, focus)) {
        d->focusSave = focus;
    }
}

void registerDialogClass(WindowSystem& system) {
    WindowClass c;
    c.name = kDialogClassName;
    c.proc = DefDlgProcA;
    c.background = COLOR_BTNFACE + 1;
    system.registerClass(c);
}

}  // namespace windowing

LRESULT DefDlgProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = live(hwnd);
    if (!w) return 0;
    if (msg == WM_NCCREATE && !w->extra) w->extra = std::make_unique<DialogData>();
    DialogData* d = dialogData(hwnd);
    if (d && d->dialogProc) {
        d->messageResult = 0;
        LRESULT handled = d->dialogProc(hwnd, msg, wParam, lParam);
        d = dialogData(hwnd);
        if (handled) {
            // These messages answer with the procedure's own result.
            if (msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON || msg == WM_CTLCOLORSTATIC) return handled;
            return d ? d->messageResult : 0;
        }
        if (!d) return 0;
    }
    switch (msg) {
    case WM_INITDIALOG: return FALSE;
    case WM_CLOSE: {
        // The close command becomes Cancel, unless a disabled Cancel button forbids it.
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case DM_GETDEFID: return d ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(d->defaultId), DC_HASDEFID)) : 0;
    case DM_SETDEFID:
        if (d) {
            d->defaultId = static_cast<int>(wParam);
            HWND focus = GetFocus();
            showDefaultLook(hwnd, isPushButton(focus) && IsChild(hwnd, focus) ? focus : nullptr);
        }
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        if (target && IsChild(hwnd, target)) SetFocus(target);
        return 0;
    }
    case WM_ACTIVATE: dialogActivated(hwnd, LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_SETFOCUS: restoreFocus(hwnd); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(d ? d->font : nullptr);
    case WM_NCDESTROY: {
        if (d && d->font) ws().fonts.remove(d->font);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
