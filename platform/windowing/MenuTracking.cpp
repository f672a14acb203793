// Showing a popup menu and letting the user choose from it: the menu window
// (class "#32768") and the loop that follows the mouse and the keyboard
// while it is open. Arrow keys move the highlight, Enter chooses, a
// mnemonic letter chooses its item, Escape, Alt, a click outside the menu or
// the program losing the focus close it.
#include "platform/windowing/Api.h"

#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/MenuTracking.h"
#include "platform/windowing/Objects.h"
#include "platform/windowing/TrackingLoop.h"

#include <algorithm>
#include <cctype>

using namespace windowing;

namespace {

constexpr const char* kMenuClassName = "#32768";

struct MenuWindowData : WindowExtra {
    std::vector<graphics::look::MenuItemView> views;
    std::vector<std::uintptr_t> ids;
    graphics::look::MenuLayout layout;
    int highlighted = -1;
};

LRESULT menuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        auto* data = extraOf<MenuWindowData>(hwnd);
        if (DeviceContext* dc = ws().dcs.get(hdc); dc && data)
            graphics::look::paintPopupMenu(*dc->canvas, graphics::menuFont(), data->layout, data->views, data->highlighted);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class MenuSession {
public:
    // `pointer` is where the mouse was when the menu opened; `buttonHeld`
    // says a mouse button was down then (the menu opened on its press).
    MenuSession(HWND popup, MenuWindowData& data, POINT pointer, bool buttonHeld)
        : popup_(popup), data_(data), openedAt_(pointer), armed_(!buttonHeld) {}

    // Returns false when the menu closes.
    bool handle(const display::Event& e) {
        using T = display::EventType;
        switch (e.type) {
        case T::KeyDown: return key(e);
        case T::KeyUp: return true;
        case T::MouseMove: {
            if (e.point.x != openedAt_.x || e.point.y != openedAt_.y) armed_ = true;
            int item = itemAt(e.point);
            if (item >= 0) setHighlight(item);
            return true;
        }
        case T::ButtonDown:
            armed_ = true;
            // A click outside the menu closes it.
            return itemAt(e.point) >= 0 || insidePopup(e.point);
        case T::ButtonUp: {
            // The release of the press that opened the menu chooses nothing,
            // even when the menu opened under the pointer, unless the pointer
            // was dragged first.
            if (!armed_) return true;
            int item = itemAt(e.point);
            if (item < 0) return true;
            return !choose(item);
        }
        case T::FocusLost: return false;
        case T::CloseRequested:
            passEventOn(e);
            return false;
        default: passEventOn(e); return true;
        }
    }

    std::uintptr_t chosen() const { return chosen_; }

    void setHighlight(int item) {
        if (item == data_.highlighted) return;
        data_.highlighted = item;
        InvalidateRect(popup_, nullptr, FALSE);
    }

    int firstSelectable() const { return step(-1, +1); }

private:
    bool key(const display::Event& e) {
        switch (e.vk) {
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10: return false;
        case VK_UP: setHighlight(step(data_.highlighted, -1)); return true;
        case VK_DOWN: setHighlight(step(data_.highlighted, +1)); return true;
        case VK_RETURN:
            if (data_.highlighted >= 0) return !choose(data_.highlighted);
            return false;
        default: break;
        }
        char c = 0;
        if ((e.vk >= 'A' && e.vk <= 'Z') || (e.vk >= '0' && e.vk <= '9'))
            c = static_cast<char>(std::tolower(static_cast<int>(e.vk)));
        if (!c) return true;
        std::vector<int> matches;
        for (std::size_t i = 0; i < data_.views.size(); ++i)
            if (!data_.views[i].separator && mnemonicOf(data_.views[i].text) == c) matches.push_back(static_cast<int>(i));
        if (matches.size() == 1) return !choose(matches.front());
        if (!matches.empty()) {
            // Several items share the letter: move the highlight among them.
            auto next = std::upper_bound(matches.begin(), matches.end(), data_.highlighted);
            setHighlight(next == matches.end() ? matches.front() : *next);
        }
        return true;
    }

    // The next item from `from` in `direction` that is not a separator, wrapping.
    int step(int from, int direction) const {
        int n = static_cast<int>(data_.views.size());
        int start = from >= 0 ? from : (direction > 0 ? -1 : n);
        for (int i = 1; i <= n; ++i) {
            int candidate = ((start + direction * i) % n + n) % n;
            if (!data_.views[static_cast<std::size_t>(candidate)].separator) return candidate;
        }
        return -1;
    }

    // Chooses an item; returns whether the menu closes (a disabled item keeps it open).
    bool choose(int item) {
        const auto& view = data_.views[static_cast<std::size_t>(item)];
        if (view.separator || view.disabled) return false;
        chosen_ = data_.ids[static_cast<std::size_t>(item)];
        return true;
    }

    bool insidePopup(POINT screen) const {
        RECT r;
        return GetWindowRect(popup_, &r) && rectContains(r, screen);
    }

    int itemAt(POINT screen) const {
        RECT r;
        if (!GetWindowRect(popup_, &r)) return -1;
        POINT p{screen.x - r.left, screen.y - r.top};
        for (std::size_t i = 0; i < data_.layout.itemRects.size(); ++i)
            if (!data_.views[i].separator && rectContains(data_.layout.itemRects[i], p)) return static_cast<int>(i);
        return -1;
    }

    HWND popup_;
    MenuWindowData& data_;
    POINT openedAt_;
    bool armed_;  // a button release may choose
    std::uintptr_t chosen_ = 0;
};

// Places a popup of `size` at `at`, inside the work area of the monitor there.
POINT placePopup(POINT at, SIZE size) {
    RECT probe{at.x, at.y, at.x + 1, at.y + 1};
    MONITORINFO info;
    GetMonitorInfoA(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &info);
    RECT work = info.rcWork;
    POINT p = at;
    if (p.x + size.cx > work.right) p.x = work.right - size.cx;
    if (p.x < work.left) p.x = work.left;
    if (p.y + size.cy > work.bottom) p.y = at.y - size.cy >= work.top ? at.y - size.cy : work.bottom - size.cy;
    if (p.y < work.top) p.y = work.top;
    return p;
}

}  // namespace

namespace windowing {

void registerMenuClass(WindowSystem& system) {
    WindowClass c;
    c.name = kMenuClassName;
    c.proc = menuWindowProc;
    c.background = 0;
    system.registerClass(c);
}

std::uintptr_t trackMenu(HMENU menu, HWND owner, POINT at, bool fromKeyboard) {
    Menu* m = ws().menus.get(menu);
    if (!m || m->items.empty()) return 0;
    owner = GetAncestorTopLevel(owner);
    if (!owner) return 0;
    SendMessageA(owner, WM_ENTERMENULOOP, 0, 0);
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    m = ws().menus.get(menu);
    if (!m || !live(owner)) return 0;

    auto data = std::make_unique<MenuWindowData>();
    for (const MenuItem& item : m->items) {
        graphics::look::MenuItemView view;
        view.text = item.text;
        view.separator = (item.flags & MF_SEPARATOR) != 0;
        view.disabled = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
        data->views.push_back(view);
        data->ids.push_back(item.id);
    }
    data->layout = graphics::look::layoutPopupMenu(graphics::menuFont(), data->views);
    POINT place = placePopup(at, data->layout.size);
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, kMenuClassName, "", WS_POPUP, place.x, place.y,
                                 data->layout.size.cx, data->layout.size.cy, owner, nullptr, nullptr, nullptr);
    if (!popup) return 0;
    MenuWindowData& state = *data;
    live(popup)->extra = std::move(data);
    bool buttonHeld = GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
    MenuSession session(popup, state, ws().cursorPos, buttonHeld);
    if (fromKeyboard) state.highlighted = session.firstSelectable();
    ShowWindow(popup, SW_SHOWNA);
    runTrackingLoop([&](const display::Event& e) { return live(popup) && live(owner) && session.handle(e); });
    std::uintptr_t chosen = session.chosen();
    DestroyWindow(popup);
    if (live(owner)) SendMessageA(owner, WM_EXITMENULOOP, 0, 0);
    return chosen;
}

}  // namespace windowing

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored) {
    (void)reserved;
    (void)ignored;
    if (!ws().menus.get(menu) || !live(owner)) return FALSE;
    std::uintptr_t chosen = trackMenu(menu, owner, {x, y}, false);
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && !(flags & TPM_NONOTIFY)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return chosen ? TRUE : FALSE;
}
