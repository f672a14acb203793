// Message boxes: a modal dialog the platform builds from a text, a caption
// and a type - an icon of the platform's own, the text sized to fit, and
// the buttons of the type with the first one the default and focused -
// placed over its owner inside the owner's monitor's work area.
#include "platform/windowing/Api.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"
#include "platform/windowing/DialogData.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

#include <algorithm>
#include <vector>

using namespace windowing;

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

struct ButtonSpec {
    int id;
    const char* text;
};

std::vector<ButtonSpec> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    default: return {{IDOK, "OK"}};
    }
}

LPCSTR iconOf(UINT type) {
    // Every warning-like type shows the exclamation artwork; it is the one
    // icon of the platform's own.
    return (type & MB_ICONMASK) ? IDI_EXCLAMATION : nullptr;
}

LRESULT messageBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND) return FALSE;
    int id = LOWORD(wParam);
    if (id == IDCANCEL && !GetDlgItem(hwnd, IDCANCEL)) {
        // Escape and the close box end a box without Cancel like its only
        // button when that is OK; a Yes/No box must be answered.
        if (!GetDlgItem(hwnd, IDOK)) return TRUE;
        id = IDOK;
    }
    EndDialog(hwnd, id);
    return TRUE;
}

// Where the box goes: centred over its owner (or the work area without
// one), kept inside the work area of the owner's monitor.
POINT placeBox(HWND owner, SIZE size) {
    MONITORINFO info;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &info);
    RECT bounds = info.rcWork;
    RECT reference = bounds;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &reference);
    POINT p{(reference.left + reference.right) / 2 - size.cx / 2, (reference.top + reference.bottom) / 2 - size.cy / 2};
    if (p.x + size.cx > bounds.right) p.x = bounds.right - size.cx;
    if (p.x < bounds.left) p.x = bounds.left;
    if (p.y + size.cy > bounds.bottom) p.y = bounds.bottom - size.cy;
    if (p.y < bounds.top) p.y = bounds.top;
    return p;
}

HWND createChild(HWND box, LPCSTR className, LPCSTR text, DWORD style, RECT r, int id, HFONT font) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, rectWidth(r),
                                 rectHeight(r), box, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr,
                                 nullptr);
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (owner && !live(owner)) owner = nullptr;
    if (owner) owner = GetAncestorTopLevel(owner);
    const graphics::Font& font = graphics::messageFont();
    std::string message = text ? text : "";
    HICON icon = iconOf(type) ? LoadIconA(nullptr, iconOf(type)) : nullptr;
    std::vector<ButtonSpec> buttons = buttonsOf(type);

    // Lay out the text: wrapped at most to five eighths of the work area.
    MONITORINFO info;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &info);
    int maxTextWidth = std::max(100, rectWidth(info.rcWork) * 5 / 8 - (icon ? graphics::metrics::iconSize + kMargin : 0));
    SIZE extent = [&] {
        // Measuring needs no pixels: a 1x1 bitmap carries the canvas.
        graphics::Bitmap scratch(1, 1);
        graphics::Canvas canvas(scratch, {0, 0}, {0, 0, 1, 1});
        RECT r{0, 0, maxTextWidth, 0};
        canvas.drawText(font, message, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT, 0);
        return SIZE{rectWidth(r), rectHeight(r)};
    }();

    int iconSize = icon ? graphics::metrics::iconSize : 0;
    int textLeft = kMargin + (icon ? iconSize + kMargin : 0);
    int contentHeight = std::max<int>(extent.cy, iconSize);
    int textTop = kMargin + (contentHeight - extent.cy) / 2;
    int buttonsWidth = static_cast<int>(buttons.size()) * kButtonWidth + (static_cast<int>(buttons.size()) - 1) * kButtonGap;
    int clientWidth = std::max(textLeft + extent.cx + kMargin, buttonsWidth + 2 * kMargin);
    int buttonsTop = kMargin + contentHeight + kMargin + 5;
    int clientHeight = buttonsTop + kButtonHeight + kMargin;

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    SIZE size{rectWidth(rect), rectHeight(rect)};
    POINT at = placeBox(owner, size);

    HWND box = CreateWindowExA(exStyle, kDialogClassName, caption ? caption : "Error", style, at.x, at.y, size.cx,
                               size.cy, owner, nullptr, nullptr, nullptr);
    DialogData* data = dialogData(box);
    if (!data) {
        if (box) DestroyWindow(box);
        return 0;
    }
    auto fontObject = std::make_unique<FontObject>();
    fontObject->font = graphics::Font::get(font.fontSpec());
    data->font = ws().fonts.add<HFONT>(std::move(fontObject));
    data->defaultId = buttons.front().id;
    HFONT hfont = data->font;
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(hfont), FALSE);

    if (icon) {
        HWND iconControl = createChild(box, "Static", "", SS_ICON,
                                       {kMargin, kMargin + (contentHeight - iconSize) / 2, kMargin + iconSize,
                                        kMargin + (contentHeight - iconSize) / 2 + iconSize},
                                       -1, hfont);
        SendMessageA(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    createChild(box, "Static", message.c_str(), SS_LEFT | SS_NOPREFIX | WS_GROUP,
                {textLeft, textTop, textLeft + extent.cx, textTop + extent.cy}, -1, hfont);
    int x = (clientWidth - buttonsWidth) / 2;
    HWND first = nullptr;  // the default button
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        DWORD buttonStyle = WS_TABSTOP | (i == 0 ? (BS_DEFPUSHBUTTON | WS_GROUP) : BS_PUSHBUTTON);
        HWND b = createChild(box, "Button", buttons[i].text, buttonStyle,
                             {x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight}, buttons[i].id, hfont);
        if (!first) first = b;
        x += kButtonWidth + kButtonGap;
    }
    if (!first) {
        DestroyWindow(box);
        return 0;
    }
    data->dialogProc = messageBoxProc;
    // Shown and activated by the modal loop, the box gives the focus to its
    // first button, the default one.
    return static_cast<int>(runDialogModal(box, owner));
}
