#include "platform/framework/CWinApp.h"

#include "platform/framework/Afx.h"
#include "platform/framework/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/windowing/ResourceModules.h"

namespace {
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName) {
        nameGiven_ = lpszAppName;
        hasNameGiven_ = true;
    }
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0)) {
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nID) const { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(static_cast<WORD>(nID))); }

std::string AfxExeNameFor(const std::string& programPath) {
    std::size_t slash = programPath.find_last_of('/');
    std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

std::string AfxHelpFilePathFor(const std::string& programPath) {
    std::size_t slash = programPath.find_last_of('/');
    std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = programPath.find_last_of('.');
    // Only a dot inside the file's own name, and not its first character,
    // starts an extension.
    if (dot != std::string::npos && dot > nameStart) return programPath.substr(0, dot) + ".HLP";
    return programPath + ".HLP";
}

void CWinApp::InitNames(const std::string& programPath, const std::string& commandLine) {
    m_hInstance = windowing::ResourceModules::programInstance();
    commandLine_ = commandLine;
    m_lpCmdLine = commandLine_.c_str();
    exeName_ = AfxExeNameFor(programPath);
    m_pszExeName = exeName_.c_str();
    helpFilePath_ = AfxHelpFilePathFor(programPath);
    m_pszHelpFilePath = helpFilePath_.c_str();
    if (hasNameGiven_) {
        appName_ = nameGiven_;
    } else {
        CString title;
        appName_ = title.LoadString(AFX_IDS_APP_TITLE) ? title.str() : exeName_;
    }
    m_pszAppName = appName_.c_str();
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetResourceHandle() { return windowing::ResourceModules::programInstance(); }
HINSTANCE AfxGetInstanceHandle() { return windowing::ResourceModules::programInstance(); }

LPCSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : ""; }
