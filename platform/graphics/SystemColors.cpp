// The classic 3-D colour scheme at its default settings.
#include "platform/graphics/SystemColors.h"

#include <array>

namespace graphics {

namespace {

constexpr COLORREF kFace = RGB(212, 208, 200);

constexpr std::array<COLORREF, 29> kColors = [] {
    std::array<COLORREF, 29> c{};
    c[COLOR_SCROLLBAR] = kFace;
    c[COLOR_BACKGROUND] = RGB(58, 110, 165);
    c[COLOR_ACTIVECAPTION] = RGB(10, 36, 106);
    c[COLOR_INACTIVECAPTION] = RGB(128, 128, 128);
    c[COLOR_MENU] = kFace;
    c[COLOR_WINDOW] = RGB(255, 255, 255);
    c[COLOR_WINDOWFRAME] = RGB(0, 0, 0);
    c[COLOR_MENUTEXT] = RGB(0, 0, 0);
    c[COLOR_WINDOWTEXT] = RGB(0, 0, 0);
    c[COLOR_CAPTIONTEXT] = RGB(255, 255, 255);
    c[COLOR_ACTIVEBORDER] = kFace;
    c[COLOR_INACTIVEBORDER] = kFace;
    c[COLOR_APPWORKSPACE] = RGB(128, 128, 128);
    c[COLOR_HIGHLIGHT] = RGB(10, 36, 106);
    c[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
    c[COLOR_BTNFACE] = kFace;
    c[COLOR_BTNSHADOW] = RGB(128, 128, 128);
    c[COLOR_GRAYTEXT] = RGB(128, 128, 128);
    c[COLOR_BTNTEXT] = RGB(0, 0, 0);
    c[COLOR_INACTIVECAPTIONTEXT] = kFace;
    c[COLOR_BTNHIGHLIGHT] = RGB(255, 255, 255);
    c[COLOR_3DDKSHADOW] = RGB(64, 64, 64);
    c[COLOR_3DLIGHT] = kFace;
    c[COLOR_INFOTEXT] = RGB(0, 0, 0);
    c[COLOR_INFOBK] = RGB(255, 255, 225);
    c[26] = RGB(0, 0, 128);  // hot-tracked text; index 25 has no colour of its own
    c[COLOR_GRADIENTACTIVECAPTION] = RGB(166, 202, 240);
    c[COLOR_GRADIENTINACTIVECAPTION] = RGB(192, 192, 192);
    return c;
}();

}  // namespace

COLORREF sysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kColors.size())) return RGB(0, 0, 0);
    return kColors[static_cast<std::size_t>(index)];
}

}  // namespace graphics
