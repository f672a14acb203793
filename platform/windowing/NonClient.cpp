// The non-client area of top-level windows: the dialog frame, the caption
// with its small icon, title and close box; hit testing of these parts and
// the close box's press.
#include "platform/windowing/Api.h"

#include "platform/graphics/ControlLook.h"
#include "platform/graphics/SystemColors.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"
#include "platform/windowing/TrackingLoop.h"

using namespace windowing;

namespace {

// The caption bar in window coordinates.
RECT captionBar(const Window& w) {
    RECT in = nonClientInsets(w);
    int frame = in.left;
    return {frame, frame, rectWidth(w.rect) - frame, frame + graphics::metrics::captionBar};
}

const graphics::IconImage* smallIconImage(const Window& w) {
    Icon* icon = ws().icons.get(w.smallIcon ? w.smallIcon : w.bigIcon);
    return icon ? icon->imageFor(graphics::metrics::smallIconSize) : nullptr;
}

}  // namespace

namespace windowing {

LRESULT nonClientHitTest(Window& w, POINT screen) {
    RECT wr = screenRect(w);
    if (!rectContains(wr, screen)) return HTNOWHERE;
    if (w.isChild()) return HTCLIENT;
    if (rectContains(clientScreenRect(w), screen)) return HTCLIENT;
    if (hasCaption(w)) {
        POINT p{screen.x - wr.left, screen.y - wr.top};
        RECT bar = captionBar(w);
        graphics::look::CaptionParts parts = graphics::look::captionParts(bar);
        if (w.style & WS_SYSMENU) {
            if (rectContains(parts.closeButton, p)) return HTCLOSE;
            if (rectContains(parts.icon, p)) return HTSYSMENU;
        }
        if (rectContains(bar, p)) return HTCAPTION;
    }
    return HTBORDER;
}

void paintNonClient(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w || w->isChild()) return;
    RECT in = nonClientInsets(*w);
    if (in.left == 0 && in.top == 0) return;
    HDC hdc = GetWindowDC(hwnd);
    DeviceContext* dc = ws().dcs.get(hdc);
    if (!dc) return;
    graphics::Canvas& canvas = *dc->canvas;
    RECT whole{0, 0, rectWidth(w->rect), rectHeight(w->rect)};
    if (in.left >= graphics::metrics::dialogFrame) {
        graphics::look::paintDialogFrame(canvas, whole);
    } else {
        canvas.frameRect(whole, graphics::sysColor(COLOR_WINDOWFRAME));
    }
    if (hasCaption(*w)) {
        RECT bar = captionBar(*w);
        bool active = w->captionActive && ws().appActive;
        graphics::look::paintCaption(canvas, bar, w->text, active, smallIconImage(*w), w->closePushed);
        // The line between the caption and the client area.
        canvas.fillRect({bar.left, bar.bottom, bar.right, in.top}, graphics::sysColor(COLOR_BTNFACE));
    }
    ReleaseDC(hwnd, hdc);
}

bool trackCloseButton(HWND hwnd) {
    bool over = true;
    auto setPushed = [hwnd](bool pushed) {
        if (Window* w = live(hwnd); w && w->closePushed != pushed) {
            w->closePushed = pushed;
            invalidateFrame(*w);
        }
    };
    setPushed(true);
    runTrackingLoop([&](const display::Event& e) {
        Window* w = live(hwnd);
        if (!w) return false;
        using T = display::EventType;
        if (e.type == T::MouseMove || e.type == T::ButtonUp) {
            over = nonClientHitTest(*w, e.point) == HTCLOSE;
            setPushed(over);
            if (e.type == T::ButtonUp && e.button == display::MouseButton::Left) return false;
            return true;
        }
        if (e.type == T::FocusLost) {
            over = false;
            return false;
        }
        passEventOn(e);
        return true;
    });
    setPushed(false);
    return over && live(hwnd);
}

}  // namespace windowing
