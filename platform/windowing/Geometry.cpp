#include "platform/windowing/Geometry.h"

#include "platform/graphics/ControlLook.h"

#include <algorithm>

namespace windowing {

RECT intersectRect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (rectEmpty(r)) return {};
    return r;
}

RECT unionRect(const RECT& a, const RECT& b) {
    if (rectEmpty(a)) return b;
    if (rectEmpty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool hasCaption(const Window& w) { return !w.isChild() && (w.style & WS_CAPTION) == WS_CAPTION; }

RECT nonClientInsets(DWORD style, DWORD exStyle) {
    if (style & WS_CHILD) return {};
    int frame = 0;
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME) || (style & WS_THICKFRAME))
        frame = graphics::metrics::dialogFrame;
    else if (style & WS_BORDER)
        frame = 1;
    int caption = (style & WS_CAPTION) == WS_CAPTION ? graphics::metrics::captionHeight : 0;
    return {frame, frame + caption, frame, frame};
}

Window* topLevelOf(Window* w) {
    while (w && w->isChild()) w = live(w->parent);
    return w;
}

RECT screenRect(const Window& w) {
    if (!w.isChild()) return w.rect;
    const Window* parent = live(w.parent);
    if (!parent) return w.rect;
    RECT client = clientScreenRect(*parent);
    return rectOffset(w.rect, client.left, client.top);
}

RECT clientScreenRect(const Window& w) {
    RECT r = screenRect(w);
    RECT in = nonClientInsets(w);
    return {r.left + in.left, r.top + in.top, r.right - in.right, r.bottom - in.bottom};
}

POINT windowOriginInTopLevel(const Window& w) {
    if (!w.isChild()) return {0, 0};
    const Window* parent = live(w.parent);
    if (!parent) return {0, 0};
    POINT origin = clientOriginInTopLevel(*parent);
    return {origin.x + w.rect.left, origin.y + w.rect.top};
}

POINT clientOriginInTopLevel(const Window& w) {
    POINT origin = windowOriginInTopLevel(w);
    RECT in = nonClientInsets(w);
    return {origin.x + in.left, origin.y + in.top};
}

RECT visibleClientRect(const Window& w) {
    RECT client{0, 0, rectWidth(w.rect), rectHeight(w.rect)};
    RECT in = nonClientInsets(w);
    client.right -= in.left + in.right;
    client.bottom -= in.top + in.bottom;
    const Window* child = &w;
    POINT offset{0, 0};  // child's client origin relative to the current ancestor's client origin
    RECT result = client;
    while (child->isChild()) {
        const Window* parent = live(child->parent);
        if (!parent) break;
        RECT cin = nonClientInsets(*child);
        offset.x += child->rect.left + cin.left;
        offset.y += child->rect.top + cin.top;
        RECT pin = nonClientInsets(*parent);
        RECT parentClient{0, 0, rectWidth(parent->rect) - pin.left - pin.right,
                          rectHeight(parent->rect) - pin.top - pin.bottom};
        result = intersectRect(result, rectOffset(parentClient, -offset.x, -offset.y));
        child = parent;
    }
    return result;
}

bool reallyVisible(const Window& w) {
    const Window* cur = &w;
    while (cur) {
        if (!cur->visible()) return false;
        if (!cur->isChild()) return true;
        cur = live(cur->parent);
    }
    return false;
}

}  // namespace windowing
