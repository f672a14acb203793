// graphics::look - how the classic controls and window parts look.
//
// Controls and the window frame call these with a state and never do colour
// or bevel arithmetic themselves. Every function draws inside the rectangle
// it is given (canvas coordinates) and paints its whole background unless
// said otherwise.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/IconImage.h"

#include <string>
#include <string_view>
#include <vector>

namespace graphics {

class Font;

// Classic metrics of the window parts, in pixels.
namespace metrics {
constexpr int dialogFrame = 3;           // each side of a dialog-frame window
constexpr int captionBar = 18;           // the caption's coloured bar
constexpr int captionHeight = captionBar + 1;  // bar plus the line under it
constexpr int captionButtonWidth = 16;
constexpr int captionButtonHeight = 14;
constexpr int iconSize = 32;
constexpr int smallIconSize = 16;
constexpr int clientEdge = 2;            // sunken border of edit and combo fields
}  // namespace metrics

namespace look {

struct ControlState {
    bool disabled = false;
    bool focused = false;    // draw the focus indication
    bool pushed = false;     // pressed (buttons) or dropped (combo box)
    bool isDefault = false;  // default push button: the extra black frame
    bool checked = false;    // radio buttons
};

// Push button: raised 3-D box, centred text (mnemonic underlined), sunken
// when pushed, a black frame when default, a focus rectangle when focused,
// embossed text when disabled.
void paintPushButton(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                     const ControlState& state);

// Automatic radio button: the 12x12 round check mark vertically centred at
// the left, the text beside it; a focus rectangle around the text.
void paintRadioButton(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                      const ControlState& state);

// Group box: an etched frame whose top runs through the middle of the first
// text line, the text in a gap near the left. The inside is left untouched
// (transparent); only the text's background is painted.
void paintGroupBox(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                   const ControlState& state);

// Static text on the button face. `format` holds DT_LEFT / DT_CENTER /
// DT_RIGHT, DT_WORDBREAK, DT_NOPREFIX as the control's style asks.
void paintStaticText(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                     UINT format, const ControlState& state);

// A static rectangle filled with a system colour (SS_BLACKRECT uses
// COLOR_WINDOWFRAME).
void paintFilledRect(Canvas& canvas, const RECT& rect, int colorIndex);

// Edit field: the sunken client edge when `bordered`, white inside when
// enabled and button face when disabled, the text left-aligned and
// vertically placed as a single-line edit does, grey when disabled; a caret
// before byte `caretIndex` when it is not -1.
void paintEdit(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
               bool bordered, const ControlState& state, int caretIndex);

// Drop-down combo box (closed): sunken field holding `text`, and the
// drop-down button with its arrow at the right (pushed when state.pushed).
void paintComboBox(Canvas& canvas, const Font& font, const RECT& rect, std::string_view text,
                   const ControlState& state);
// The part of a combo box's rectangle taken by its drop-down button.
RECT comboButtonRect(const RECT& rect);

// A drop-down list: items, one highlighted (-1 none). `rect` is the inside
// of the list; its 1-pixel border belongs to the list window's frame.
void paintListItems(Canvas& canvas, const Font& font, const RECT& rect,
                    const std::vector<std::string>& items, int topIndex, int highlighted, int itemHeight);

// --- window frame ---

// The dialog frame (DS_MODALFRAME): raised outer and inner edges plus a
// face-coloured ring, `metrics::dialogFrame` pixels on each side of `window`.
void paintDialogFrame(Canvas& canvas, const RECT& window);

struct CaptionParts {
    RECT bar;          // the coloured bar
    RECT icon;         // the small icon's place (the system menu button)
    RECT closeButton;  // the close box
};
// Where the parts of a caption bar lie, given the bar's rectangle.
CaptionParts captionParts(const RECT& bar);

// The caption bar: gradient in the active or inactive colours, the small
// icon (when not null; scaled to 16x16 if it has another size), the title in
// the caption font and the close box (pushed or not). Also paints the 1-pixel
// face-coloured line just under the bar (metrics::captionHeight includes it).
void paintCaption(Canvas& canvas, const RECT& bar, std::string_view title, bool active,
                  const IconImage* smallIcon, bool closePushed);

// --- menus ---

struct MenuItemView {
    std::string text;        // with '&' mnemonic and an optional "\t" accelerator part
    bool separator = false;
    bool disabled = false;
};

struct MenuLayout {
    SIZE size{};                  // the whole popup, border included
    std::vector<RECT> itemRects;  // one per item, in popup coordinates
};

MenuLayout layoutPopupMenu(const Font& font, const std::vector<MenuItemView>& items);
// The popup's raised border and items; `highlighted` is -1 or the selected
// item (drawn in the highlight colours); mnemonics underlined.
void paintPopupMenu(Canvas& canvas, const Font& font, const MenuLayout& layout,
                    const std::vector<MenuItemView>& items, int highlighted);

// --- icons ---

enum class StandardIcon { Exclamation };
// The platform's own artwork for a standard icon, 32x32.
const IconImage& standardIcon(StandardIcon which);

}  // namespace look
}  // namespace graphics
