// Default processing of window messages: text, painting and erasing, the
// non-client area and its mouse input, system keys and system commands,
// help requests, icons, activation.
#include "platform/windowing/Api.h"

#include "platform/graphics/SystemColors.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

#include <algorithm>
#include <cstring>

using namespace windowing;

namespace {

LRESULT setText(HWND hwnd, LPCSTR text) {
    Window* w = live(hwnd);
    if (!w) return FALSE;
    w->text = text ? text : "";
    if (!w->isChild()) {
        ws().backend().setTitle(w->surface, w->text);
        invalidateFrame(*w);
    }
    return TRUE;
}

LRESULT getText(HWND hwnd, WPARAM size, LPSTR buffer) {
    Window* w = live(hwnd);
    if (!w || !buffer || size == 0) return 0;
    std::size_t n = std::min<std::size_t>(w->text.size(), size - 1);
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT eraseBackground(HWND hwnd, HDC dc) {
    Window* w = live(hwnd);
    if (!w || !w->windowClass || w->windowClass->background == 0) return 0;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, w->windowClass->background - 1);
    return 1;
}

void sendHelp(HWND hwnd) {
    HELPINFO info;
    HWND focus = GetFocus();
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = focus ? focus : hwnd;
    info.iCtrlId = GetDlgCtrlID(info.hItemHandle);
    info.MousePos = ws().cursorPos;
    SendMessageA(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

HWND topLevel(HWND hwnd) { return GetAncestorTopLevel(hwnd); }

LRESULT systemCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Window* w = live(hwnd);
    if (!w) return 0;
    UINT command = static_cast<UINT>(wParam) & 0xFFF0;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (command) {
    case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MOVE: runMoveLoop(hwnd, (wParam & 0x000F) == HTCAPTION, point); break;
    case SC_KEYMENU:
        // Alt+Space opens the window's system menu; there is no menu bar.
        if (lParam == ' ' && (w->style & WS_SYSMENU)) openSystemMenu(hwnd, systemMenuAnchor(*w), true);
        break;
    case SC_MOUSEMENU:
        if (w->style & WS_SYSMENU) openSystemMenu(hwnd, systemMenuAnchor(*w), false);
        break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    default: break;
    }
    return 0;
}

LRESULT nonClientButtonDown(HWND hwnd, WPARAM area, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (area) {
    case HTCAPTION:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        break;
    case HTSYSMENU:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU, lParam);
        break;
    case HTCLOSE:
        if (trackCloseButton(hwnd)) SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, MAKEPOINTLPARAM(point.x, point.y));
        break;
    default: break;
    }
    return 0;
}

LRESULT setIcon(HWND hwnd, WPARAM kind, HICON icon) {
    Window* w = live(hwnd);
    if (!w) return 0;
    if (icon && !ws().icons.get(icon)) icon = nullptr;
    HICON& slot = kind == ICON_BIG ? w->bigIcon : w->smallIcon;
    HICON old = slot;
    slot = icon;
    if (!w->isChild()) {
        updateSurfaceIcons(*w);
        invalidateFrame(*w);
    }
    return reinterpret_cast<LRESULT>(old);
}

}  // namespace

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = live(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT: return setText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return getText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCPAINT: paintNonClient(hwnd); return 0;
    case WM_ERASEBKGND: return eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_ICONERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, COLOR_BACKGROUND);
        return 1;
    }
    case WM_NCHITTEST: return nonClientHitTest(*w, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCLBUTTONDOWN: return nonClientButtonDown(hwnd, wParam, lParam);
    case WM_NCRBUTTONUP:
        if (wParam == HTCAPTION || wParam == HTSYSMENU)
            SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKEPOINTLPARAM(p.x, p.y));
        return 0;
    }
    case WM_CONTEXTMENU: {
        if (w->isChild()) return SendMessageA(w->parent, WM_CONTEXTMENU, wParam, lParam);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        LRESULT area = nonClientHitTest(*w, p);
        if ((area == HTCAPTION || area == HTSYSMENU) && (w->style & WS_SYSMENU)) openSystemMenu(hwnd, p, false);
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (GetKeyState(VK_MENU) < 0) {
            if (wParam == VK_F4) {
                PostMessageA(topLevel(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
                return 0;
            }
            if (wParam == VK_SPACE) {
                SendMessageA(topLevel(hwnd), WM_SYSCOMMAND, SC_KEYMENU, ' ');
                return 0;
            }
        }
        if (wParam == VK_F1) sendHelp(hwnd);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F1) sendHelp(hwnd);
        return 0;
    case WM_HELP:
        // Passed up to the parent of a child, or the owner of a top-level window.
        if (w->isChild()) return SendMessageA(w->parent, WM_HELP, wParam, lParam);
        if (w->owner) return SendMessageA(w->owner, WM_HELP, wParam, lParam);
        return TRUE;
    case WM_SYSCOMMAND: return systemCommand(hwnd, wParam, lParam);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SETICON: return setIcon(hwnd, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    case WM_QUERYDRAGICON: return 0;
    case WM_SETFONT: {
        FontObject* font = ws().fonts.get(reinterpret_cast<HFONT>(wParam));
        w->fontHandle = font ? reinterpret_cast<HFONT>(wParam) : nullptr;
        w->font = font ? font->font : nullptr;
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->fontHandle);
    case WM_MOUSEACTIVATE:
        if (w->isChild()) return SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
        return 0;
    case WM_NCACTIVATE:
        if (!w->isChild() && w->captionActive != (wParam != FALSE)) {
            w->captionActive = wParam != FALSE;
            invalidateFrame(*w);
        }
        return TRUE;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    default: return 0;
    }
}
