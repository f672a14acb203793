// CWinApp - the application object. Exactly one exists, made during static
// initialisation; the entry point (AfxWinMain) calls its InitInstance and,
// when that returns FALSE, destroys a main window left behind and runs the
// exit path without a message loop.
#pragma once

#include "platform/framework/CCmdTarget.h"

#include <cstdint>
#include <string>

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // A null name makes the application name the program file's name
    // without path and extension, unless the resources hold string 0xE000.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop of applications whose InitInstance returns TRUE.
    virtual int Run();

    // Classic controls already have the three-dimensional look here.
    BOOL Enable3dControlsStatic() { return TRUE; }
    HICON LoadIcon(UINT nID) const;

    // The help command: asks the help engine for the context of the window
    // in use, or for the prompt context while a message box of the class
    // library's own is up.
    void OnHelp();
    virtual void WinHelp(std::uintptr_t data, UINT command = HELP_CONTEXT);
    virtual int DoMessageBox(LPCSTR prompt, UINT type, UINT idPrompt);

    // Records the program file and command line and derives the names
    // (called by the entry point before InitInstance).
    void InitNames(const std::string& programPath, const std::string& commandLine);

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPCSTR m_lpCmdLine = "";
    LPCSTR m_pszAppName = "";
    LPCSTR m_pszExeName = "";
    LPCSTR m_pszHelpFilePath = "";
    DWORD m_dwPromptContext = 0;

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::string nameGiven_;
    bool hasNameGiven_ = false;
    std::string appName_;
    std::string exeName_;
    std::string helpFilePath_;
    std::string commandLine_;
};

// The help file of a program: the program file's full path with the
// extension of its name replaced by ".HLP" (or ".HLP" added when the name
// has none). A dot in a folder name is not an extension.
std::string AfxHelpFilePathFor(const std::string& programPath);
// The program file's name without its folder and extension.
std::string AfxExeNameFor(const std::string& programPath);
