// Invalidation, WM_PAINT scheduling, device contexts and presenting.
//
// Every top-level window owns a bitmap of its whole area; its children draw
// into it through device contexts clipped to their place. Changed parts are
// recorded and shown by the backend when the thread is about to block.
#include "platform/windowing/Api.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

#include <algorithm>

using namespace windowing;

namespace windowing {

namespace {
RECT clientBounds(const Window& w) {
    RECT in = nonClientInsets(w);
    return {0, 0, std::max(0, rectWidth(w.rect) - in.left - in.right),
            std::max(0, rectHeight(w.rect) - in.top - in.bottom)};
}
}  // namespace

void invalidateClient(Window& w, const RECT* clientRect, bool erase) {
    RECT bounds = clientBounds(w);
    RECT area = clientRect ? intersectRect(*clientRect, bounds) : bounds;
    if (rectEmpty(area)) return;
    w.updateRect = w.needsPaint ? unionRect(w.updateRect, area) : area;
    w.needsPaint = true;
    w.needsErase = w.needsErase || erase;
    // Parents do not clip their children, so a child under the area is
    // painted over and must paint again.
    for (HWND child : w.children) {
        Window* c = live(child);
        if (!c || !c->visible()) continue;
        RECT overlap = intersectRect(area, c->rect);
        if (rectEmpty(overlap)) continue;
        RECT inChild = rectOffset(overlap, -c->rect.left, -c->rect.top);
        invalidateClient(*c, &inChild, erase);
    }
}

void invalidateFrame(Window& w) {
    if (!w.isChild()) w.needsFrame = true;
}

void markDirty(Window& topLevel, const RECT& bitmapRect) {
    if (!topLevel.bitmap) return;
    RECT bounds{0, 0, topLevel.bitmap->width(), topLevel.bitmap->height()};
    RECT r = intersectRect(bitmapRect, bounds);
    if (!rectEmpty(r)) topLevel.dirty = unionRect(topLevel.dirty, r);
}

void presentAll() {
    WindowSystem& system = ws();
    // Bottom first, so that an owner appears before the windows it owns.
    std::vector<HWND> tops = system.topLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = live(*it);
        if (!w || !w->surface || !w->bitmap) continue;
        if (w->pendingShow) {
            w->pendingShow = false;
            system.backend().moveSurface(w->surface, {w->rect.left, w->rect.top});
            system.backend().showSurface(w->surface);
            w->dirty = {0, 0, w->bitmap->width(), w->bitmap->height()};
        }
        if (!w->visible() || rectEmpty(w->dirty)) continue;
        display::PixelView view{w->bitmap->pixels(), w->bitmap->width(), w->bitmap->height(), w->bitmap->stride()};
        system.backend().present(w->surface, view, w->dirty);
        w->dirty = {};
    }
}

namespace {
HWND findInTree(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w || !w->visible()) return nullptr;
    if (w->needsPaint || w->needsFrame) return hwnd;
    // Bottom of the stacking order first, so the topmost child paints last.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (HWND found = findInTree(*it)) return found;
    return nullptr;
}
}  // namespace

HWND findWindowNeedingPaint() {
    std::vector<HWND> tops = ws().topLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        if (HWND found = findInTree(*it)) return found;
    return nullptr;
}

void updateNow(HWND hwnd) {
    Window* w = live(hwnd);
    if (!w || !reallyVisible(*w)) return;
    // Parents do not clip their children: a parent still waiting to paint
    // would erase a child painted before it. Paint from the outermost such
    // parent down, which paints this window after it.
    HWND waitingAncestor = nullptr;
    for (Window* a = live(w->parent); a; a = live(a->parent))
        if (a->needsPaint || a->needsFrame) waitingAncestor = a->handle;
    if (waitingAncestor) {
        updateNow(waitingAncestor);
        return;
    }
    if (w->needsPaint || w->needsFrame) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        if (Window* after = live(hwnd)) {
            after->needsPaint = false;
            after->needsFrame = false;
            after->updateRect = {};
        }
    }
    w = live(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) updateNow(*it);
}

void resizeBitmap(Window& w) {
    if (w.isChild()) return;
    std::unique_ptr<graphics::Bitmap> old = std::move(w.bitmap);
    w.bitmap = std::make_unique<graphics::Bitmap>(std::max(1, rectWidth(w.rect)), std::max(1, rectHeight(w.rect)));
    w.dirty = {0, 0, w.bitmap->width(), w.bitmap->height()};
    // Device contexts open on the window or its children draw on the new
    // pixels from now on; their canvases on the old ones go while those
    // still exist.
    for (HDC hdc : ws().dcs.handles<HDC>()) {
        DeviceContext* dc = ws().dcs.get(hdc);
        if (topLevelOf(live(dc->hwnd)) != &w) continue;
        POINT origin = dc->canvas->origin();
        RECT clip = dc->canvas->clip();
        dc->canvas = std::make_unique<graphics::Canvas>(*w.bitmap, origin, clip);
    }
}

}  // namespace windowing

namespace {

HDC makeDC(HWND hwnd, bool wholeWindow, const RECT* clientClip) {
    Window* w = live(hwnd);
    if (!w) return nullptr;
    Window* top = topLevelOf(w);
    if (!top || !top->bitmap) return nullptr;
    POINT origin;
    RECT clip;
    if (wholeWindow) {
        origin = windowOriginInTopLevel(*w);
        clip = {0, 0, rectWidth(w->rect), rectHeight(w->rect)};
        if (w->isChild()) {
            // A child's whole area is its client area here.
            clip = intersectRect(clip, visibleClientRect(*w));
        }
    } else {
        origin = clientOriginInTopLevel(*w);
        clip = visibleClientRect(*w);
        if (clientClip) clip = intersectRect(clip, *clientClip);
    }
    // A minimised window shows none of its children: its client area holds
    // only what the window paints itself (its icon).
    if (w->isChild() && top->minimized) clip = RECT{};
    auto dc = std::make_unique<DeviceContext>();
    dc->hwnd = hwnd;
    dc->canvas = std::make_unique<graphics::Canvas>(*top->bitmap, origin, clip);
    return ws().dcs.add<HDC>(std::move(dc));
}

void releaseDC(HDC hdc) {
    DeviceContext* dc = ws().dcs.get(hdc);
    if (!dc) return;
    if (Window* w = live(dc->hwnd)) {
        if (Window* top = topLevelOf(w)) {
            RECT clip = dc->canvas->clip();
            POINT origin = dc->canvas->origin();
            markDirty(*top, rectOffset(clip, origin.x, origin.y));
        }
    }
    ws().dcs.remove(hdc);
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    Window* w = live(hwnd);
    if (!w) return FALSE;
    invalidateClient(*w, rect, erase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = live(hwnd);
    if (!w) return FALSE;
    (void)rect;  // the update area is one rectangle: validating any part validates it all
    w->needsPaint = false;
    w->needsErase = false;
    w->updateRect = {};
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!live(hwnd)) return FALSE;
    updateNow(hwnd);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, void* region, UINT flags) {
    (void)region;
    Window* w = live(hwnd);
    if (!w) return FALSE;
    if (flags & RDW_INVALIDATE) invalidateClient(*w, rect, (flags & RDW_ERASE) != 0);
    if (flags & RDW_FRAME) invalidateFrame(*w);
    if (flags & RDW_UPDATENOW) updateNow(hwnd);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* w = live(hwnd);
    if (!w || !paint) return nullptr;
    if (w->needsFrame) {
        w->needsFrame = false;
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        w = live(hwnd);
        if (!w) return nullptr;
    }
    RECT area = w->needsPaint ? w->updateRect : RECT{};
    bool erase = w->needsErase;
    w->needsPaint = false;
    w->needsErase = false;
    w->updateRect = {};
    HDC dc = makeDC(hwnd, false, &area);
    if (!dc) return nullptr;
    paint->hdc = dc;
    paint->rcPaint = area;
    paint->fErase = TRUE;
    if (erase && !rectEmpty(area)) paint->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    (void)hwnd;
    if (!paint) return FALSE;
    releaseDC(paint->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) { return makeDC(hwnd, false, nullptr); }
HDC GetWindowDC(HWND hwnd) { return makeDC(hwnd, true, nullptr); }

int ReleaseDC(HWND hwnd, HDC dc) {
    // Only the window a device context was taken for can give it back.
    DeviceContext* context = ws().dcs.get(dc);
    if (!context || context->hwnd != hwnd) return 0;
    releaseDC(dc);
    return 1;
}

COLORREF GetSysColor(int index) { return graphics::sysColor(index); }

int FillRect(HDC hdc, const RECT* rect, int colorIndex) {
    DeviceContext* dc = ws().dcs.get(hdc);
    if (!dc || !rect) return 0;
    dc->canvas->fillRect(*rect, graphics::sysColor(colorIndex));
    return 1;
}
