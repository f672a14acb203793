// Renders every control state and window part of the classic look into one
// PNG, for a person to compare with the classic style, and reports how long
// painting a full dialog takes.
//
// Usage: graphics_look_gallery [output.png]   (default look_gallery.png)
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/SystemColors.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace graphics;
using look::ControlState;

namespace {

// A dialog of about the size and control count of the program's main window.
void paintSampleDialog(Canvas& c, const IconImage& icon) {
    const Font& font = messageFont();
    const RECT window{0, 0, 480, 510};
    look::paintDialogFrame(c, window);
    look::paintCaption(c, {3, 3, 477, 21}, "QUILVANE v2.03", true, &icon, false);
    c.fillRect({3, 22, 477, 507}, sysColor(COLOR_BTNFACE));
    look::paintFilledRect(c, {14, 33, 466, 293}, COLOR_WINDOWFRAME);
    look::paintGroupBox(c, font, {14, 300, 230, 490}, "Configuration", {});
    look::paintGroupBox(c, font, {236, 300, 466, 490}, "Output", {});
    look::paintGroupBox(c, font, {246, 350, 446, 440}, "File Format", {});
    look::paintPushButton(c, font, {28, 318, 118, 341}, "Detect Hardware", {false, true});
    look::paintStaticText(c, font, {30, 352, 156, 365}, "Hardware Detected: None", DT_LEFT | DT_WORDBREAK, {});
    look::paintStaticText(c, font, {30, 378, 74, 391}, "Channel:", DT_LEFT | DT_WORDBREAK, {});
    look::paintComboBox(c, font, {117, 374, 224, 395}, "Channel 01", {true});
    look::paintStaticText(c, font, {30, 405, 96, 418}, "Sample Rate:", DT_LEFT | DT_WORDBREAK, {});
    look::paintEdit(c, font, {116, 401, 197, 424}, "225", true, {true}, -1);
    look::paintStaticText(c, font, {204, 405, 225, 418}, "kHz", DT_LEFT | DT_WORDBREAK, {});
    look::paintStaticText(c, font, {30, 431, 110, 444}, "Recording Time:", DT_LEFT | DT_WORDBREAK, {});
    look::paintEdit(c, font, {116, 427, 197, 450}, "1000", true, {true}, -1);
    look::paintStaticText(c, font, {203, 431, 218, 444}, "ms", DT_LEFT | DT_WORDBREAK, {});
    look::paintPushButton(c, font, {70, 457, 160, 480}, "Start Recording", {true});
    look::paintStaticText(c, font, {246, 319, 297, 332}, "File Name:", DT_LEFT | DT_WORDBREAK, {});
    look::paintEdit(c, font, {300, 315, 417, 338}, "output.txt", true, {true}, -1);
    look::paintPushButton(c, font, {423, 315, 443, 338}, "...", {true});
    look::paintRadioButton(c, font, {254, 364, 299, 380}, "Text", {true, false, false, false, true});
    look::paintRadioButton(c, font, {254, 380, 306, 396}, "Binary", {true});
    look::paintRadioButton(c, font, {254, 396, 333, 412}, "CSV (Excel)", {true});
    look::paintRadioButton(c, font, {254, 412, 309, 428}, "Matlab", {true});
    look::paintPushButton(c, font, {297, 457, 387, 480}, "Save File", {true});
    look::paintPushButton(c, font, {196, 476, 271, 499}, "Close", {false, true, false, true});
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "look_gallery.png";
    std::string error;
    if (!fontsUsable(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const Font& font = messageFont();
    const IconImage& warning = look::standardIcon(look::StandardIcon::Exclamation);

    Bitmap bitmap(1000, 560);
    Canvas all(bitmap, {0, 0}, {0, 0, 1000, 560});
    all.fillRect({0, 0, 1000, 560}, sysColor(COLOR_BACKGROUND));

    {
        Canvas dialog(bitmap, {10, 10}, {0, 0, 480, 510});
        paintSampleDialog(dialog, warning);
    }

    // Every state of each control, one column per control kind.
    Canvas c(bitmap, {500, 10}, {0, 0, 490, 540});
    c.fillRect({0, 0, 490, 540}, sysColor(COLOR_BTNFACE));
    const ControlState states[] = {
        {},                                   // normal
        {false, true},                        // focused
        {false, true, true},                  // pushed
        {false, false, false, true},          // default
        {false, true, false, true},           // default + focused
        {false, true, true, true},            // default + pushed
        {true},                               // disabled
    };
    int y = 6;
    for (const ControlState& s : states) {
        look::paintPushButton(c, font, {6, y, 86, y + 23}, "&Button", s);
        look::paintRadioButton(c, font, {94, y + 3, 170, y + 19}, "&Radio", {s.disabled, s.focused, false, false, true});
        look::paintRadioButton(c, font, {172, y + 3, 240, y + 19}, "Off", {s.disabled, s.focused});
        look::paintComboBox(c, font, {246, y, 346, y + 21}, "Channel 01", s);
        look::paintEdit(c, font, {352, y, 440, y + 23}, "225 kHz", true, s, s.focused ? 3 : -1);
        y += 30;
    }
    look::paintGroupBox(c, font, {6, y, 200, y + 60}, "Group &box", {});
    look::paintGroupBox(c, font, {206, y, 400, y + 60}, "Disabled group", {true});
    look::paintStaticText(c, font, {14, y + 18, 190, y + 56}, "Static text that wraps by words in its box, A&&B.",
                          DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS, {});
    look::paintStaticText(c, font, {214, y + 18, 390, y + 56}, "Disabled &static", DT_LEFT | DT_WORDBREAK, {true});
    y += 70;
    c.drawIcon(6, y, warning);
    c.fillRect({46, y, 86, y + 40}, RGB(255, 255, 255));
    c.drawIcon(50, y + 4, warning);
    c.drawIcon(96, y + 8, warning, 16, 16);

    const std::vector<look::MenuItemView> items = {
        {"&Restore", false, true}, {"&Move"}, {"&Size", false, true}, {"Mi&nimize", false, true},
        {"Ma&ximize", false, true}, {"", true}, {"&Close\tAlt+F4"}, {"", true}, {"&About quilvane..."}};
    const look::MenuLayout layout = look::layoutPopupMenu(menuFont(), items);
    {
        Canvas menu(bitmap, {500 + 130, 10 + y}, {0, 0, layout.size.cx, layout.size.cy});
        look::paintPopupMenu(menu, menuFont(), layout, items, 6);
    }
    {
        Canvas menu(bitmap, {500 + 310, 10 + y}, {0, 0, layout.size.cx, layout.size.cy});
        look::paintPopupMenu(menu, menuFont(), layout, items, 0);
    }
    look::paintCaption(c, {6, y + 50, 126, y + 68}, "Inactive", false, nullptr, true);
    look::paintListItems(c, font, {6, y + 80, 120, y + 132}, {"Channel 01", "Channel 02", "Channel 03", "Channel 04"},
                         0, 1, 13);

    if (!bitmap.writePng(path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }

    // Timing of a whole dialog paint, after a first paint has filled the caches.
    Bitmap timing(480, 510);
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        Canvas dialog(timing, {0, 0}, {0, 0, 480, 510});
        paintSampleDialog(dialog, warning);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("wrote %s; one 480x510 dialog paint takes %.3f ms\n", path.c_str(), ms / kRounds);
    return 0;
}
