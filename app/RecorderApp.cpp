#include "app/RecorderApp.h"

#include "recorder_window/RecorderDlg.h"

BEGIN_MESSAGE_MAP(CRecorderApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CRecorderApp::CRecorderApp() : CWinApp(nullptr) {}

// The one application object.
CRecorderApp theApp;

BOOL CRecorderApp::InitInstance() {
    Enable3dControlsStatic();
    CRecorderDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The window is gone (or never came to be), and the object goes out of
    // scope next: nothing may reach it through the main-window pointer.
    m_pMainWnd = nullptr;
    return FALSE;
}
