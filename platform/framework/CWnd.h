// CWnd - a window object of the class library, attached to a window of the
// windowing layer. Messages to an attached window go through the object's
// message map first (AfxWndProc); what no entry handles goes to the window
// procedure the window had before it was attached.
//
// Every wrapper needs a live window: called on an object without one, or
// whose window is gone, it does nothing and answers as the underlying call
// does for a dead handle (FALSE, 0 or null).
#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"

class CMenu;

// Flags of CWnd::m_nFlags.
constexpr UINT WF_CONTINUEMODAL = 0x0080;  // the modal loop goes on
constexpr UINT WF_MODALLOOP = 0x0100;      // a modal loop runs
// RunModalLoop flags.
constexpr DWORD MLF_SHOWONIDLE = 0x0002;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to `hwnd`; a temporary object when none is (it
    // lives until the window is destroyed). Null for a dead handle.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Attaches the object and routes the window's messages through its map.
    BOOL SubclassWindow(HWND hwnd);

    // --- the window ---
    BOOL DestroyWindow();
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCSTR text);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    void SetWindowText(LPCSTR text);
    void GetWindowText(CString& text) const;
    BOOL ShowWindow(int command);
    void UpdateWindow();
    void Invalidate(BOOL erase = TRUE);
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    CWnd* GetParent() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL IsIconic() const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    CMenu* GetSystemMenu(BOOL revert) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

    // --- message handling ---
    // Default processing of the message being handled now.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Runs a modal loop until EndModalLoop; returns its result.
    int RunModalLoop(DWORD flags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int result);

    // Handlers every window has.
    BOOL OnHelpInfo(HELPINFO* info);
    void OnPaint() { Default(); }
    void OnSysCommand(UINT nID, LPARAM lParam) { (void)nID; (void)lParam; Default(); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

    // Passes a message from the queue to the PreTranslateMessage of its
    // window and of each parent up to its top-level window.
    static BOOL WalkPreTranslateTree(MSG* msg);

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY).
    virtual void PostNcDestroy() {}
    void OnNcDestroy();

    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before it was attached
    UINT m_nFlags = 0;
    int m_nModalResult = 0;

    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// The window procedure of attached windows.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
