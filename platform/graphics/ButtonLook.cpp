// The looks of the button family and of static controls: push buttons,
// radio buttons, group boxes, static text and filled static rectangles.
#include "platform/graphics/ControlLook.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/LookPatterns.h"
#include "platform/graphics/PixelMath.h"
#include "platform/graphics/SystemColors.h"

namespace graphics::look {

using detail::deflate;

namespace {

constexpr int kRadioMark = 12;    // the round mark is 12x12
constexpr int kRadioTextGap = 4;  // between the mark and the text

// Text in the button-text colour, or embossed when disabled.
void drawButtonText(Canvas& canvas, const Font& font, std::string_view text, RECT rect, UINT format,
                    bool disabled) {
    if (disabled)
        canvas.drawDisabledText(font, text, rect, format);
    else
        canvas.drawText(font, text, rect, format, sysColor(COLOR_BTNTEXT));
}

}  // namespace

void paintPushButton(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                     const ControlState& state) {
    RECT body = rect;
    if (state.pushed) {
        // Pressed: a black frame with a shadow frame inside, flat face.
        canvas.frameRect(body, sysColor(COLOR_WINDOWFRAME));
        body = deflate(body, 1);
        canvas.frameRect(body, sysColor(COLOR_BTNSHADOW));
        canvas.fillRect(deflate(body, 1), sysColor(COLOR_BTNFACE));
    } else {
        if (state.isDefault) {
            canvas.frameRect(body, sysColor(COLOR_WINDOWFRAME));
            body = deflate(body, 1);
        }
        canvas.drawEdge(body, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    }

    // The text is centred in the button and moves down-right with the press;
    // it never runs over the edge.
    const int border = (state.isDefault || state.pushed) ? 3 : 2;
    RECT textRect = rect;
    if (state.pushed) textRect = rectOffset(textRect, 1, 1);
    {
        detail::ClipScope inside(canvas, deflate(rect, border));
        drawButtonText(canvas, font, text, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, state.disabled);
    }
    if (state.focused) canvas.drawFocusRect(deflate(rect, state.isDefault ? 4 : 3));
}

void paintRadioButton(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                      const ControlState& state) {
    canvas.fillRect(rect, sysColor(COLOR_BTNFACE));

    // The round mark: the outer ring (o) and inner ring (i) are dark on the
    // upper-left half and light on the lower-right half; the inside (w) is
    // the window colour, or the face when disabled.
    const int markX = rect.left;
    const int markY = rect.top + (rectHeight(rect) - kRadioMark) / 2;
    int row = 0;
    auto colorOf = [&](char ch, int col) -> std::optional<COLORREF> {
        const bool upperLeft = col + row < kRadioMark - 1;
        switch (ch) {
            case 'o': return sysColor(upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
            case 'i': return sysColor(upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
            case 'w': return sysColor(state.disabled ? COLOR_BTNFACE : COLOR_WINDOW);
            default: return std::nullopt;
        }
    };
    static constexpr std::string_view kMark[kRadioMark] = {
        "....oooo....", "..ooiiiioo..", ".oiiwwwwiio.", ".oiwwwwwwio.", "oiwwwwwwwwio", "oiwwwwwwwwio",
        "oiwwwwwwwwio", "oiwwwwwwwwio", ".oiwwwwwwio.", ".oiiwwwwiio.", "..ooiiiioo..", "....oooo....",
    };
    for (row = 0; row < kRadioMark; ++row)
        for (int col = 0; col < kRadioMark; ++col)
            if (auto c = colorOf(kMark[row][static_cast<std::size_t>(col)], col))
                canvas.setPixel(markX + col, markY + row, *c);
    if (state.checked) {
        const COLORREF dot = sysColor(state.disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
        detail::drawPattern(canvas, markX + 4, markY + 4, {".XX.", "XXXX", "XXXX", ".XX."},
                            [&](char ch) -> std::optional<COLORREF> {
                                if (ch == 'X') return dot;
                                return std::nullopt;
                            });
    }

    RECT textRect{rect.left + kRadioMark + kRadioTextGap, rect.top, rect.right, rect.bottom};
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    drawButtonText(canvas, font, text, textRect, format, state.disabled);

    if (state.focused && !text.empty()) {
        const SIZE extent = canvas.textExtent(font, text, format);
        const int top = textRect.top + (rectHeight(textRect) - extent.cy) / 2;
        const RECT around{textRect.left - 1, top - 1, textRect.left + extent.cx + 1, top + extent.cy + 1};
        canvas.drawFocusRect(detail::intersect(around, rect));
    }
}

void paintGroupBox(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                   const ControlState& state) {
    // The frame's top runs through the middle of the text line.
    RECT frame{rect.left, rect.top + font.height() / 2, rect.right, rect.bottom};
    canvas.drawEdge(frame, EDGE_ETCHED, BF_RECT);
    if (text.empty()) return;

    constexpr int kTextIndent = 8;
    const UINT format = DT_LEFT | DT_SINGLELINE;
    const SIZE extent = canvas.textExtent(font, text, format);
    RECT textRect{rect.left + kTextIndent, rect.top, rect.left + kTextIndent + extent.cx, rect.top + extent.cy};
    textRect.right = std::min(textRect.right, rect.right - kTextIndent);
    canvas.fillRect(textRect, sysColor(COLOR_BTNFACE));
    // One pixel more each way leaves room for the embossed copy of disabled text.
    const RECT drawRect{textRect.left, textRect.top, textRect.right + 1, textRect.bottom + 1};
    drawButtonText(canvas, font, text, drawRect, format, state.disabled);
}

void paintStaticText(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text, UINT format,
                     const ControlState& state) {
    canvas.fillRect(rect, sysColor(COLOR_BTNFACE));
    drawButtonText(canvas, font, text, rect, format, state.disabled);
}

void paintFilledRect(Canvas& canvas, const RECT& rect, int colorIndex) { canvas.fillRect(rect, sysColor(colorIndex)); }

}  // namespace graphics::look
