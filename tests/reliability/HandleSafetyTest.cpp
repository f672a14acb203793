// Every operation of the windowing API given a handle that does not name a
// live object of its kind - a destroyed window, control, dialog, menu or
// device context, a handle of a window system that has ended, a number that
// never was a handle, the address of some memory, or a live handle of
// another kind - fails as the API documents (FALSE, 0, -1 or null), leaves
// an output text empty, and changes nothing: no window, menu or device
// context appears or goes, focus, activation and capture stay, the live
// windows keep their text, place and state, and nothing is posted.
#include "platform/controls/ControlClasses.h"
#include "platform/display/headless/HeadlessBackend.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/WindowSystem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Kind { Window, Menu, DeviceContext, Icon };

struct BadHandle {
    std::string what;
    std::uintptr_t value;
};

// A classic dialog template in memory: a captioned popup with one button.
std::vector<std::uint16_t> smallDialogTemplate() {
    std::vector<std::uint16_t> t;
    auto dword = [&t](std::uint32_t v) {
        t.push_back(static_cast<std::uint16_t>(v & 0xFFFF));
        t.push_back(static_cast<std::uint16_t>(v >> 16));
    };
    auto text = [&t](const char* s) {
        for (; *s; ++s) t.push_back(static_cast<std::uint16_t>(*s));
        t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    dword(0);
    t.push_back(1);  // one control
    for (int v : {0, 0, 100, 50}) t.push_back(static_cast<std::uint16_t>(v));
    t.push_back(0);  // no menu
    t.push_back(0);  // the dialog class
    text("Small");
    if (t.size() % 2) t.push_back(0);  // controls start on a DWORD boundary
    dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    dword(0);
    for (int v : {10, 10, 40, 14}) t.push_back(static_cast<std::uint16_t>(v));
    t.push_back(IDOK);
    t.push_back(0xFFFF);
    t.push_back(0x0080);  // Button
    text("OK");
    t.push_back(0);  // no creation data
    return t;
}

LRESULT plainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class HandleSafety : public ::testing::Test {
protected:
    void SetUp() override {
        // Handles of a window system that has ended since: their numbers
        // never come back, so they name nothing in the next one.
        {
            display::HeadlessBackend earlierScreen;
            windowing::WindowSystem earlier(earlierScreen, windowing::ResourceModules({}, {}));
            windowing::ScopedWindowSystem installed(earlier);
            registerPlain();
            endedWindow_ = reinterpret_cast<std::uintptr_t>(makeTopLevel("earlier"));
            endedMenu_ = reinterpret_cast<std::uintptr_t>(CreatePopupMenu());
            endedIcon_ = reinterpret_cast<std::uintptr_t>(LoadIconA(nullptr, IDI_EXCLAMATION));
            HDC dc = GetDC(reinterpret_cast<HWND>(endedWindow_));
            endedDc_ = reinterpret_cast<std::uintptr_t>(dc);
        }
        system_ = std::make_unique<windowing::WindowSystem>(screen_, windowing::ResourceModules({}, {}));
        installed_ = std::make_unique<windowing::ScopedWindowSystem>(*system_);
        controls::registerControlClasses(*system_);
        registerPlain();
        system_->setHelpEngine([this](HWND, const std::string&, UINT, std::uintptr_t) {
            ++helpRequests_;
            return TRUE;
        });

        // The live objects every case must leave as they are.
        witness_ = makeTopLevel("witness");
        ShowWindow(witness_, SW_SHOW);
        witnessChild_ = CreateWindowExA(0, "Button", "child", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 60, 20,
                                        witness_, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        SetFocus(witnessChild_);
        menu_ = CreatePopupMenu();
        AppendMenuA(menu_, MF_STRING, 100, "&First");
        AppendMenuA(menu_, MF_STRING, 101, "&Second");
        icon_ = LoadIconA(nullptr, IDI_EXCLAMATION);
        dc_ = GetDC(witness_);

        // Dead objects of every kind.
        HWND deadTop = makeTopLevel("dead");
        GetSystemMenu(deadTop, FALSE);
        HMENU deadSystemMenu = GetSystemMenu(deadTop, FALSE);
        HDC deadWindowDc = GetDC(deadTop);
        DestroyWindow(deadTop);
        HWND deadChild = CreateWindowExA(0, "Button", "gone", WS_CHILD, 0, 0, 10, 10, witness_,
                                         reinterpret_cast<HMENU>(8), nullptr, nullptr);
        DestroyWindow(deadChild);
        std::vector<std::uint16_t> dialogTemplate = smallDialogTemplate();
        HWND deadDialog = CreateDialogIndirectParamA(nullptr, dialogTemplate.data(), dialogTemplate.size() * 2,
                                                     nullptr, nullptr, 0);
        EXPECT_NE(deadDialog, nullptr);
        DestroyWindow(deadDialog);
        HMENU deadMenu = CreatePopupMenu();
        DestroyMenu(deadMenu);
        HDC releasedDc = GetDC(witness_);
        ReleaseDC(witness_, releasedDc);

        auto value = [](auto handle) { return reinterpret_cast<std::uintptr_t>(handle); };
        // Never a handle: handles are multiples of four from 0x10000 on.
        std::vector<BadHandle> madeUp = {{"0x10002", 0x10002},
                                         {"0xDEADBEEC", 0xDEADBEEC},
                                         {"-1", static_cast<std::uintptr_t>(-1)},
                                         {"the address of some memory", value(&someMemory_)}};
        windows_ = {{"a destroyed window", value(deadTop)},
                    {"a destroyed control", value(deadChild)},
                    {"a destroyed dialog", value(deadDialog)},
                    {"a window of an ended session", endedWindow_},
                    {"a live menu", value(menu_)},
                    {"a live device context", value(dc_)},
                    {"a live icon", value(icon_)}};
        menus_ = {{"a destroyed menu", value(deadMenu)},
                  {"the system menu of a destroyed window", value(deadSystemMenu)},
                  {"a menu of an ended session", endedMenu_},
                  {"a live window", value(witness_)},
                  {"a live icon", value(icon_)}};
        dcs_ = {{"a released device context", value(releasedDc)},
                {"a device context of a destroyed window", value(deadWindowDc)},
                {"a device context of an ended session", endedDc_},
                {"a live window", value(witness_)},
                {"a live menu", value(menu_)}};
        icons_ = {{"an icon of an ended session", endedIcon_}, {"a live window", value(witness_)}, {"a live menu", value(menu_)}};
        for (auto* list : {&windows_, &menus_, &dcs_, &icons_}) list->insert(list->end(), madeUp.begin(), madeUp.end());
    }

public:
    // The live objects, for the operations that need one beside the bad handle.
    HWND witness() const { return witness_; }
    HMENU menu() const { return menu_; }
    HICON icon() const { return icon_; }
    HDC dc() const { return dc_; }

protected:
    void TearDown() override {
        ReleaseDC(witness_, dc_);
        installed_.reset();
        system_.reset();
    }

    static void registerPlain() {
        WNDCLASSA wc;
        wc.lpfnWndProc = plainWindowProc;
        wc.lpszClassName = "Plain";
        wc.hbrBackground = COLOR_BTNFACE + 1;
        RegisterClassA(&wc);
    }

    static HWND makeTopLevel(const char* title) {
        return CreateWindowExA(0, "Plain", title, WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 200, 120, nullptr,
                               nullptr, nullptr, nullptr);
    }

    const std::vector<BadHandle>& badHandles(Kind kind) const {
        switch (kind) {
        case Kind::Window: return windows_;
        case Kind::Menu: return menus_;
        case Kind::DeviceContext: return dcs_;
        case Kind::Icon: return icons_;
        }
        return windows_;
    }

    // Everything an operation on a bad handle might wrongly change.
    struct Snapshot {
        std::string witnessText, childText;
        RECT witnessRect{}, childRect{};
        LONG witnessStyle = 0, childStyle = 0;
        int menuItems = 0;
        HWND focus = nullptr, active = nullptr, capture = nullptr;
        std::size_t windows = 0, menus = 0, dcs = 0, fonts = 0, icons = 0, posted = 0, screenLog = 0, surfaces = 0;
        int helpRequests = 0;
        bool operator==(const Snapshot&) const = default;
    };

    Snapshot snapshot() {
        Snapshot s;
        char buffer[64];
        GetWindowTextA(witness_, buffer, sizeof buffer);
        s.witnessText = buffer;
        GetWindowTextA(witnessChild_, buffer, sizeof buffer);
        s.childText = buffer;
        GetWindowRect(witness_, &s.witnessRect);
        GetWindowRect(witnessChild_, &s.childRect);
        s.witnessStyle = GetWindowLongA(witness_, GWL_STYLE);
        s.childStyle = GetWindowLongA(witnessChild_, GWL_STYLE);
        s.menuItems = GetMenuItemCount(menu_);
        s.focus = GetFocus();
        s.active = GetActiveWindow();
        s.capture = GetCapture();
        s.windows = system_->topLevelWindows().size();
        s.menus = system_->menus.size();
        s.dcs = system_->dcs.size();
        s.fonts = system_->fonts.size();
        s.icons = system_->icons.size();
        s.posted = system_->posted.size();
        s.screenLog = screen_.log().size();
        s.surfaces = screen_.surfaceCount();
        s.helpRequests = helpRequests_;
        return s;
    }

    display::HeadlessBackend screen_;
    std::unique_ptr<windowing::WindowSystem> system_;
    std::unique_ptr<windowing::ScopedWindowSystem> installed_;
    HWND witness_ = nullptr;
    HWND witnessChild_ = nullptr;
    HMENU menu_ = nullptr;
    HICON icon_ = nullptr;
    HDC dc_ = nullptr;
    int helpRequests_ = 0;
    int someMemory_[16] = {};
    std::uintptr_t endedWindow_ = 0, endedMenu_ = 0, endedIcon_ = 0, endedDc_ = 0;
    std::vector<BadHandle> windows_, menus_, dcs_, icons_;
};

// One operation: how to call it with a bad handle of its kind, and what it
// must answer. A call that fills a text buffer returns the text through
// `text` (it was filled with garbage before the call).
struct Operation {
    const char* name;
    Kind kind;
    // The API gives a null handle a meaning of its own here (a thread
    // message, no owner, no focus), so null is not a bad handle for it.
    bool nullMeansSomething;
    std::intptr_t failure;
    std::function<std::intptr_t(std::uintptr_t bad, HandleSafety& live, std::string& text)> call;
};

template <class H>
H as(std::uintptr_t v) {
    return reinterpret_cast<H>(v);
}

std::intptr_t ptr(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

constexpr std::intptr_t kNoItem = static_cast<std::intptr_t>(0xFFFFFFFFu);

}  // namespace

namespace {

// Calls a text getter on a buffer full of garbage and hands back its text.
template <class Getter>
std::intptr_t readText(std::string& text, Getter getter) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
    std::intptr_t result = getter(buffer, static_cast<int>(sizeof buffer));
    text = buffer;
    return result;
}

const std::vector<std::uint16_t>& dialogTemplate() {
    static const std::vector<std::uint16_t> t = smallDialogTemplate();
    return t;
}

const std::vector<Operation>& operations() {
    using K = Kind;
    static const std::vector<Operation> ops = {
        // --- windows ---
        {"SendMessageA", K::Window, false, 0, [](auto h, auto&, auto&) { return SendMessageA(as<HWND>(h), WM_GETTEXTLENGTH, 0, 0); }},
        {"SendMessageA WM_SETTEXT", K::Window, false, 0, [](auto h, auto&, auto&) { return SendMessageA(as<HWND>(h), WM_SETTEXT, 0, ptr("x")); }},
        {"PostMessageA", K::Window, true, FALSE, [](auto h, auto&, auto&) { return PostMessageA(as<HWND>(h), WM_COMMAND, IDOK, 0); }},
        {"DestroyWindow", K::Window, false, FALSE, [](auto h, auto&, auto&) { return DestroyWindow(as<HWND>(h)); }},
        {"ShowWindow", K::Window, false, FALSE, [](auto h, auto&, auto&) { return ShowWindow(as<HWND>(h), SW_SHOW); }},
        {"ShowWindow SW_HIDE", K::Window, false, FALSE, [](auto h, auto&, auto&) { return ShowWindow(as<HWND>(h), SW_HIDE); }},
        {"IsWindow", K::Window, false, FALSE, [](auto h, auto&, auto&) { return IsWindow(as<HWND>(h)); }},
        {"SetWindowTextA", K::Window, false, FALSE, [](auto h, auto&, auto&) { return SetWindowTextA(as<HWND>(h), "new"); }},
        {"GetWindowTextA", K::Window, false, 0, [](auto h, auto&, auto& text) {
             return readText(text, [h](char* b, int n) { return GetWindowTextA(as<HWND>(h), b, n); });
         }},
        {"GetWindowTextLengthA", K::Window, false, 0, [](auto h, auto&, auto&) { return GetWindowTextLengthA(as<HWND>(h)); }},
        {"GetClassNameA", K::Window, false, 0, [](auto h, auto&, auto& text) {
             return readText(text, [h](char* b, int n) { return GetClassNameA(as<HWND>(h), b, n); });
         }},
        {"EnableWindow FALSE", K::Window, false, FALSE, [](auto h, auto&, auto&) { return EnableWindow(as<HWND>(h), FALSE); }},
        {"EnableWindow TRUE", K::Window, false, FALSE, [](auto h, auto&, auto&) { return EnableWindow(as<HWND>(h), TRUE); }},
        {"IsWindowEnabled", K::Window, false, FALSE, [](auto h, auto&, auto&) { return IsWindowEnabled(as<HWND>(h)); }},
        {"IsWindowVisible", K::Window, false, FALSE, [](auto h, auto&, auto&) { return IsWindowVisible(as<HWND>(h)); }},
        {"IsIconic", K::Window, false, FALSE, [](auto h, auto&, auto&) { return IsIconic(as<HWND>(h)); }},
        {"SetFocus", K::Window, true, 0, [](auto h, auto&, auto&) { return ptr(SetFocus(as<HWND>(h))); }},
        {"SetActiveWindow", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(SetActiveWindow(as<HWND>(h))); }},
        {"SetCapture", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(SetCapture(as<HWND>(h))); }},
        {"GetWindowRect", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             RECT r{1, 2, 3, 4};
             BOOL ok = GetWindowRect(as<HWND>(h), &r);
             return ok || r.left != 1 || r.bottom != 4 ? 1 : 0;
         }},
        {"GetClientRect", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             RECT r{1, 2, 3, 4};
             BOOL ok = GetClientRect(as<HWND>(h), &r);
             return ok || r.left != 1 || r.bottom != 4 ? 1 : 0;
         }},
        {"ClientToScreen", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             POINT p{5, 6};
             BOOL ok = ClientToScreen(as<HWND>(h), &p);
             return ok || p.x != 5 || p.y != 6 ? 1 : 0;
         }},
        {"ScreenToClient", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             POINT p{5, 6};
             BOOL ok = ScreenToClient(as<HWND>(h), &p);
             return ok || p.x != 5 || p.y != 6 ? 1 : 0;
         }},
        {"SetWindowPos", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             return SetWindowPos(as<HWND>(h), nullptr, 1, 1, 50, 50, SWP_SHOWWINDOW);
         }},
        {"MoveWindow", K::Window, false, FALSE, [](auto h, auto&, auto&) { return MoveWindow(as<HWND>(h), 1, 1, 50, 50, TRUE); }},
        {"InvalidateRect", K::Window, true, FALSE, [](auto h, auto&, auto&) { return InvalidateRect(as<HWND>(h), nullptr, TRUE); }},
        {"ValidateRect", K::Window, true, FALSE, [](auto h, auto&, auto&) { return ValidateRect(as<HWND>(h), nullptr); }},
        {"UpdateWindow", K::Window, false, FALSE, [](auto h, auto&, auto&) { return UpdateWindow(as<HWND>(h)); }},
        {"RedrawWindow", K::Window, true, FALSE, [](auto h, auto&, auto&) {
             return RedrawWindow(as<HWND>(h), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
         }},
        {"BeginPaint", K::Window, false, 0, [](auto h, auto&, auto&) {
             PAINTSTRUCT ps;
             HDC dc = BeginPaint(as<HWND>(h), &ps);
             if (dc) EndPaint(as<HWND>(h), &ps);
             return ptr(dc);
         }},
        {"GetDC", K::Window, true, 0, [](auto h, auto&, auto&) {
             HDC dc = GetDC(as<HWND>(h));
             if (dc) ReleaseDC(as<HWND>(h), dc);
             return ptr(dc);
         }},
        {"GetWindowDC", K::Window, true, 0, [](auto h, auto&, auto&) {
             HDC dc = GetWindowDC(as<HWND>(h));
             if (dc) ReleaseDC(as<HWND>(h), dc);
             return ptr(dc);
         }},
        {"ReleaseDC of a live device context", K::Window, false, 0, [](auto h, auto& f, auto&) {
             return ReleaseDC(as<HWND>(h), f.dc());
         }},
        {"GetDlgItem", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetDlgItem(as<HWND>(h), 7)); }},
        {"GetDlgCtrlID", K::Window, false, 0, [](auto h, auto&, auto&) { return GetDlgCtrlID(as<HWND>(h)); }},
        {"SetDlgItemTextA", K::Window, false, FALSE, [](auto h, auto&, auto&) { return SetDlgItemTextA(as<HWND>(h), 7, "new"); }},
        {"GetDlgItemTextA", K::Window, false, 0, [](auto h, auto&, auto& text) {
             return readText(text, [h](char* b, int n) { return static_cast<int>(GetDlgItemTextA(as<HWND>(h), 7, b, n)); });
         }},
        {"SendDlgItemMessageA", K::Window, false, 0, [](auto h, auto&, auto&) {
             return SendDlgItemMessageA(as<HWND>(h), 7, WM_SETTEXT, 0, ptr("new"));
         }},
        {"CheckRadioButton", K::Window, false, FALSE, [](auto h, auto&, auto&) { return CheckRadioButton(as<HWND>(h), 7, 8, 7); }},
        {"GetParent", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetParent(as<HWND>(h))); }},
        {"GetAncestorTopLevel", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetAncestorTopLevel(as<HWND>(h))); }},
        {"IsChild", K::Window, false, FALSE, [](auto h, auto& f, auto&) {
             return IsChild(as<HWND>(h), f.witness()) || IsChild(f.witness(), as<HWND>(h));
         }},
        {"GetWindow GW_CHILD", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetWindow(as<HWND>(h), GW_CHILD)); }},
        {"GetWindow GW_HWNDNEXT", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetWindow(as<HWND>(h), GW_HWNDNEXT)); }},
        {"GetWindow GW_OWNER", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetWindow(as<HWND>(h), GW_OWNER)); }},
        {"GetWindowLongA", K::Window, false, 0, [](auto h, auto&, auto&) { return GetWindowLongA(as<HWND>(h), GWL_STYLE); }},
        {"SetWindowLongA GWL_STYLE", K::Window, false, 0, [](auto h, auto&, auto&) {
             return SetWindowLongA(as<HWND>(h), GWL_STYLE, static_cast<LONG>(WS_CHILD));
         }},
        {"SetWindowLongPtrA GWLP_WNDPROC", K::Window, false, 0, [](auto h, auto&, auto&) {
             return SetWindowLongPtrA(as<HWND>(h), GWLP_WNDPROC, reinterpret_cast<LPARAM>(&plainWindowProc));
         }},
        {"GetLastActivePopup", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetLastActivePopup(as<HWND>(h))); }},
        {"GetSystemMenu", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetSystemMenu(as<HWND>(h), FALSE)); }},
        {"GetSystemMenu revert", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetSystemMenu(as<HWND>(h), TRUE)); }},
        {"DefWindowProcA", K::Window, false, 0, [](auto h, auto&, auto&) { return DefWindowProcA(as<HWND>(h), WM_CLOSE, 0, 0); }},
        {"DefDlgProcA", K::Window, false, 0, [](auto h, auto&, auto&) { return DefDlgProcA(as<HWND>(h), WM_CLOSE, 0, 0); }},
        {"CreateWindowExA with a dead parent", K::Window, false, 0, [](auto h, auto&, auto&) {
             return ptr(CreateWindowExA(0, "Button", "c", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, as<HWND>(h),
                                        reinterpret_cast<HMENU>(9), nullptr, nullptr));
         }},
        {"CreateWindowExA with a dead owner", K::Window, true, 0, [](auto h, auto&, auto&) {
             return ptr(CreateWindowExA(0, "Plain", "t", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, as<HWND>(h), nullptr,
                                        nullptr, nullptr));
         }},
        {"CreateDialogIndirectParamA with a dead owner", K::Window, true, 0, [](auto h, auto&, auto&) {
             const auto& t = dialogTemplate();
             return ptr(CreateDialogIndirectParamA(nullptr, t.data(), t.size() * 2, as<HWND>(h), nullptr, 0));
         }},
        {"DialogBoxIndirectParamA with a dead owner", K::Window, true, -1, [](auto h, auto&, auto&) {
             const auto& t = dialogTemplate();
             return DialogBoxIndirectParamA(nullptr, t.data(), t.size() * 2, as<HWND>(h), nullptr, 0);
         }},
        {"IsDialogMessageA", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             MSG m{as<HWND>(h), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
             return IsDialogMessageA(as<HWND>(h), &m);
         }},
        {"IsDialogMessageA for a message of a dead window", K::Window, false, FALSE, [](auto h, auto& f, auto&) {
             MSG m{as<HWND>(h), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
             return IsDialogMessageA(f.witness(), &m);
         }},
        {"DispatchMessageA", K::Window, false, 0, [](auto h, auto&, auto&) {
             MSG m{as<HWND>(h), WM_CLOSE, 0, 0, 0, {}};
             return DispatchMessageA(&m);
         }},
        {"MapDialogRect", K::Window, false, FALSE, [](auto h, auto&, auto&) {
             RECT r{4, 8, 4, 8};
             BOOL ok = MapDialogRect(as<HWND>(h), &r);
             return ok || r.left != 4 ? 1 : 0;
         }},
        {"EndDialog", K::Window, false, FALSE, [](auto h, auto&, auto&) { return EndDialog(as<HWND>(h), IDOK); }},
        {"GetNextDlgTabItem", K::Window, false, 0, [](auto h, auto&, auto&) { return ptr(GetNextDlgTabItem(as<HWND>(h), nullptr, FALSE)); }},
        {"TrackPopupMenu with a dead owner", K::Window, false, FALSE, [](auto h, auto& f, auto&) {
             return TrackPopupMenu(f.menu(), TPM_RETURNCMD, 10, 10, 0, as<HWND>(h), nullptr);
         }},
        {"MonitorFromWindow", K::Window, false, 0, [](auto h, auto&, auto&) {
             return ptr(MonitorFromWindow(as<HWND>(h), MONITOR_DEFAULTTONULL));
         }},
        {"WinHelpA with a dead window", K::Window, true, FALSE, [](auto h, auto&, auto&) {
             return WinHelpA(as<HWND>(h), "/opt/quilvane/bin/quilvane.HLP", HELP_CONTEXT, 0x20066);
         }},

        // --- menus ---
        {"AppendMenuA", K::Menu, false, FALSE, [](auto h, auto&, auto&) { return AppendMenuA(as<HMENU>(h), MF_STRING, 5, "x"); }},
        {"AppendMenuA of a dead submenu", K::Menu, false, FALSE, [](auto h, auto& f, auto&) {
             return AppendMenuA(f.menu(), MF_POPUP, h, "sub");
         }},
        {"DeleteMenu", K::Menu, false, FALSE, [](auto h, auto&, auto&) { return DeleteMenu(as<HMENU>(h), 0, MF_BYPOSITION); }},
        {"DestroyMenu", K::Menu, false, FALSE, [](auto h, auto&, auto&) { return DestroyMenu(as<HMENU>(h)); }},
        {"IsMenu", K::Menu, false, FALSE, [](auto h, auto&, auto&) { return IsMenu(as<HMENU>(h)); }},
        {"GetMenuItemCount", K::Menu, false, -1, [](auto h, auto&, auto&) { return GetMenuItemCount(as<HMENU>(h)); }},
        {"GetMenuItemID", K::Menu, false, kNoItem, [](auto h, auto&, auto&) { return static_cast<std::intptr_t>(GetMenuItemID(as<HMENU>(h), 0)); }},
        {"GetMenuState", K::Menu, false, kNoItem, [](auto h, auto&, auto&) {
             return static_cast<std::intptr_t>(GetMenuState(as<HMENU>(h), 0, MF_BYPOSITION));
         }},
        {"GetMenuStringA", K::Menu, false, 0, [](auto h, auto&, auto& text) {
             return readText(text, [h](char* b, int n) { return GetMenuStringA(as<HMENU>(h), 0, b, n, MF_BYPOSITION); });
         }},
        {"EnableMenuItem", K::Menu, false, kNoItem, [](auto h, auto&, auto&) {
             return static_cast<std::intptr_t>(EnableMenuItem(as<HMENU>(h), 0, MF_BYPOSITION | MF_GRAYED));
         }},
        {"TrackPopupMenu", K::Menu, false, FALSE, [](auto h, auto& f, auto&) {
             return TrackPopupMenu(as<HMENU>(h), TPM_RETURNCMD, 10, 10, 0, f.witness(), nullptr);
         }},

        // --- device contexts ---
        {"FillRect", K::DeviceContext, false, 0, [](auto h, auto&, auto&) {
             RECT r{0, 0, 10, 10};
             return FillRect(as<HDC>(h), &r, COLOR_WINDOW);
         }},
        {"DrawIcon", K::DeviceContext, false, FALSE, [](auto h, auto& f, auto&) { return DrawIcon(as<HDC>(h), 0, 0, f.icon()); }},
        {"ReleaseDC", K::DeviceContext, false, 0, [](auto h, auto& f, auto&) { return ReleaseDC(f.witness(), as<HDC>(h)); }},
        {"EndPaint", K::DeviceContext, false, TRUE, [](auto h, auto& f, auto&) {
             // Always answers TRUE, as documented; it must only not act on the handle.
             PAINTSTRUCT ps;
             ps.hdc = as<HDC>(h);
             return EndPaint(f.witness(), &ps);
         }},

        // --- icons ---
        {"DrawIcon of a dead icon", K::Icon, false, FALSE, [](auto h, auto& f, auto&) { return DrawIcon(f.dc(), 0, 0, as<HICON>(h)); }},
        {"WM_SETICON of a dead icon", K::Icon, false, 0, [](auto h, auto& f, auto&) {
             // Refused: the window keeps no icon and says it had none.
             SendMessageA(f.witness(), WM_SETICON, ICON_BIG, static_cast<LPARAM>(h));
             return SendMessageA(f.witness(), WM_GETICON, ICON_BIG, 0);
         }},
    };
    return ops;
}

}  // namespace

TEST_F(HandleSafety, EveryOperationOnABadHandleFailsCleanlyAndChangesNothing) {
    for (const Operation& op : operations()) {
        std::vector<BadHandle> handles = badHandles(op.kind);
        if (!op.nullMeansSomething) handles.push_back({"null", 0});
        for (const BadHandle& bad : handles) {
            SCOPED_TRACE(std::string(op.name) + " with " + bad.what);
            Snapshot before = snapshot();
            std::string text;
            std::intptr_t result = op.call(bad.value, *this, text);
            EXPECT_EQ(result, op.failure);
            EXPECT_EQ(text, "") << "the output buffer must hold an empty text";
            EXPECT_TRUE(snapshot() == before) << "the call changed live state";
        }
    }
}

TEST_F(HandleSafety, AMessageBoxWithADeadOwnerRunsWithoutOneAndDisablesNothing) {
    for (const BadHandle& bad : badHandles(Kind::Window)) {
        SCOPED_TRACE(bad.what);
        HWND boxOwner = reinterpret_cast<HWND>(1);
        bool witnessEnabledMeanwhile = false;
        screen_.then([&] {
            HWND box = GetActiveWindow();
            boxOwner = GetWindow(box, GW_OWNER);
            witnessEnabledMeanwhile = IsWindowEnabled(witness_) != FALSE;
            EXPECT_NE(box, witness_);
            screen_.key(VK_RETURN);
        });
        EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(bad.value), "text", "caption", MB_OK), IDOK);
        EXPECT_EQ(boxOwner, nullptr);
        EXPECT_TRUE(witnessEnabledMeanwhile);
        EXPECT_TRUE(IsWindowEnabled(witness_));
        EXPECT_EQ(system_->topLevelWindows().size(), 1u);
    }
}

TEST_F(HandleSafety, ADeviceContextOutlivingAResizeDrawsOnTheNewPixels) {
    // A device context taken before its window grows must draw into the
    // window's new pixels, not into the ones the resize let go.
    HDC dc = GetDC(witness_);
    ASSERT_NE(dc, nullptr);
    ASSERT_TRUE(MoveWindow(witness_, 100, 100, 400, 300, TRUE));
    RECT r{0, 0, 300, 200};
    EXPECT_EQ(FillRect(dc, &r, COLOR_WINDOW), 1);
    HICON icon = LoadIconA(nullptr, IDI_EXCLAMATION);
    EXPECT_TRUE(DrawIcon(dc, 250, 150, icon));
    EXPECT_EQ(ReleaseDC(witness_, dc), 1);
}

TEST_F(HandleSafety, AMenuCannotHoldItselfAndDeletingASubmenuItemIsSafe) {
    HMENU outer = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuA(outer, MF_POPUP, reinterpret_cast<std::uintptr_t>(outer), "self"));
    ASSERT_TRUE(AppendMenuA(outer, MF_POPUP, reinterpret_cast<std::uintptr_t>(inner), "inner"));
    // A cycle through a submenu is refused as well.
    EXPECT_FALSE(AppendMenuA(inner, MF_POPUP, reinterpret_cast<std::uintptr_t>(outer), "outer"));
    EXPECT_EQ(GetMenuItemCount(outer), 1);
    EXPECT_EQ(GetMenuItemCount(inner), 0);
    // Deleting the submenu's item destroys the submenu with it.
    EXPECT_TRUE(DeleteMenu(outer, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(inner));
    EXPECT_EQ(GetMenuItemCount(outer), 0);
    EXPECT_TRUE(DestroyMenu(outer));
}

TEST_F(HandleSafety, HandlesAreNeverReused) {
    std::vector<HWND> dead;
    for (int i = 0; i < 50; ++i) {
        HWND w = makeTopLevel("short-lived");
        dead.push_back(w);
        DestroyWindow(w);
    }
    for (int i = 0; i < 50; ++i) {
        HWND w = makeTopLevel("new");
        for (HWND d : dead) ASSERT_NE(w, d);
        HMENU m = CreatePopupMenu();
        for (HWND d : dead) ASSERT_NE(reinterpret_cast<std::uintptr_t>(m), reinterpret_cast<std::uintptr_t>(d));
        DestroyMenu(m);
        DestroyWindow(w);
    }
    for (HWND d : dead) EXPECT_FALSE(IsWindow(d));
}
