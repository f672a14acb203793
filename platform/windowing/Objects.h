// The objects behind menu, icon, device-context and font handles.
//
//   MenuItem, Menu   - a popup menu and its items
//   Icon             - an icon's images, one per size
//   DeviceContext    - a canvas on a window's pixels (GetDC, BeginPaint)
//   FontObject       - a font selected by handle (WM_SETFONT)
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/IconImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace windowing {

struct MenuItem {
    UINT flags = 0;           // MF_* (separator, grayed, disabled, checked, popup)
    std::uintptr_t id = 0;    // command identifier
    std::string text;         // with '&' mnemonic and an optional "\t" accelerator part
    HMENU popup = nullptr;    // submenu for MF_POPUP
};

struct Menu {
    std::vector<MenuItem> items;
};

struct Icon {
    std::vector<graphics::IconImage> images;
    // The image closest to size x size (exact first, else the nearest larger,
    // else the largest); null for an icon without images.
    const graphics::IconImage* imageFor(int size) const;
};

struct DeviceContext {
    HWND hwnd = nullptr;
    std::unique_ptr<graphics::Canvas> canvas;
};

struct FontObject {
    std::shared_ptr<const graphics::Font> font;
};

}  // namespace windowing
