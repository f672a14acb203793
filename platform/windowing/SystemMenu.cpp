// The window (system) menu: each window's own copy, made on demand with the
// standard commands its styles allow, and opening it from the keyboard
// (Alt+Space), the caption's icon or a right click on the caption.
#include "platform/windowing/Api.h"

#include "platform/graphics/ControlLook.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/MenuTracking.h"

using namespace windowing;

namespace {

HMENU makeDefaultSystemMenu(const Window& w) {
    HMENU menu = CreatePopupMenu();
    bool dialogFrame = (w.exStyle & WS_EX_DLGMODALFRAME) != 0;
    bool sizable = (w.style & WS_THICKFRAME) != 0;
    bool minBox = (w.style & WS_MINIMIZEBOX) != 0 && !(w.style & WS_CHILD);
    bool maxBox = (w.style & WS_MAXIMIZEBOX) != 0 && !(w.style & WS_CHILD);
    if (dialogFrame && !sizable && !minBox && !maxBox) {
        // A fixed dialog can only be moved and closed.
        AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
        AppendMenuA(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
        return menu;
    }
    AppendMenuA(menu, MF_STRING | (w.minimized ? 0 : MF_GRAYED), SC_RESTORE, "&Restore");
    AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenuA(menu, MF_STRING | (sizable ? 0 : MF_GRAYED), SC_SIZE, "&Size");
    AppendMenuA(menu, MF_STRING | (minBox ? 0 : MF_GRAYED), SC_MINIMIZE, "Mi&nimize");
    AppendMenuA(menu, MF_STRING | (maxBox ? 0 : MF_GRAYED), SC_MAXIMIZE, "Ma&ximize");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    return menu;
}

}  // namespace

namespace windowing {

POINT systemMenuAnchor(const Window& w) {
    RECT r = screenRect(w);
    RECT in = nonClientInsets(w);
    int frame = in.left;
    return {r.left + frame, r.top + frame + graphics::metrics::captionBar};
}

void openSystemMenu(HWND hwnd, POINT screen, bool fromKeyboard) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu) return;
    std::uintptr_t chosen = trackMenu(menu, hwnd, screen, fromKeyboard);
    if (chosen && live(hwnd))
        SendMessageA(hwnd, WM_SYSCOMMAND, static_cast<WPARAM>(chosen), fromKeyboard ? 0 : MAKEPOINTLPARAM(screen.x, screen.y));
}

}  // namespace windowing

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    Window* w = live(hwnd);
    if (!w || w->isChild() || !(w->style & WS_SYSMENU)) return nullptr;
    if (revert) {
        // Back to the standard menu: the window's own copy is dropped and
        // made again the next time it is asked for.
        if (w->systemMenu) DestroyMenu(w->systemMenu);
        w->systemMenu = nullptr;
        return nullptr;
    }
    if (!w->systemMenu || !IsMenu(w->systemMenu)) w->systemMenu = makeDefaultSystemMenu(*w);
    return w->systemMenu;
}
