#include "platform/framework/DataExchange.h"

#include "platform/framework/CWnd.h"
#include "platform/framework/DataExchangeFailure.h"

void CDataExchange::Fail() { throw DataExchangeFailure{}; }

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
    if (control.m_hWnd) return;
    HWND item = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (!item || !control.SubclassWindow(item)) pDX->Fail();
}
