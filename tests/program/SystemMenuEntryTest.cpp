// The About entry of the recorder window's system menu: where it stands in
// the menu, the window's own copy of the menu, programs whose string 101 is
// missing or empty, and the entry's mnemonic as drawn on screen.
#include "tests/program/SystemMenuTestSupport.h"

#include <functional>

using namespace sysmenu_test;

namespace {

bool isDark(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) < 0x70 && ((pixel >> 8) & 0xFF) < 0x70 && (pixel & 0xFF) < 0x70;
}

}  // namespace

TEST(SystemMenuEntry, MenuEndsWithSeparatorAndAboutAndIsTheWindowsOwnCopy) {
    HeadlessProgram program;
    program.then([&] {
        HWND recorder = program.recorder();
        ASSERT_NE(recorder, nullptr);
        HMENU menu = GetSystemMenu(recorder, FALSE);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(entriesOf(menu), entriesWithAbout());
        EXPECT_EQ(GetSystemMenu(recorder, FALSE), menu) << "the same menu every time";
        EXPECT_EQ(GetMenuState(menu, IDM_ABOUT_ENTRY, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
        // The entry is the last one, so nothing may follow it.
        EXPECT_EQ(GetMenuItemID(menu, GetMenuItemCount(menu) - 1), static_cast<UINT>(IDM_ABOUT_ENTRY));

        // Reverting drops the window's copy: the next request makes the
        // standard menu again, without the program's additions.
        EXPECT_EQ(GetSystemMenu(recorder, TRUE), nullptr);
        EXPECT_FALSE(IsMenu(menu));
        HMENU fresh = GetSystemMenu(recorder, FALSE);
        ASSERT_NE(fresh, nullptr);
        EXPECT_EQ(entriesOf(fresh), standardEntries());
        EXPECT_EQ(GetSystemMenu(recorder, FALSE), fresh);
        program.key(VK_SPACE, display::ModAlt);
    });
    program.then([&] {
        // The menu shown is the reverted one: Move and Close only.
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr);
        RECT close = popupItemRect(popup, GetSystemMenu(program.recorder(), FALSE), 1);
        EXPECT_EQ(HeadlessProgram::screenRect(popup).bottom, close.bottom + 3) << "the menu holds two items";
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}

namespace {

struct ResourceVariant {
    const char* name;
    std::function<std::span<const std::uint8_t>()> resources;
};

void PrintTo(const ResourceVariant& r, std::ostream* os) { *os << r.name; }

class SystemMenuWithoutAboutString : public ::testing::TestWithParam<ResourceVariant> {};

// With string 101 missing or empty the program adds neither the separator
// nor the entry, and the window is otherwise the same as the real program's.
TEST_P(SystemMenuWithoutAboutString, AddsNothingAndChangesNothingElse) {
    std::string expected;
    {
        HeadlessProgram reference;
        reference.then([&] {
            expected = describeWindow(reference.recorder(), false);
            reference.key(VK_ESCAPE);
        });
        ASSERT_EQ(reference.run(), 0);
    }

    HeadlessProgram program;
    program.options().programResources = GetParam().resources();
    program.then([&] {
        HWND recorder = program.recorder();
        ASSERT_NE(recorder, nullptr);
        EXPECT_EQ(entriesOf(GetSystemMenu(recorder, FALSE)), standardEntries());
        EXPECT_EQ(describeWindow(recorder, false), expected);
        EXPECT_EQ(GetFocus(), program.control(IDOK));
        EXPECT_NE(SendMessageA(recorder, WM_GETICON, ICON_SMALL, 0), 0) << "the icons are set after the menu step";
        program.key(VK_SPACE, display::ModAlt);
    });
    program.then([&] {
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr);
        RECT close = popupItemRect(popup, GetSystemMenu(program.recorder(), FALSE), 1);
        EXPECT_EQ(HeadlessProgram::screenRect(popup).bottom, close.bottom + 3) << "the menu holds two items";
        // A of a missing entry chooses nothing: the menu stays open.
        program.key('A');
    });
    program.then([&] {
        EXPECT_NE(openPopupMenu(program), nullptr);
        EXPECT_EQ(program.topLevel(kAboutTitle), nullptr);
        program.key(VK_ESCAPE);
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Variants, SystemMenuWithoutAboutString,
                         ::testing::Values(ResourceVariant{"StringMissing", resourcesWithoutAboutString},
                                           ResourceVariant{"StringEmpty", resourcesWithEmptyAboutString}),
                         [](const auto& info) { return std::string(info.param.name); });

// The popup menu as presented: the A of "About" is underlined (a dark run
// just below the baseline under the A), and no other letter of the label is.
TEST(SystemMenuEntry, MnemonicAIsUnderlinedOnScreen) {
    HeadlessProgram program;
    program.then([&] { program.key(VK_SPACE, display::ModAlt); });
    program.then([&] {
        HWND recorder = program.recorder();
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(GetWindow(popup, GW_OWNER), recorder);
        writePictureOf(program, popup, "system_menu");

        RECT popupRect = HeadlessProgram::screenRect(popup);
        RECT item = popupItemRect(popup, GetSystemMenu(recorder, FALSE), 3);
        item = {item.left - popupRect.left, item.top - popupRect.top, item.right - popupRect.left,
                item.bottom - popupRect.top};
        const display::SurfaceId shown = program.surfaceOf(popup);
        auto dark = [&](int x, int y) { return isDark(program.screen().pixel(shown, x, y)); };

        // The label starts after the check-mark column.
        const graphics::Font& font = graphics::menuFont();
        const UINT format = DT_SINGLELINE | DT_NOPREFIX;
        const int labelLeft = item.left + 17;
        const int aRight = labelLeft + graphics::textExtent(font, "A", format).cx;
        const int wordRight = labelLeft + graphics::textExtent(font, "About", format).cx;
        const int restLeft = labelLeft + graphics::textExtent(font, "About q", format).cx;
        const int labelRight = labelLeft + graphics::textExtent(font, "About quilvane...", format).cx;
        ASSERT_GT(aRight - labelLeft, 4);

        // "bout" has no descenders: its lowest ink sits on the baseline.
        int lowest = -1;
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = aRight + 1; x < wordRight; ++x)
                if (dark(x, y)) lowest = y;
        ASSERT_GE(lowest, item.top) << "no text in the About item";

        auto darkRun = [&](int y, int from, int to) {
            int count = 0;
            for (int x = from; x < to; ++x) count += dark(x, y) ? 1 : 0;
            return count;
        };
        int underline = -1;
        for (int y = lowest + 1; y <= lowest + 3 && y < item.bottom; ++y)
            if (darkRun(y, labelLeft, aRight) >= aRight - labelLeft - 2) underline = y;
        ASSERT_NE(underline, -1) << "no underline under the A (baseline row " << lowest << ")";
        // Under the other letters every row below the baseline stays clear
        // (the q's descender is left out).
        for (int y = lowest + 1; y <= lowest + 3; ++y) {
            SCOPED_TRACE("row " + std::to_string(y));
            EXPECT_EQ(darkRun(y, aRight + 1, wordRight), 0);
            EXPECT_EQ(darkRun(y, restLeft, labelRight), 0);
        }
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}

// Where the menu opens: from the icon or the keyboard just under the caption
// at the window's left, from a right click at the pointer; always inside the
// work area, also for a window near the screen's bottom-right corner.
struct MenuPlaceRow {
    const char* name;
    POINT recorderAt;  // {-1,-1}: where the program put it
    bool rightClick;
    bool byKeyboard;
};

void PrintTo(const MenuPlaceRow& r, std::ostream* os) { *os << r.name; }

class SystemMenuPlacement : public ::testing::TestWithParam<MenuPlaceRow> {};

TEST_P(SystemMenuPlacement, OpensAtItsAnchorInsideTheWorkArea) {
    const MenuPlaceRow& row = GetParam();
    HeadlessProgram program;
    POINT expected{};
    program.then([&] {
        HWND recorder = program.recorder();
        if (row.recorderAt.x != -1)
            SetWindowPos(recorder, nullptr, row.recorderAt.x, row.recorderAt.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT r = HeadlessProgram::screenRect(recorder);
        if (row.rightClick) {
            POINT at = captionTitlePoint(recorder);
            expected = at;
            program.click(at, display::MouseButton::Right);
        } else {
            expected = {r.left + kFrame, r.top + kFrame + kCaptionBar};
            if (row.byKeyboard)
                program.key(VK_SPACE, display::ModAlt);
            else
                program.click(captionIconPoint(recorder));
        }
    });
    program.then([&] {
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr);
        RECT m = HeadlessProgram::screenRect(popup);
        const RECT work = display::HeadlessBackend::defaultMonitors()[0].workArea;
        EXPECT_GE(m.left, work.left);
        EXPECT_GE(m.top, work.top);
        EXPECT_LE(m.right, work.right);
        EXPECT_LE(m.bottom, work.bottom);
        if (row.recorderAt.x == -1) {
            EXPECT_EQ(m.left, expected.x);
            EXPECT_EQ(m.top, expected.y);
        } else {
            // Pushed inside: it still reaches the anchor's row or column.
            EXPECT_TRUE(m.top == expected.y || m.bottom == expected.y || m.bottom == work.bottom)
                << "menu " << m.top << ".." << m.bottom << ", anchor y " << expected.y;
        }
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, SystemMenuPlacement,
                         ::testing::Values(MenuPlaceRow{"IconClick", {-1, -1}, false, false},
                                           MenuPlaceRow{"AltSpace", {-1, -1}, false, true},
                                           MenuPlaceRow{"RightClickOnCaption", {-1, -1}, true, false},
                                           MenuPlaceRow{"IconClickNearBottomRight", {900, 700}, false, false},
                                           MenuPlaceRow{"RightClickNearBottomRight", {700, 720}, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Near the screen's bottom-right corner the menu opens over the caption's
// icon, with the About entry under the pointer. The release of the click
// that opened the menu must not choose that entry: only a release after the
// pointer has moved in the menu, or a new click, chooses.
TEST(SystemMenuEntry, ClickThatOpensTheMenuChoosesNothingUnderThePointer) {
    HeadlessProgram program;
    POINT icon{};
    program.then([&] {
        HWND recorder = program.recorder();
        SetWindowPos(recorder, nullptr, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        icon = captionIconPoint(recorder);
        program.click(icon);
    });
    program.then([&] {
        EXPECT_EQ(program.topLevel(kAboutTitle), nullptr) << "the opening click chose the About entry";
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr);
        RECT about = popupItemRect(popup, GetSystemMenu(program.recorder(), FALSE), 3);
        EXPECT_TRUE(icon.x >= about.left && icon.x < about.right && icon.y >= about.top && icon.y < about.bottom)
            << "the row no longer puts the About entry under the pointer";
        // A second click on the same spot is a choice.
        program.click(icon);
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr);
        HWND about = program.topLevel(kAboutTitle);
        ASSERT_NE(about, nullptr);
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}

}  // namespace
