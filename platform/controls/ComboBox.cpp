// The "ComboBox" class, drop-down kind: an edit field showing the selected
// entry (or typed text) and a button that opens the list. The list keeps
// its entries sorted when the box has CBS_SORT. The window is as tall as the
// closed box; the height it was created with is the height with the list
// open. The open list (class "ComboLBox") is tracked like a menu: the mouse
// or the arrow keys and Enter choose, Escape or a click elsewhere close it.
#include "platform/controls/ControlClasses.h"

#include "platform/graphics/ControlLook.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/ControlSupport.h"
#include "platform/windowing/TrackingLoop.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <string>
#include <vector>

using namespace windowing;

namespace controls {

namespace {

constexpr const char* kListClassName = "ComboLBox";

struct ComboData : WindowExtra {
    std::vector<std::string> items;
    int selected = -1;
    int droppedHeight = 0;  // the whole box's height with the list open
    bool dropped = false;
    bool focused = false;
};

struct ListData : WindowExtra {
    HWND combo = nullptr;
    int highlighted = -1;
    int itemHeight = 0;
};

ComboData* data(HWND hwnd) { return extraOf<ComboData>(hwnd); }

int closedHeight(HWND hwnd) { return fontOf(hwnd).height() + 8; }

LRESULT select(HWND hwnd, int index) {
    ComboData* d = data(hwnd);
    if (!d) return CB_ERR;
    bool valid = index >= 0 && index < static_cast<int>(d->items.size());
    d->selected = valid ? index : -1;
    // The edit field shows the entry; DefWindowProc keeps the text.
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(valid ? d->items[static_cast<std::size_t>(index)].c_str() : ""));
    repaintNow(hwnd);
    return valid ? index : CB_ERR;
}

LRESULT insert(HWND hwnd, int index, LPCSTR text, bool sorted) {
    ComboData* d = data(hwnd);
    if (!d || !text) return CB_ERR;
    int count = static_cast<int>(d->items.size());
    if (sorted) {
        // After the last entry that does not sort after the new one.
        auto it = std::upper_bound(d->items.begin(), d->items.end(), std::string(text),
                                   [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
        index = static_cast<int>(it - d->items.begin());
    } else if (index < 0 || index > count) {
        if (index != -1) return CB_ERR;
        index = count;
    }
    d->items.insert(d->items.begin() + index, text);
    if (d->selected >= index) ++d->selected;
    return index;
}

LRESULT find(HWND hwnd, int start, LPCSTR text, bool exact) {
    ComboData* d = data(hwnd);
    if (!d || !text) return CB_ERR;
    int count = static_cast<int>(d->items.size());
    std::size_t length = std::strlen(text);
    for (int step = 1; step <= count; ++step) {
        int i = ((start < 0 ? -1 : start) + step) % count;
        const std::string& item = d->items[static_cast<std::size_t>(i)];
        bool match = exact ? strcasecmp(item.c_str(), text) == 0 : strncasecmp(item.c_str(), text, length) == 0;
        if (match) return i;
    }
    return CB_ERR;
}

void paint(HWND hwnd) {
    ComboData* d = data(hwnd);
    if (!d) return;
    paintControl(hwnd, [&](graphics::Canvas& canvas, HDC, const RECT& rect, const Window& w) {
        graphics::look::ControlState state;
        state.disabled = !w.enabled();
        state.focused = d->focused;
        state.pushed = d->dropped;
        graphics::look::paintComboBox(canvas, fontOf(hwnd), rect, w.text, state);
    });
}

LRESULT listProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        ListData* list = extraOf<ListData>(hwnd);
        ComboData* d = list ? data(list->combo) : nullptr;
        paintControl(hwnd, [&](graphics::Canvas& canvas, HDC, const RECT& rect, const Window&) {
            if (!d) return;
            canvas.frameRect(rect, GetSysColor(COLOR_WINDOWFRAME));
            graphics::look::paintListItems(canvas, fontOf(list->combo), rectInflate(rect, -1, -1), d->items, 0,
                                           list->highlighted, list->itemHeight);
        });
        return 0;
    }
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Opens the list under the box and tracks it until a choice or a close.
void dropDown(HWND hwnd) {
    ComboData* d = data(hwnd);
    if (!d || d->dropped || d->items.empty()) return;
    notifyParent(hwnd, CBN_DROPDOWN);
    if (!(d = data(hwnd))) return;
    RECT box;
    GetWindowRect(hwnd, &box);
    int itemHeight = fontOf(hwnd).height() + 2;
    int visible = std::max(1, (d->droppedHeight - rectHeight(box) - 2) / itemHeight);
    visible = std::min(visible, static_cast<int>(d->items.size()));
    int height = visible * itemHeight + 2;
    HWND list = CreateWindowExA(WS_EX_TOOLWINDOW, kListClassName, "", WS_POPUP, box.left, box.bottom, rectWidth(box),
                                height, hwnd, nullptr, nullptr, nullptr);
    if (!list) return;
    ListData* ld = attachExtra<ListData>(list);
    ld->combo = hwnd;
    ld->itemHeight = itemHeight;
    ld->highlighted = d->selected;
    d->dropped = true;
    repaintNow(hwnd);
    ShowWindow(list, SW_SHOWNA);

    int chosen = -1;
    auto itemAt = [&](POINT screen) {
        RECT r;
        if (!GetWindowRect(list, &r) || !rectContains(r, screen)) return -1;
        int i = (screen.y - r.top - 1) / itemHeight;
        return i >= 0 && i < visible ? i : -1;
    };
    auto highlight = [&](int i) {
        if (ListData* l = extraOf<ListData>(list); l && l->highlighted != i) {
            l->highlighted = i;
            InvalidateRect(list, nullptr, FALSE);
        }
    };
    runTrackingLoop([&](const display::Event& e) {
        ListData* l = extraOf<ListData>(list);
        if (!l || !live(hwnd)) return false;
        using T = display::EventType;
        switch (e.type) {
        case T::MouseMove: {
            int i = itemAt(e.point);
            if (i >= 0) highlight(i);
            return true;
        }
        case T::ButtonDown: {
            RECT r;
            GetWindowRect(hwnd, &r);
            return itemAt(e.point) >= 0;
        }
        case T::ButtonUp: {
            int i = itemAt(e.point);
            if (i < 0) return true;
            chosen = i;
            return false;
        }
        case T::KeyDown:
            if (e.vk == VK_ESCAPE || e.vk == VK_MENU) return false;
            if (e.vk == VK_RETURN) {
                chosen = l->highlighted;
                return false;
            }
            if (e.vk == VK_DOWN) highlight(std::min(l->highlighted + 1, visible - 1));
            if (e.vk == VK_UP) highlight(std::max(l->highlighted - 1, 0));
            return true;
        case T::KeyUp: return true;
        case T::FocusLost: return false;
        default: passEventOn(e); return true;
        }
    });
    DestroyWindow(list);
    if (!(d = data(hwnd))) return;
    d->dropped = false;
    repaintNow(hwnd);
    if (chosen >= 0 && chosen != d->selected) {
        select(hwnd, chosen);
        notifyParent(hwnd, CBN_SELCHANGE);
    }
    notifyParent(hwnd, CBN_CLOSEUP);
}

void moveSelection(HWND hwnd, int delta) {
    ComboData* d = data(hwnd);
    if (!d || d->items.empty()) return;
    int next = std::clamp(d->selected < 0 ? 0 : d->selected + delta, 0, static_cast<int>(d->items.size()) - 1);
    if (next == d->selected) return;
    select(hwnd, next);
    notifyParent(hwnd, CBN_SELCHANGE);
}

}  // namespace

void registerComboListClass(WindowSystem& system) {
    WindowClass c;
    c.name = kListClassName;
    c.proc = listProc;
    system.registerClass(c);
}

LRESULT comboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) attachExtra<ComboData>(hwnd);
    ComboData* d = data(hwnd);
    if (!d) return DefWindowProcA(hwnd, msg, wParam, lParam);
    bool sorted = (GetWindowLongA(hwnd, GWL_STYLE) & CBS_SORT) != 0;
    switch (msg) {
    case WM_CREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        d->droppedHeight = cs ? cs->cy : 0;
        SetWindowPos(hwnd, nullptr, 0, 0, cs ? cs->cx : 0, closedHeight(hwnd), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETFONT: {
        // The closed height follows the font.
        DefWindowProcA(hwnd, msg, wParam, lParam);
        RECT r;
        GetWindowRect(hwnd, &r);
        SetWindowPos(hwnd, nullptr, 0, 0, rectWidth(r), closedHeight(hwnd), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        repaintNow(hwnd);
        return result;
    }
    case WM_ENABLE: repaintNow(hwnd); return 0;
    case WM_SETFOCUS:
        d->focused = true;
        repaintNow(hwnd);
        return 0;
    case WM_KILLFOCUS:
        d->focused = false;
        repaintNow(hwnd);
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd);
        RECT client;
        GetClientRect(hwnd, &client);
        if (rectContains(graphics::look::comboButtonRect(client), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            dropDown(hwnd);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_UP) moveSelection(hwnd, -1);
        else if (wParam == VK_DOWN) moveSelection(hwnd, +1);
        else if (wParam == VK_F4) dropDown(hwnd);
        else return DefWindowProcA(hwnd, msg, wParam, lParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN) {
            dropDown(hwnd);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CHAR: {
        Window* w = live(hwnd);
        if (!w) return 0;
        char c = static_cast<char>(wParam);
        if (c == '\b' && !w->text.empty()) w->text.pop_back();
        else if (static_cast<unsigned char>(c) >= 0x20) w->text.push_back(c);
        else return 0;
        d->selected = -1;
        repaintNow(hwnd);
        return 0;
    }
    case CB_ADDSTRING: return insert(hwnd, -1, reinterpret_cast<LPCSTR>(lParam), sorted);
    case CB_INSERTSTRING: return insert(hwnd, static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<LPCSTR>(lParam), false);
    case CB_DELETESTRING: {
        int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(d->items.size())) return CB_ERR;
        d->items.erase(d->items.begin() + index);
        if (d->selected == index) select(hwnd, -1);
        else if (d->selected > index) --d->selected;
        return static_cast<LRESULT>(d->items.size());
    }
    case CB_GETCOUNT: return static_cast<LRESULT>(d->items.size());
    case CB_GETCURSEL: return d->selected;
    case CB_SETCURSEL: return select(hwnd, static_cast<int>(static_cast<std::intptr_t>(wParam)));
    case CB_GETLBTEXTLEN: {
        int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(d->items.size())) return CB_ERR;
        return static_cast<LRESULT>(d->items[static_cast<std::size_t>(index)].size());
    }
    case CB_GETLBTEXT: {
        int index = static_cast<int>(wParam);
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (index < 0 || index >= static_cast<int>(d->items.size()) || !buffer) return CB_ERR;
        const std::string& item = d->items[static_cast<std::size_t>(index)];
        std::memcpy(buffer, item.c_str(), item.size() + 1);
        return static_cast<LRESULT>(item.size());
    }
    case CB_RESETCONTENT:
        d->items.clear();
        select(hwnd, -1);
        return CB_OKAY;
    case CB_FINDSTRING: return find(hwnd, static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<LPCSTR>(lParam), false);
    case CB_FINDSTRINGEXACT: return find(hwnd, static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<LPCSTR>(lParam), true);
    case CB_SELECTSTRING: {
        LRESULT index = find(hwnd, static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<LPCSTR>(lParam), false);
        return index == CB_ERR ? CB_ERR : select(hwnd, static_cast<int>(index));
    }
    case CB_GETDROPPEDSTATE: return d->dropped ? TRUE : FALSE;
    case CB_SHOWDROPDOWN:
        if (wParam && IsWindowEnabled(hwnd)) dropDown(hwnd);
        return TRUE;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace controls
