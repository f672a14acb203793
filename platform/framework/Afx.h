// Global functions of the class library.
#pragma once

#include "platform/framework/CWinApp.h"

class CWnd;

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();
LPCSTR AfxGetAppName();

// A message box of the class library's own, captioned with the application
// name and owned by the window in use; `idHelp` (by default the prompt's
// string) becomes the prompt context while it is up.
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK, UINT idHelp = static_cast<UINT>(-1));
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT idHelp = 0);
