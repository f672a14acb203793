// The windowing layer's public face: the operations of the classic 32-bit
// windowing API that the class library and the program use, with the same
// names, arguments and effects. Every function that takes a handle checks
// it: a handle of a destroyed or never-existing window, menu, icon or device
// context is refused (the function fails as the API documents: FALSE, 0 or
// null) and never dereferenced.
//
// The functions act on the current window system (WindowSystem.h), which the
// program's entry point, or a test, creates and installs.
#pragma once

#include "platform/base/VirtualKeys.h"
#include "platform/base/WinTypes.h"
#include "platform/graphics/DrawConstants.h"
#include "platform/windowing/ControlMessages.h"
#include "platform/windowing/Messages.h"
#include "platform/windowing/Styles.h"
#include "platform/windowing/SystemCommands.h"
#include "platform/windowing/WindowConstants.h"

#include <cstddef>

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
struct HRSRC__;
using HRSRC = HRSRC__*;
struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;
struct HFONT__;
using HFONT = HFONT__*;

struct WNDCLASSA {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    int hbrBackground = -1;  // COLOR_* index + 1 to erase with, or 0 for none
    LPCSTR lpszClassName = nullptr;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint{};
};

// --- classes and windows (WindowApi.cpp) ---
BOOL RegisterClassA(const WNDCLASSA* wc);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetParent(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetAncestorTopLevel(HWND hwnd);  // the top-level window holding hwnd
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
LPARAM GetWindowLongPtrA(HWND hwnd, int index);
LPARAM SetWindowLongPtrA(HWND hwnd, int index, LPARAM value);
int GetClassNameA(HWND hwnd, LPSTR buffer, int size);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLengthA(HWND hwnd);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns whether it was disabled before
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);  // returns whether it was visible before
BOOL IsIconic(HWND hwnd);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);  // client coordinates: left and top are 0
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
HWND WindowFromPoint(POINT screenPoint);
HWND GetLastActivePopup(HWND hwnd);

// --- messages (MessageApi.cpp) ---
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
DWORD GetMessageTime();
DWORD GetTickCount();
short GetKeyState(int virtualKey);  // negative while the key is down

// --- focus, activation, capture (Focus.cpp) ---
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// --- painting (Painting.cpp) ---
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, void* region, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hwnd);         // client area
HDC GetWindowDC(HWND hwnd);   // whole window
int ReleaseDC(HWND hwnd, HDC dc);
COLORREF GetSysColor(int index);
int FillRect(HDC dc, const RECT* rect, int colorIndex);  // fills with a system colour
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

// --- dialogs (Dialog*.cpp) ---
// Creates a modeless dialog from a dialog template of `size` bytes (classic
// or extended); the size bounds every read of the template.
HWND CreateDialogIndirectParamA(HINSTANCE instance, const void* dialogTemplate, std::size_t size, HWND owner,
                                DLGPROC dialogProc, LPARAM initParam);
LRESULT DefDlgProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageA(HWND dialog, MSG* msg);
BOOL EndDialog(HWND dialog, LPARAM result);  // for dialogs run by DialogBoxIndirectParamA
LPARAM DialogBoxIndirectParamA(HINSTANCE instance, const void* dialogTemplate, std::size_t size, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, RECT* rect);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);

// --- menus (Menu.cpp, MenuTracking.cpp) ---
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
BOOL AppendMenuA(HMENU menu, UINT flags, std::uintptr_t idOrPopup, LPCSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);  // 0xFFFFFFFF when there is no such item
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);

// --- icons, cursors, metrics, monitors (Icons.cpp, Metrics.cpp, Monitors.cpp) ---
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
int GetSystemMetrics(int index);
BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);

// --- message boxes (MessageBox.cpp) ---
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// --- resources and the process (ResourceApi.cpp) ---
HMODULE GetModuleHandleA(LPCSTR name);  // null name: the program
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);

// --- the thread (Sleep.cpp) and help (Help.cpp) ---
void Sleep(DWORD milliseconds);
BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, std::uintptr_t data);
