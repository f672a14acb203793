// The help command and the class library's own message boxes.
#include "platform/framework/Afx.h"
#include "platform/framework/CString.h"
#include "platform/framework/CWnd.h"

namespace {

// Asks `start` and then each of its parents (or owners) for its help
// context; the first answer counts. Controls do not answer, dialogs do.
DWORD askForContext(HWND start) {
    for (HWND hwnd = start; hwnd; hwnd = ::GetParent(hwnd)) {
        LRESULT context = ::SendMessageA(hwnd, WM_COMMANDHELP, 0, 0);
        if (context) return static_cast<DWORD>(context);
    }
    return 0;
}

// The window in use: the main window's last active pop-up.
HWND windowInUse() {
    CWnd* main = AfxGetMainWnd();
    if (main && main->m_hWnd) return ::GetLastActivePopup(main->m_hWnd);
    return ::GetActiveWindow();
}

void cancelModes(HWND hwnd) {
    ::SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) cancelModes(child);
}

}  // namespace

void CWinApp::OnHelp() {
    if (m_dwPromptContext != 0) {
        // While "Failed to launch help." is up, asking again would only fail again.
        if (m_dwPromptContext != HID_BASE_PROMPT + AFX_IDP_FAILED_TO_LAUNCH_HELP) WinHelp(m_dwPromptContext);
        return;
    }
    DWORD context = askForContext(::GetCapture());
    if (!context) context = askForContext(::GetFocus());
    if (!context) {
        CWnd* main = AfxGetMainWnd();
        if (main && main->m_hWnd) context = askForContext(::GetLastActivePopup(main->m_hWnd));
    }
    if (context)
        WinHelp(context, HELP_CONTEXT);
    else
        WinHelp(0, HELP_FINDER);
}

void CWinApp::WinHelp(std::uintptr_t data, UINT command) {
    CWnd* main = AfxGetMainWnd();
    HWND mainHwnd = main ? main->m_hWnd : nullptr;
    HWND top = mainHwnd ? ::GetAncestorTopLevel(mainHwnd) : ::GetActiveWindow();
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    if (mainHwnd) cancelModes(mainHwnd);
    if (top && top != mainHwnd) ::SendMessageA(top, WM_CANCELMODE, 0, 0);
    if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
    BOOL shown = ::WinHelpA(top, m_pszHelpFilePath, command, data);
    ::SetCursor(previous ? previous : ::LoadCursorA(nullptr, IDC_ARROW));
    if (!shown) AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP);
}

int CWinApp::DoMessageBox(LPCSTR prompt, UINT type, UINT idPrompt) {
    DWORD previous = m_dwPromptContext;
    if (idPrompt != 0) m_dwPromptContext = HID_BASE_PROMPT + idPrompt;
    if ((type & MB_ICONMASK) == 0) {
        UINT kind = type & MB_TYPEMASK;
        type |= (kind == MB_OK || kind == MB_OKCANCEL) ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
    }
    int result = ::MessageBoxA(windowInUse(), prompt, m_pszAppName, type);
    m_dwPromptContext = previous;
    return result;
}

int AfxMessageBox(LPCSTR text, UINT type, UINT idHelp) {
    CWinApp* app = AfxGetApp();
    if (!app) return ::MessageBoxA(::GetActiveWindow(), text, "", type);
    return app->DoMessageBox(text, type, idHelp);
}

int AfxMessageBox(UINT idPrompt, UINT type, UINT idHelp) {
    CString text;
    text.LoadString(idPrompt);
    if (idHelp == static_cast<UINT>(-1)) idHelp = idPrompt;
    return AfxMessageBox(text, type, idHelp);
}
