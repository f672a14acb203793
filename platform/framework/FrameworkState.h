// The class library's state for the running program: which objects are
// attached to which windows and menus, the temporary objects handed out
// for windows and menus that have none, and the message being handled.
#pragma once

#include "platform/windowing/Api.h"

#include <map>
#include <memory>

class CWnd;
class CMenu;
class CWinApp;

struct FrameworkState {
    std::map<HWND, CWnd*> permanentWindows;
    std::map<HWND, std::unique_ptr<CWnd>> temporaryWindows;
    std::map<HMENU, std::unique_ptr<CMenu>> temporaryMenus;
    MSG lastSent{};  // the message AfxWndProc is handling
};

FrameworkState& afxState();

// Forgets everything about `hwnd` (its window is being destroyed).
void afxForgetWindow(HWND hwnd);
// Drops every temporary object and attachment (the session ends).
void afxResetState();
