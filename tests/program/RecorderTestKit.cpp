#include "tests/program/RecorderTestKit.h"

#include "platform/framework/ApplicationRun.h"
#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/SystemColors.h"
#include "recorder_window/RecorderDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace recorder_test {

namespace {

bool isPushButtonType(DWORD style) {
    DWORD type = style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

std::string comboItem(HWND combo, int index) {
    char buffer[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

}  // namespace

bool ControlView::operator==(const ControlView& o) const {
    return id == o.id && className == o.className && text == o.text && style == o.style && enabled == o.enabled &&
           visible == o.visible && check == o.check && selection == o.selection && items == o.items &&
           rect.left == o.rect.left && rect.top == o.rect.top && rect.right == o.rect.right &&
           rect.bottom == o.rect.bottom;
}

std::ostream& operator<<(std::ostream& out, const ControlView& v) {
    out << "{id " << v.id << ", " << v.className << " \"" << v.text << "\", style 0x" << std::hex << v.style
        << std::dec << (v.enabled ? ", enabled" : ", disabled") << (v.visible ? "" : ", hidden");
    if (v.check >= 0) out << ", check " << v.check;
    if (v.selection != -1 || !v.items.empty()) out << ", selection " << v.selection << " of " << v.items.size();
    out << ", rect " << v.rect.left << "," << v.rect.top << "," << v.rect.right << "," << v.rect.bottom << "}";
    return out;
}

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    return children;
}

std::vector<ControlView> viewOf(HWND dialog) {
    std::vector<ControlView> views;
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    for (HWND c : childrenOf(dialog)) {
        ControlView v;
        v.id = GetDlgCtrlID(c);
        v.className = HeadlessProgram::className(c);
        v.text = HeadlessProgram::text(c);
        v.style = HeadlessProgram::style(c);
        if (v.className == "Button" && isPushButtonType(v.style)) v.style &= ~BS_TYPEMASK;
        v.enabled = IsWindowEnabled(c) != FALSE;
        v.visible = IsWindowVisible(c) != FALSE;
        if (v.className == "Button" && (HeadlessProgram::style(c) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            v.check = SendMessageA(c, BM_GETCHECK, 0, 0);
        if (v.className == "ComboBox") {
            v.selection = SendMessageA(c, CB_GETCURSEL, 0, 0);
            LRESULT count = SendMessageA(c, CB_GETCOUNT, 0, 0);
            for (int i = 0; i < count; ++i) v.items.push_back(comboItem(c, i));
        }
        RECT r = HeadlessProgram::screenRect(c);
        v.rect = {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
        views.push_back(std::move(v));
    }
    return views;
}

bool looksDefault(HWND button) { return (HeadlessProgram::style(button) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

RECT rectInSurface(HWND hwnd) {
    RECT top = HeadlessProgram::screenRect(GetAncestorTopLevel(hwnd));
    RECT r = HeadlessProgram::screenRect(hwnd);
    return {r.left - top.left, r.top - top.top, r.right - top.left, r.bottom - top.top};
}

POINT atWindow(HWND top, int x, int y) {
    RECT r = HeadlessProgram::screenRect(top);
    return {r.left + x, r.top + y};
}

namespace {
constexpr int kFrame = 3;
constexpr int kCaptionBar = 18;
}  // namespace

POINT closeBoxCentre(HWND top) {
    RECT r = HeadlessProgram::screenRect(top);
    int barRight = rectWidth(r) - kFrame;
    int left = barRight - 2 - 16;
    int boxTop = kFrame + 2;
    return atWindow(top, left + 16 / 2, boxTop + 14 / 2);
}

RECT captionIconInWindow(HWND top) {
    (void)top;
    return {kFrame + 2, kFrame + 1, kFrame + 2 + 16, kFrame + 1 + 16};
}

POINT captionIconCentre(HWND top) {
    RECT icon = captionIconInWindow(top);
    return atWindow(top, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
}

std::vector<std::uint32_t> presentedPixels(const display::HeadlessBackend& screen, display::SurfaceId surface,
                                           const RECT& area) {
    std::vector<std::uint32_t> pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) pixels.push_back(screen.pixel(surface, x, y));
    return pixels;
}

std::uint32_t sysPixel(int colorIndex) {
    COLORREF c = graphics::sysColor(colorIndex);
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

HWND openMenu() {
    windowing::WindowSystem* system = windowing::WindowSystem::current();
    if (!system) return nullptr;
    for (HWND top : system->topLevelWindows())
        if (IsWindowVisible(top) && HeadlessProgram::className(top) == "#32768") return top;
    return nullptr;
}

POINT menuItemCentre(HWND popup, HMENU menu, const std::string& textStart) {
    std::vector<graphics::look::MenuItemView> views;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        graphics::look::MenuItemView view;
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        view.separator = (state & MF_SEPARATOR) != 0;
        view.disabled = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        char text[128] = {};
        if (!view.separator) GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        view.text = text;
        views.push_back(view);
    }
    graphics::look::MenuLayout layout = graphics::look::layoutPopupMenu(graphics::menuFont(), views);
    RECT r = HeadlessProgram::screenRect(popup);
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (views[i].separator || views[i].text.rfind(textStart, 0) != 0) continue;
        const RECT& item = layout.itemRects[i];
        return {r.left + (item.left + item.right) / 2, r.top + (item.top + item.bottom) / 2};
    }
    return {-1, -1};
}

int runRecorderDialog() {
    CRecorderDlg dialog;
    return dialog.DoModal();
}

void WindowEnds::install(windowing::WindowSystem& system) {
    auto previous = system.destroyHook;
    system.destroyHook = [this, previous, &system](HWND hwnd) {
        if (previous) previous(hwnd);
        windowing::Window* w = system.window(hwnd);
        if (!w || w->isChild()) return;
        destroyed_.push_back(hwnd);
        int left = 0;
        for (HWND top : system.topLevelWindows())
            if (top != hwnd) ++left;
        leftAfterLast_ = left;
    };
}

std::vector<resources_test::ResEntry> programEntries() {
    std::span<const std::uint8_t> bytes = ApplicationRun::embeddedProgramResources();
    auto parsed = resources::ResourceFile::parse(bytes);
    EXPECT_TRUE(parsed.ok()) << "the program's own resources do not parse";
    std::vector<resources_test::ResEntry> entries;
    if (!parsed.ok()) return entries;
    for (const resources::ResourceEntry& e : parsed->entries())
        entries.push_back({e.type, e.name, e.language, std::vector<std::uint8_t>(e.data.begin(), e.data.end())});
    return entries;
}

std::vector<std::uint8_t> buildRes(const std::vector<resources_test::ResEntry>& entries) {
    return resources_test::buildResFile(entries);
}

std::vector<std::uint8_t> programResource(std::uint16_t type, std::uint16_t name) {
    for (const resources_test::ResEntry& e : programEntries())
        if (e.type == resources::ResourceName::id(type) && e.name == resources::ResourceName::id(name)) return e.data;
    ADD_FAILURE() << "the program has no resource of type " << type << " and name " << name;
    return {};
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

resources::IconBitmap appIconImage(int size) {
    auto group = resources::parseIconGroup(programResource(resources::kTypeGroupIcon, 128));
    EXPECT_TRUE(group.ok());
    if (!group.ok()) return {};
    for (const resources::GroupIconEntry& entry : group.value()) {
        if (entry.width != size) continue;
        std::vector<std::uint8_t> data = programResource(resources::kTypeIcon, entry.id);
        auto image = resources::decodeIconImage(data);
        EXPECT_TRUE(image.ok());
        if (image.ok()) return image.value();
    }
    ADD_FAILURE() << "the program's icon has no " << size << "x" << size << " image";
    return {};
}

std::uint32_t iconOver(const resources::IconBitmap& icon, int x, int y, std::uint32_t background) {
    std::uint32_t argb = icon.argb[static_cast<std::size_t>(y) * icon.width + x];
    return (argb >> 24) ? (argb & 0x00FFFFFF) : background;
}

}  // namespace recorder_test
