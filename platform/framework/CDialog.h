// CDialog - a dialog of the class library, made from a dialog template and
// run modally with DoModal. Its help identifier is its template identifier.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/framework/DataExchange.h"

#include <cstddef>

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog: loads its template (-1 at once when it cannot), takes
    // as owner the parent's window or else the main window, disables the
    // owner, creates the dialog hidden, runs the modal loop until EndDialog,
    // then hides the dialog, enables the owner again, hands the activation
    // back to it, destroys the dialog and returns the end code.
    virtual int DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    UINT m_nIDHelp;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Applies the template's initialisation list, then exchanges data once
    // towards the controls; a failure ends the dialog with -1.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Sends the initialisation list's entries to their controls in order;
    // FALSE when an entry is refused (-1) or the list is malformed.
    BOOL ExecuteDlgInit(UINT nIDTemplate);

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateDlgIndirect(const void* dialogTemplate, std::size_t size, HWND owner);
    // Centres the dialog after its initialisation when it qualifies.
    void CentreAfterInit(bool hiddenBefore, const RECT& before);

    bool m_templateAtOrigin = false;  // the template's x and y are 0
    DWORD m_templateStyle = 0;
};
