#include "platform/framework/CWnd.h"

#include "platform/framework/Afx.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/FrameworkState.h"
#include "platform/windowing/WindowSystem.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CWnd::~CWnd() {
    // A window outliving its object would call into freed memory.
    if (m_hWnd && windowing::WindowSystem::current()) {
        HWND hwnd = m_hWnd;
        if (FromHandlePermanent(hwnd) == this) ::DestroyWindow(hwnd);
        afxForgetWindow(hwnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& map = afxState().permanentWindows;
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (CWnd* permanent = FromHandlePermanent(hwnd)) return permanent;
    if (!::IsWindow(hwnd)) return nullptr;
    auto& temporary = afxState().temporaryWindows[hwnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hwnd;
    }
    return temporary.get();
}

BOOL CWnd::Attach(HWND hwnd) {
    if (m_hWnd || !::IsWindow(hwnd) || FromHandlePermanent(hwnd)) return FALSE;
    afxState().temporaryWindows.erase(hwnd);
    m_hWnd = hwnd;
    afxState().permanentWindows[hwnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) afxState().permanentWindows.erase(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LPARAM>(AfxWndProc)));
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::SetDlgItemText(int nID, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, nID, text); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied));
    text = CString(buffer);
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!m_hWnd) return FALSE;
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
    if (!caption) caption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

LRESULT CWnd::Default() {
    const MSG& m = afxState().lastSent;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_hWnd ? m_hWnd : afxState().lastSent.hwnd;
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, hwnd, message, wParam, lParam);
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (nID == 0) return FALSE;
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        OnNcDestroy();
        *result = 0;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry) return FALSE;
    // The one place where raw parameters become a handler's arguments.
    switch (entry->nSig) {
    case AfxSig::v_v: (this->*entry->pfn.v_v)(); *result = 0; break;
    case AfxSig::v_u_l: (this->*entry->pfn.v_u_l)(static_cast<UINT>(wParam), lParam); *result = 0; break;
    case AfxSig::h_v: *result = reinterpret_cast<LRESULT>((this->*entry->pfn.h_v)()); break;
    case AfxSig::l_w_l: *result = (this->*entry->pfn.l_w_l)(wParam, lParam); break;
    case AfxSig::b_helpinfo: *result = (this->*entry->pfn.b_helpinfo)(reinterpret_cast<HELPINFO*>(lParam)); break;
    case AfxSig::command: (this->*entry->pfn.command)(); *result = 0; break;
    case AfxSig::end: return FALSE;
    }
    return TRUE;
}

void CWnd::OnNcDestroy() {
    Default();
    // The main window gone, the program's work is done.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Detach();
    PostNcDestroy();
}

BOOL CWnd::OnHelpInfo(HELPINFO* info) {
    (void)info;
    if (!(GetStyle() & WS_CHILD)) {
        CWnd* main = AfxGetMainWnd();
        if (main && main->m_hWnd && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
            ::GetKeyState(VK_MENU) >= 0) {
            main->SendMessage(WM_COMMAND, ID_HELP);
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

BOOL CWnd::PreTranslateMessage(MSG* msg) {
    (void)msg;
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd;) {
        if (CWnd* wnd = FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) break;
        hwnd = ::GetParent(hwnd);
    }
    return FALSE;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int result) {
    m_nModalResult = result;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wake the loop if it waits for input.
        PostMessage(WM_NULL);
    }
}

int CWnd::RunModalLoop(DWORD flags) {
    bool showIdle = (flags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hwnd = m_hWnd;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    auto show = [&] {
        showIdle = false;
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
    };
    MSG msg;
    while (ContinueModal() && ::IsWindow(hwnd)) {
        // Shown the first time nothing waits.
        if (showIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) show();
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            // A quit request ends the loop; it stays for whoever runs next.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
            return -1;
        }
        if (!WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (showIdle && (msg.message == WM_SYSTIMER || msg.message == WM_SYSKEYDOWN)) show();
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    FrameworkState& state = afxState();
    MSG saved = state.lastSent;
    state.lastSent = MSG{hwnd, message, wParam, lParam, 0, {}};
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    state.lastSent = saved;
    return result;
}
