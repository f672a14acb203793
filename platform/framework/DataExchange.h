// CDataExchange and DDX_Control - moving data between a dialog's controls
// and its members, in one direction or the other.
#pragma once

#include "platform/base/WinTypes.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls

    // Abandons the exchange; UpdateData then answers FALSE.
    [[noreturn]] void Fail();
};

// The first exchange attaches child control `nIDC` of the dialog to
// `control`; later exchanges do nothing. Fails when there is no such control.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
