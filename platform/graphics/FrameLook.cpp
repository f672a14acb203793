// The looks of a top-level window's frame: the dialog frame and the caption
// bar with its small icon, title and close box.
#include "platform/graphics/ControlLook.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/LookPatterns.h"
#include "platform/graphics/SystemColors.h"

namespace graphics::look {

using detail::deflate;

namespace {

// One colour channel of the caption gradient at step `i` of `steps`.
int blend(int from, int to, int i, int steps) {
    if (steps <= 0) return from;
    return from + ((to - from) * i + (to > from ? steps / 2 : -steps / 2)) / steps;
}

void paintGradient(Canvas& canvas, const RECT& bar, COLORREF from, COLORREF to) {
    const int width = rectWidth(bar);
    for (int i = 0; i < width; ++i) {
        const COLORREF c = RGB(static_cast<BYTE>(blend(GetRValue(from), GetRValue(to), i, width - 1)),
                               static_cast<BYTE>(blend(GetGValue(from), GetGValue(to), i, width - 1)),
                               static_cast<BYTE>(blend(GetBValue(from), GetBValue(to), i, width - 1)));
        canvas.vLine(bar.left + i, bar.top, bar.bottom, c);
    }
}

// The close box: a small push button carrying a cross two pixels thick.
void paintCloseButton(Canvas& canvas, RECT box, bool pushed) {
    canvas.drawEdge(box, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    const int offset = pushed ? 1 : 0;
    const int x = box.left + (rectWidth(box) - 8) / 2 + offset;
    const int y = box.top + (rectHeight(box) - 7) / 2 + offset;
    const COLORREF ink = sysColor(COLOR_BTNTEXT);
    detail::ClipScope clip(canvas, deflate(box, 2));
    detail::drawPattern(canvas, x, y,
                        {
                            "XX....XX",
                            ".XX..XX.",
                            "..XXXX..",
                            "...XX...",
                            "..XXXX..",
                            ".XX..XX.",
                            "XX....XX",
                        },
                        [&](char ch) -> std::optional<COLORREF> {
                            if (ch == 'X') return ink;
                            return std::nullopt;
                        });
}

}  // namespace

void paintDialogFrame(Canvas& canvas, const RECT& window) {
    RECT r = window;
    canvas.drawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    canvas.frameRect(r, sysColor(COLOR_BTNFACE));
}

CaptionParts captionParts(const RECT& bar) {
    CaptionParts parts;
    parts.bar = bar;
    parts.icon = {bar.left + 2, bar.top + 1, bar.left + 2 + metrics::smallIconSize,
                  bar.top + 1 + metrics::smallIconSize};
    const int closeLeft = bar.right - 2 - metrics::captionButtonWidth;
    parts.closeButton = {closeLeft, bar.top + 2, closeLeft + metrics::captionButtonWidth,
                         bar.top + 2 + metrics::captionButtonHeight};
    return parts;
}

void paintCaption(Canvas& canvas, const RECT& bar, std::string_view title, bool active, const IconImage* smallIcon,
                  bool closePushed) {
    const CaptionParts parts = captionParts(bar);
    {
        detail::ClipScope clip(canvas, bar);
        if (active)
            paintGradient(canvas, bar, sysColor(COLOR_ACTIVECAPTION), sysColor(COLOR_GRADIENTACTIVECAPTION));
        else
            paintGradient(canvas, bar, sysColor(COLOR_INACTIVECAPTION), sysColor(COLOR_GRADIENTINACTIVECAPTION));

        if (smallIcon)
            canvas.drawIcon(parts.icon.left, parts.icon.top, *smallIcon, metrics::smallIconSize,
                            metrics::smallIconSize);

        RECT titleRect{bar.left + (smallIcon ? 21 : 3), bar.top, parts.closeButton.left, bar.bottom};
        canvas.drawText(captionFont(), title, titleRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                        sysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        paintCloseButton(canvas, parts.closeButton, closePushed);
    }
    // The face-coloured line that separates the caption from the client area.
    canvas.hLine(bar.left, bar.right, bar.bottom, sysColor(COLOR_BTNFACE));
}

}  // namespace graphics::look
