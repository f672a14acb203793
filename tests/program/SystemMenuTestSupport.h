// Helpers of the system-menu, About box and help tests: the menu's entries,
// the popup menu window and its items on screen, the caption's parts, a
// readable picture of the recorder window's state, the fixture resources and
// pictures written for people to look at.
#pragma once

#include "resources/resource.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"
#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <sstream>
#include <string>
#include <vector>

extern const std::uint8_t about_entry_missing_begin[];
extern const std::uint8_t about_entry_missing_end[];
extern const std::uint8_t about_entry_empty_begin[];
extern const std::uint8_t about_entry_empty_end[];

namespace sysmenu_test {

constexpr const char* kAboutTitle = "About quilvane";
constexpr const char* kAboutEntryText = "&About quilvane...";
constexpr const char* kMenuClass = "#32768";

// The frame of a dialog-frame window and the caption bar inside it.
constexpr int kFrame = 3;
constexpr int kCaptionBar = 18;

// The program's resources with string 101 missing, or present but empty.
inline std::span<const std::uint8_t> resourcesWithoutAboutString() {
    return {about_entry_missing_begin, static_cast<std::size_t>(about_entry_missing_end - about_entry_missing_begin)};
}
inline std::span<const std::uint8_t> resourcesWithEmptyAboutString() {
    return {about_entry_empty_begin, static_cast<std::size_t>(about_entry_empty_end - about_entry_empty_begin)};
}

struct MenuEntry {
    UINT id = 0;
    std::string text;
    bool separator = false;
    bool operator==(const MenuEntry&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const MenuEntry& e) {
    if (e.separator) return os << "{separator}";
    return os << "{0x" << std::hex << e.id << std::dec << " \"" << e.text << "\"}";
}

inline std::vector<MenuEntry> entriesOf(HMENU menu) {
    std::vector<MenuEntry> entries;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MenuEntry e;
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        e.separator = (state & MF_SEPARATOR) != 0;
        if (!e.separator) {
            e.id = GetMenuItemID(menu, i);
            char buffer[128] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
            e.text = buffer;
        }
        entries.push_back(e);
    }
    return entries;
}

// The standard part of a fixed dialog's system menu, and the whole menu
// with the About entry.
inline std::vector<MenuEntry> standardEntries() {
    return {{SC_MOVE, "&Move", false}, {SC_CLOSE, "&Close\tAlt+F4", false}};
}
inline std::vector<MenuEntry> entriesWithAbout() {
    std::vector<MenuEntry> e = standardEntries();
    e.push_back({0, "", true});
    e.push_back({IDM_ABOUT_ENTRY, kAboutEntryText, false});
    return e;
}

// The open popup menu window, or null.
inline HWND openPopupMenu(const HeadlessProgram& program) {
    for (HWND hwnd : program.visibleTopLevels())
        if (HeadlessProgram::className(hwnd) == kMenuClass) return hwnd;
    return nullptr;
}

inline std::size_t countTitled(const HeadlessProgram& program, const std::string& title) {
    std::size_t n = 0;
    for (HWND hwnd : program.visibleTopLevels())
        if (HeadlessProgram::text(hwnd) == title) ++n;
    return n;
}

// Caption parts of a top-level dialog-frame window, in screen coordinates:
// the small icon at the bar's left (2 in, 1 down, 16x16), the close box at
// its right.
inline RECT captionBarOf(HWND top) {
    RECT r = HeadlessProgram::screenRect(top);
    return {r.left + kFrame, r.top + kFrame, r.right - kFrame, r.top + kFrame + kCaptionBar};
}
inline POINT captionIconPoint(HWND top) {
    RECT bar = captionBarOf(top);
    return {bar.left + 2 + 8, bar.top + 1 + 8};
}
inline POINT captionClosePoint(HWND top) {
    RECT parts = graphics::look::captionParts(captionBarOf(top)).closeButton;
    return {(parts.left + parts.right) / 2, (parts.top + parts.bottom) / 2};
}
// A point on the caption's title, away from the icon and the close box.
inline POINT captionTitlePoint(HWND top) {
    RECT bar = captionBarOf(top);
    return {(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
}

// The screen rectangle of item `index` of `menu` shown in the popup window.
inline RECT popupItemRect(HWND popup, HMENU menu, int index) {
    std::vector<graphics::look::MenuItemView> views;
    for (const MenuEntry& e : entriesOf(menu)) views.push_back({e.text, e.separator, false});
    graphics::look::MenuLayout layout = graphics::look::layoutPopupMenu(graphics::menuFont(), views);
    RECT r = HeadlessProgram::screenRect(popup);
    RECT item = layout.itemRects.at(static_cast<std::size_t>(index));
    return {r.left + item.left, r.top + item.top, r.left + item.right, r.top + item.bottom};
}
inline POINT centreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

inline std::string hexOf(unsigned value) {
    std::ostringstream os;
    os << "0x" << std::hex << value;
    return os.str();
}

// What a user can see and use of the recorder window, as text: its place,
// caption, enabled state, every control (text, enabled, visible, check,
// selection) and the system menu. Two equal descriptions mean the window is
// unchanged.
inline std::string describeWindow(HWND window, bool withSystemMenu = true) {
    std::ostringstream os;
    RECT r = HeadlessProgram::screenRect(window);
    os << "rect " << r.left << "," << r.top << "," << r.right << "," << r.bottom << "\n";
    os << "title \"" << HeadlessProgram::text(window) << "\" enabled " << (IsWindowEnabled(window) != FALSE)
       << " visible " << (IsWindowVisible(window) != FALSE) << "\n";
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        os << GetDlgCtrlID(c) << " " << HeadlessProgram::className(c) << " \"" << HeadlessProgram::text(c)
           << "\" enabled " << (IsWindowEnabled(c) != FALSE) << " visible " << (IsWindowVisible(c) != FALSE)
           << " style " << hexOf(HeadlessProgram::style(c));
        std::string cls = HeadlessProgram::className(c);
        if (cls == "Button") os << " check " << SendMessageA(c, BM_GETCHECK, 0, 0);
        if (cls == "ComboBox") os << " selection " << SendMessageA(c, CB_GETCURSEL, 0, 0);
        os << "\n";
    }
    if (withSystemMenu)
        for (const MenuEntry& e : entriesOf(GetSystemMenu(window, FALSE))) os << "menu " << e << "\n";
    return os.str();
}

// The last presented pixels of `hwnd`'s top-level window.
inline std::vector<std::uint32_t> presentedPixels(HeadlessProgram& program, HWND hwnd) {
    const auto* surface = program.screen().surface(program.surfaceOf(hwnd));
    return surface ? surface->pixels : std::vector<std::uint32_t>{};
}

// How many pixels two frames of one window differ in (all when the sizes differ).
inline std::size_t differingPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) n += ((a[i] ^ b[i]) & 0x00FFFFFF) != 0 ? 1 : 0;
    return n;
}

// Pictures for people to look at, in the build folder.
inline std::string picturePath(const std::string& name) {
    std::filesystem::create_directories(QV_ABOUT_HELP_PICTURES_DIR);
    return std::string(QV_ABOUT_HELP_PICTURES_DIR) + "/" + name + ".png";
}

// Writes the last presented pixels of `hwnd`'s top-level window as a PNG.
inline void writePictureOf(HeadlessProgram& program, HWND hwnd, const std::string& name) {
    const auto* surface = program.screen().surface(program.surfaceOf(hwnd));
    ASSERT_NE(surface, nullptr) << name;
    ASSERT_FALSE(surface->pixels.empty()) << name << ": nothing was presented";
    std::string error;
    std::string path = picturePath(name);
    EXPECT_TRUE(graphics::writePng(surface->pixels.data(), surface->width, surface->height, surface->width * 4, path,
                                   &error))
        << path << ": " << error;
}

}  // namespace sysmenu_test
