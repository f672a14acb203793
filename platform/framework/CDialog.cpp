#include "platform/framework/CDialog.h"

#include "platform/framework/Afx.h"
#include "platform/framework/DataExchangeFailure.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/resources/DlgInit.h"
#include "platform/windowing/WindowSystem.h"

#include <cstdio>
#include <span>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

void CDialog::DoDataExchange(CDataExchange* pDX) { (void)pDX; }

int CDialog::DoModal() {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(static_cast<WORD>(m_nIDTemplate)), RT_DIALOG);
    const void* dialogTemplate = resource ? ::LockResource(::LoadResource(instance, resource)) : nullptr;
    std::size_t size = resource ? ::SizeofResource(instance, resource) : 0;
    if (!dialogTemplate) return -1;
    auto header = resources::parseDialogTemplate(std::span(static_cast<const std::uint8_t*>(dialogTemplate), size));
    if (!header.ok()) return -1;
    m_templateAtOrigin = header->x == 0 && header->y == 0;
    m_templateStyle = header->style;

    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    if (owner) owner = ::GetAncestorTopLevel(owner);
    bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner) ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(dialogTemplate, size, owner) && (m_nFlags & WF_CONTINUEMODAL)) {
        DWORD flags = (GetStyle() & WS_VISIBLE) ? 0 : MLF_SHOWONIDLE;
        RunModalLoop(flags);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableOwner) ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::CreateDlgIndirect(const void* dialogTemplate, std::size_t size, HWND owner) {
    windowing::WindowSystem& system = windowing::ws();
    // The dialog's window is attached before it gets its first message.
    system.setCreationHook([this](HWND hwnd) { SubclassWindow(hwnd); });
    HWND hwnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), dialogTemplate, size, owner, nullptr, 0);
    system.setCreationHook(nullptr);
    return hwnd != nullptr;
}

LRESULT CDialog::HandleInitDialog(WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    (void)lParam;
    RECT before{};
    GetWindowRect(&before);
    bool hiddenBefore = !(GetStyle() & WS_VISIBLE);
    BOOL result = OnInitDialog();
    if (m_hWnd) CentreAfterInit(hiddenBefore, before);
    return result;
}

void CDialog::CentreAfterInit(bool hiddenBefore, const RECT& before) {
    DWORD style = GetStyle();
    if (!hiddenBefore || (style & (WS_VISIBLE | WS_CHILD))) return;
    RECT now{};
    GetWindowRect(&now);
    if (now.left != before.left || now.top != before.top) return;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowEnabled(owner)) return;
    if (!m_templateAtOrigin || (m_templateStyle & (DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE))) return;

    RECT reference{};
    RECT bounds{};
    MONITORINFO info;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &reference);
        ::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &info);
        bounds = info.rcWork;
    } else {
        CWnd* main = AfxGetMainWnd();
        ::GetMonitorInfoA(::MonitorFromWindow(main ? main->m_hWnd : nullptr, MONITOR_DEFAULTTOPRIMARY), &info);
        reference = bounds = info.rcWork;
    }
    // Integer division truncates toward zero, as the placement rule asks.
    int width = rectWidth(now);
    int height = rectHeight(now);
    int left = (reference.left + reference.right) / 2 - width / 2;
    int top = (reference.top + reference.bottom) / 2 - height / 2;
    if (left < bounds.left) left = bounds.left;
    else if (left + width > bounds.right) left = bounds.right - width;
    if (top < bounds.top) top = bounds.top;
    else if (top + height > bounds.bottom) top = bounds.bottom - height;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::OnInitDialog() {
    if (!ExecuteDlgInit(m_nIDTemplate)) {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::ExecuteDlgInit(UINT nIDTemplate) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(static_cast<WORD>(nIDTemplate)), RT_DLGINIT);
    if (!resource) return TRUE;  // nothing to apply
    const void* data = ::LockResource(::LoadResource(instance, resource));
    auto entries = resources::parseDlgInit(
        std::span(static_cast<const std::uint8_t*>(data), ::SizeofResource(instance, resource)));
    if (!entries.ok()) {
        std::fprintf(stderr, "%s: the initialisation list of dialog %u is refused: %s\n", AfxGetAppName(),
                     nIDTemplate, entries.error().c_str());
        return FALSE;
    }
    for (const resources::DlgInitEntry& entry : entries.value()) {
        // The 16-bit-era add messages become today's.
        UINT message = entry.message;
        LPARAM parameter = reinterpret_cast<LPARAM>(entry.data.data());
        std::string text;
        if (message == resources::kDlgInitComboAddString || message == resources::kDlgInitListAddString) {
            message = message == resources::kDlgInitComboAddString ? CB_ADDSTRING : LB_ADDSTRING;
            text = entry.text();
            parameter = reinterpret_cast<LPARAM>(text.c_str());
        }
        if (::SendDlgItemMessageA(m_hWnd, entry.controlId, message, 0, parameter) == -1) return FALSE;
    }
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

LRESULT CDialog::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    (void)lParam;
    return m_nIDHelp ? static_cast<LRESULT>(HID_BASE_RESOURCE + m_nIDHelp) : 0;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
    if (CWnd::OnCmdMsg(nID, nCode)) return TRUE;
    // Commands the dialog does not handle go to its owner, then to the
    // application object.
    if (nCode != static_cast<int>(CN_COMMAND) || !IS_COMMAND_ID(nID)) return FALSE;
    if (CWnd* owner = CWnd::FromHandlePermanent(::GetWindow(m_hWnd, GW_OWNER)); owner && owner->OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode);
}
