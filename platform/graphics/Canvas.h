// graphics::Canvas - drawing on a Bitmap through an origin and a clip
// rectangle: the drawing half of a device context. Coordinates are relative
// to the origin (a window's client or window area inside its top-level
// window's bitmap); nothing is drawn outside the clip rectangle.
//
// Colour and bevel arithmetic lives here and in ControlLook, never in the
// controls.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/graphics/DrawConstants.h"

#include <cstdint>
#include <string>
#include <string_view>

typedef struct _cairo cairo_t;

namespace graphics {

class Bitmap;
class Font;
struct IconImage;

// Text with '&' mnemonics: "&About" shows "About" with the A underlined and
// "&&" shows one '&'. DT_NOPREFIX shows the text as it is; DT_HIDEPREFIX
// removes the '&' but draws no underline.
struct PrefixedText {
    std::string shown;       // the text without prefix characters
    int underlineIndex = -1; // byte index in `shown` of the underlined character, or -1
};
PrefixedText parsePrefix(std::string_view text, UINT format);

// Size of `text` in `font` as DrawText with `format` would show it (no word
// wrapping); needs no canvas.
SIZE textExtent(const Font& font, std::string_view text, UINT format);

class Canvas {
public:
    // `origin` is where this canvas's (0,0) lies in the bitmap; `clip` is in
    // canvas coordinates.
    Canvas(Bitmap& target, POINT origin, RECT clip);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    POINT origin() const { return origin_; }
    RECT clip() const { return clip_; }
    void intersectClip(const RECT& rect);
    // Replaces the clip rectangle (canvas coordinates); it is still kept
    // inside the bitmap.
    void setClip(const RECT& rect);

    void fillRect(const RECT& rect, COLORREF color);
    void frameRect(const RECT& rect, COLORREF color);  // 1-pixel outline just inside rect
    void setPixel(int x, int y, COLORREF color);
    COLORREF pixel(int x, int y) const;  // the colour at (x, y), black outside the bitmap
    void hLine(int x0, int x1, int y, COLORREF color);  // [x0, x1)
    void vLine(int x, int y0, int y1, COLORREF color);  // [y0, y1)

    // The classic DrawEdge: BDR_*/EDGE_* edges on the BF_* sides; BF_MIDDLE
    // fills the inside with the button face; BF_ADJUST shrinks `rect`.
    void drawEdge(RECT& rect, UINT edge, UINT flags);
    // The dotted focus rectangle (every other pixel inverted).
    void drawFocusRect(const RECT& rect);

    // Size of `text` in `font` as DrawText with `format` would show it.
    SIZE textExtent(const Font& font, std::string_view text, UINT format) const;
    // The classic DrawText: draws `text` in `rect` with `format` (DT_*) in
    // `color`, the background left as it is. With DT_CALCRECT draws nothing
    // and sets rect's right and bottom to what the text needs. Returns the
    // height of the text.
    int drawText(const Font& font, std::string_view text, RECT& rect, UINT format, COLORREF color);
    // Disabled ("embossed") text: the text in the highlight colour offset by
    // one pixel right and down, then in the shadow colour on top.
    void drawDisabledText(const Font& font, std::string_view text, RECT rect, UINT format);

    // Draws the icon with its top-left corner at (x, y); transparent pixels
    // leave the background.
    void drawIcon(int x, int y, const IconImage& icon);
    // Draws the icon scaled to width x height (an icon of another size where
    // a small icon belongs, for instance), averaging the pixels it shrinks.
    void drawIcon(int x, int y, const IconImage& icon, int width, int height);

private:
    // Fills `rect` (canvas coordinates) inside `limit` (canvas coordinates,
    // already within the bitmap) with a pixel value.
    void fillClipped(const RECT& rect, const RECT& limit, std::uint32_t pixel);
    std::uint32_t* pixelAt(int x, int y) const;  // canvas coordinates, must be inside the bitmap
    // Brackets drawing through cairo, clipped to `limit` (canvas coordinates).
    cairo_t* beginCairo(const RECT& limit);
    void endCairo();

    Bitmap& target_;
    POINT origin_;
    RECT clip_;
    cairo_t* cr_;
    bool pixelsWritten_ = false;  // direct writes that cairo has not been told of
};

}  // namespace graphics
