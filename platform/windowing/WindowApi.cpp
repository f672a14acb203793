// Window classes, creation and destruction, relations, fields, text,
// enabling, showing and placing.
#include "platform/windowing/Api.h"

#include "platform/graphics/Bitmap.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

#include <algorithm>
#include <cstring>

using namespace windowing;

namespace {

display::SurfaceId createSurfaceFor(Window& w) {
    display::SurfaceSpec request;
    request.rect = w.rect;
    request.title = w.text;
    Window* owner = live(w.owner);
    bool popupMenu = w.windowClass && w.windowClass->name == "#32768";
    if (popupMenu)
        request.kind = display::SurfaceKind::PopupMenu;
    else if (owner)
        request.kind = display::SurfaceKind::Dialog;
    else
        request.kind = display::SurfaceKind::TopLevel;
    request.owner = owner ? owner->surface : 0;
    // An owned window or a tool window has no task-bar entry of its own;
    // WS_EX_APPWINDOW asks for one.
    request.taskbarEntry = (w.exStyle & WS_EX_APPWINDOW) || (!owner && !popupMenu && !(w.exStyle & WS_EX_TOOLWINDOW));
    return ws().backend().createSurface(request);
}

void copyText(const std::string& text, LPSTR buffer, int size, int* copied) {
    *copied = 0;
    if (!buffer || size <= 0) return;
    int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    *copied = n;
}

void destroyRecursive(HWND hwnd);

void sendDestroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    Window* w = live(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (Window* c = live(child)) c->destroying = true;
        sendDestroy(child);
    }
}

void destroyRecursive(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) destroyRecursive(child);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    w = live(hwnd);
    if (!w) return;
    forgetWindow(hwnd, true);
    if (Window* parent = live(w->parent)) {
        auto& list = parent->children;
        list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
    }
    if (w->systemMenu) DestroyMenu(w->systemMenu);
    for (HDC dc : ws().dcs.handles<HDC>())
        if (ws().dcs.get(dc)->hwnd == hwnd) ws().dcs.remove(dc);
    if (w->surface) ws().backend().destroySurface(w->surface);
    if (ws().destroyHook) ws().destroyHook(hwnd);
    ws().posted.erase(std::remove_if(ws().posted.begin(), ws().posted.end(),
                                     [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                      ws().posted.end());
    ws().input.erase(std::remove_if(ws().input.begin(), ws().input.end(),
                                    [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                     ws().input.end());
    ws().removeWindow(hwnd);
}

}  // namespace

BOOL RegisterClassA(const WNDCLASSA* wc) {
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return FALSE;
    WindowClass c;
    c.name = wc->lpszClassName;
    c.proc = wc->lpfnWndProc;
    c.style = wc->style;
    c.instance = wc->hInstance;
    c.background = wc->hbrBackground < 0 ? 0 : wc->hbrBackground;
    return ws().registerClass(c) ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, void* param) {
    if (!className) return nullptr;
    const WindowClass* windowClass = ws().findClass(className);
    if (!windowClass) return nullptr;
    if ((style & WS_CHILD) && !live(parent)) return nullptr;
    if (parent && !live(parent)) return nullptr;

    auto window = std::make_unique<Window>();
    Window& w = *window;
    w.windowClass = windowClass;
    w.proc = windowClass->proc;
    bool showAfter = (style & WS_VISIBLE) != 0;
    w.style = style & ~WS_VISIBLE;
    w.exStyle = exStyle;
    w.text = windowName ? windowName : "";
    w.instance = instance;
    w.rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    if (style & WS_CHILD) {
        w.parent = parent;
        w.id = static_cast<int>(reinterpret_cast<std::intptr_t>(menuOrId));
    } else if (parent) {
        // A top-level window is owned by the top-level window of the one given.
        w.owner = topLevelOf(live(parent))->handle;
    }
    if (!(style & WS_CHILD)) {
        w.bitmap = std::make_unique<graphics::Bitmap>(std::max(width, 1), std::max(height, 1));
        w.surface = createSurfaceFor(w);
        if (!w.surface) return nullptr;
    }
    HWND hwnd = ws().addWindow(std::move(window));
    if (Window* p = live(parent); p && (style & WS_CHILD)) p->children.push_back(hwnd);

    if (CreationHook hook = ws().takeCreationHook()) hook(hwnd);

    CREATESTRUCTA cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || !live(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !live(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (showAfter) ShowWindow(hwnd, SW_SHOW);
    return live(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w || w->destroying) return FALSE;
    // Windows owned by this one go first.
    if (!w->isChild()) {
        for (HWND other : ws().topLevelWindows()) {
            Window* o = live(other);
            if (o && o->owner == hwnd) DestroyWindow(other);
        }
    }
    w = live(hwnd);
    if (!w) return TRUE;
    w->destroying = true;
    if (w->visible()) {
        if (w->isChild()) {
            w->style &= ~WS_VISIBLE;
            if (Window* parent = live(w->parent)) {
                RECT r = w->rect;
                invalidateClient(*parent, &r, true);
            }
        } else {
            ShowWindow(hwnd, SW_HIDE);
        }
    }
    forgetWindow(hwnd, true);
    sendDestroy(hwnd);
    destroyRecursive(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return live(hwnd) ? TRUE : FALSE; }

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* w = live(hwnd);
    if (!live(parent)) return FALSE;
    while (w && w->isChild()) {
        if (w->parent == parent) return TRUE;
        w = live(w->parent);
    }
    return FALSE;
}

HWND GetParent(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w) return nullptr;
    return w->isChild() ? w->parent : w->owner;
}

HWND GetAncestorTopLevel(HWND hwnd) {
    Window* top = topLevelOf(live(hwnd));
    return top ? top->handle : nullptr;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    Window* w = live(hwnd);
    if (!w) return nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (relation == GW_OWNER) return w->isChild() ? nullptr : w->owner;
    std::vector<HWND> siblings;
    if (w->isChild()) {
        Window* parent = live(w->parent);
        if (!parent) return nullptr;
        siblings = parent->children;
    } else {
        siblings = ws().topLevelWindows();
    }
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    if (it == siblings.end()) return nullptr;
    switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == siblings.begin() ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetDlgItem(HWND dialog, int id) {
    Window* d = live(dialog);
    if (!d) return nullptr;
    for (HWND child : d->children) {
        Window* c = live(child);
        if (c && c->id == id) return child;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = live(hwnd);
    return w && w->isChild() ? w->id : 0;
}

LPARAM GetWindowLongPtrA(HWND hwnd, int index) {
    Window* w = live(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LPARAM>(w->style);
    case GWL_EXSTYLE: return static_cast<LPARAM>(w->exStyle);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWLP_WNDPROC: return reinterpret_cast<LPARAM>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LPARAM>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LPARAM>(w->isChild() ? w->parent : w->owner);
    default: return 0;
    }
}

LPARAM SetWindowLongPtrA(HWND hwnd, int index, LPARAM value) {
    Window* w = live(hwnd);
    if (!w) return 0;
    LPARAM old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
    case GWL_STYLE: {
        // WS_VISIBLE and WS_DISABLED change only through ShowWindow and EnableWindow.
        DWORD keep = WS_VISIBLE | WS_DISABLED;
        w->style = (static_cast<DWORD>(value) & ~keep) | (w->style & keep);
        break;
    }
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWLP_ID: w->id = static_cast<int>(value); break;
    case GWLP_USERDATA: w->userData = value; break;
    case GWLP_WNDPROC:
        if (value) w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    default: return 0;
    }
    return old;
}

LONG GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, index)); }
LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, index == GWL_STYLE || index == GWL_EXSTYLE
                                                                ? static_cast<LPARAM>(static_cast<DWORD>(value))
                                                                : value));
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
    Window* w = live(hwnd);
    int copied = 0;
    // A refused handle leaves an empty text, never the buffer's old bytes.
    copyText(w ? w->windowClass->name : std::string(), buffer, size, &copied);
    return copied;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!live(hwnd)) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    // A refused handle leaves an empty text, never the buffer's old bytes.
    buffer[0] = '\0';
    if (!live(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
    if (!live(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, buffer, size));
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = live(hwnd);
    if (!w) return FALSE;
    bool wasDisabled = !w->enabled();
    if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
    if (!enable) {
        SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
        if (!live(hwnd)) return FALSE;
        if (ws().capture == hwnd) ReleaseCapture();
        if (ws().focus == hwnd) SetFocus(nullptr);
        w = live(hwnd);
        if (!w) return FALSE;
        w->style |= WS_DISABLED;
    } else {
        w->style &= ~WS_DISABLED;
    }
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    if (enable) dialogControlEnabled(hwnd);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = live(hwnd);
    return w && w->enabled() ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = live(hwnd);
    return w && reallyVisible(*w) ? TRUE : FALSE;
}

namespace {
// Shows or hides; a hidden window passes the activation on unless asked not
// to (SWP_NOACTIVATE), and a shown top-level window is activated unless asked
// not to.
BOOL setVisible(HWND hwnd, bool show, bool activateIt) {
    Window* w = live(hwnd);
    if (!w) return FALSE;
    bool wasVisible = w->visible();
    if (show == wasVisible) {
        if (show && !w->isChild() && activateIt) activate(hwnd, WA_ACTIVE, true);
        return wasVisible ? TRUE : FALSE;
    }
    SendMessageA(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    w = live(hwnd);
    if (!w) return FALSE;
    if (show) {
        w->style |= WS_VISIBLE;
        if (w->isChild()) {
            invalidateClient(*w, nullptr, true);
        } else {
            w->pendingShow = true;
            invalidateFrame(*w);
            invalidateClient(*w, nullptr, true);
            ws().raiseTopLevel(hwnd);
            if (activateIt) activate(hwnd, WA_ACTIVE, true);
        }
    } else {
        forgetWindow(hwnd, false, activateIt);
        w = live(hwnd);
        if (!w) return FALSE;
        w->style &= ~WS_VISIBLE;
        if (w->isChild()) {
            if (Window* parent = live(w->parent)) {
                RECT r = w->rect;
                invalidateClient(*parent, &r, true);
            }
        } else {
            w->pendingShow = false;
            ws().backend().hideSurface(w->surface);
        }
    }
    return wasVisible ? TRUE : FALSE;
}
}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = live(hwnd);
    if (!w) return FALSE;
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) w->minimized = true;
    if (command == SW_RESTORE || command == SW_SHOWNORMAL) w->minimized = false;
    bool activateIt = command != SW_SHOWNA && command != SW_MINIMIZE;
    return setVisible(hwnd, command != SW_HIDE, activateIt);
}

BOOL IsIconic(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w || w->isChild()) return FALSE;
    return w->minimized || (w->surface && ws().backend().isMinimized(w->surface)) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    (void)insertAfter;
    Window* w = live(hwnd);
    if (!w) return FALSE;
    RECT old = w->rect;
    RECT now = old;
    if (!(flags & SWP_NOMOVE)) now = rectOffset(now, x - now.left, y - now.top);
    if (!(flags & SWP_NOSIZE)) {
        now.right = now.left + std::max(cx, 0);
        now.bottom = now.top + std::max(cy, 0);
    }
    if (now != old) {
        w->rect = now;
        bool resized = rectWidth(now) != rectWidth(old) || rectHeight(now) != rectHeight(old);
        if (w->isChild()) {
            if (Window* parent = live(w->parent)) {
                invalidateClient(*parent, &old, true);
                invalidateClient(*parent, &now, true);
            }
        } else {
            if (resized) {
                resizeBitmap(*w);
                invalidateFrame(*w);
                invalidateClient(*w, nullptr, true);
                ws().backend().resizeSurface(w->surface, w->bitmap->width(), w->bitmap->height());
            }
            ws().backend().moveSurface(w->surface, {now.left, now.top});
        }
        if (resized) SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(rectWidth(now)), static_cast<WORD>(rectHeight(now))));
        if (now.left != old.left || now.top != old.top) SendMessageA(hwnd, WM_MOVE, 0, MAKEPOINTLPARAM(now.left, now.top));
    }
    if (!live(hwnd)) return FALSE;
    if (flags & SWP_SHOWWINDOW) setVisible(hwnd, true, !(flags & SWP_NOACTIVATE));
    if (flags & SWP_HIDEWINDOW) setVisible(hwnd, false, !(flags & SWP_NOACTIVATE));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    (void)repaint;
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    Window* w = live(hwnd);
    if (!w || !rect) return FALSE;
    *rect = screenRect(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    Window* w = live(hwnd);
    if (!w || !rect) return FALSE;
    RECT client = clientScreenRect(*w);
    *rect = {0, 0, std::max(0, rectWidth(client)), std::max(0, rectHeight(client))};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    Window* w = live(hwnd);
    if (!w || !point) return FALSE;
    RECT client = clientScreenRect(*w);
    point->x += client.left;
    point->y += client.top;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    Window* w = live(hwnd);
    if (!w || !point) return FALSE;
    RECT client = clientScreenRect(*w);
    point->x -= client.left;
    point->y -= client.top;
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
    (void)menu;
    if (!rect) return FALSE;
    RECT in = nonClientInsets(style, exStyle);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

namespace {
HWND childFromPoint(HWND parentHwnd, POINT screen) {
    Window* parent = live(parentHwnd);
    if (!parent) return nullptr;
    for (HWND child : parent->children) {
        Window* c = live(child);
        if (!c || !c->visible()) continue;
        if (!rectContains(screenRect(*c), screen)) continue;
        // A disabled control takes no mouse input: its parent gets it.
        if (!c->enabled()) return parentHwnd;
        if (SendMessageA(child, WM_NCHITTEST, 0, MAKEPOINTLPARAM(screen.x, screen.y)) == HTTRANSPARENT) continue;
        HWND deeper = childFromPoint(child, screen);
        return deeper ? deeper : child;
    }
    return nullptr;
}
}  // namespace

HWND WindowFromPoint(POINT screen) {
    for (HWND top : ws().topLevelWindows()) {
        Window* t = live(top);
        if (!t || !t->visible() || !rectContains(t->rect, screen)) continue;
        if (rectContains(clientScreenRect(*t), screen)) {
            if (HWND child = childFromPoint(top, screen)) return child;
        }
        return top;
    }
    return nullptr;
}

HWND GetLastActivePopup(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w) return nullptr;
    Window* popup = live(w->lastActivePopup);
    if (popup && popup->visible() && !popup->destroying) return popup->handle;
    return hwnd;
}
