// The platform's own modal loop for dialogs (DialogBoxIndirectParamA and
// message boxes): the owner is disabled while the dialog runs, every window
// of the thread keeps getting its messages, and the owner is enabled and
// activated again when the dialog ends.
#include "platform/windowing/Api.h"

#include "platform/windowing/DialogData.h"
#include "platform/windowing/Internal.h"

using namespace windowing;

namespace windowing {

LPARAM runDialogModal(HWND dialog, HWND owner) {
    bool enableOwner = owner && IsWindowEnabled(owner);
    if (enableOwner) EnableWindow(owner, FALSE);
    if (live(dialog) && !IsWindowVisible(dialog)) {
        if (DialogData* d = dialogData(dialog); d && !d->modalEnded) ShowWindow(dialog, SW_SHOWNORMAL);
    }
    LPARAM result = -1;
    MSG msg;
    for (;;) {
        DialogData* d = dialogData(dialog);
        if (!d) break;
        if (d->modalEnded) {
            result = d->modalResult;
            break;
        }
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // A quit request ends the dialog and stays for the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (live(dialog)) SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (enableOwner) EnableWindow(owner, TRUE);
    if (owner && live(dialog) && GetActiveWindow() == dialog) SetActiveWindow(owner);
    DestroyWindow(dialog);
    return result;
}

}  // namespace windowing

BOOL EndDialog(HWND dialog, LPARAM result) {
    DialogData* d = dialogData(dialog);
    if (!d) return FALSE;
    d->modalEnded = true;
    d->modalResult = result;
    // Wake a loop that waits for input.
    PostMessageA(dialog, WM_NULL, 0, 0);
    return TRUE;
}

LPARAM DialogBoxIndirectParamA(HINSTANCE instance, const void* dialogTemplate, std::size_t size, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    if (owner && !live(owner)) return -1;
    if (owner) owner = GetAncestorTopLevel(owner);
    bool enableOwner = owner && IsWindowEnabled(owner);
    if (enableOwner) EnableWindow(owner, FALSE);
    HWND dialog = CreateDialogIndirectParamA(instance, dialogTemplate, size, owner, dialogProc, initParam);
    if (enableOwner) EnableWindow(owner, TRUE);
    if (!dialog) return -1;
    return runDialogModal(dialog, owner);
}
