// What the About box shows: its caption and frame, the application icon at
// its own size, the name and version, the copyright notice of the program's
// version information, and OK; sized in dialog units of its font, and a
// window of its own without a task-bar entry. A picture of it is written
// for people to look at.
#include "tests/program/SystemMenuTestSupport.h"

#include "platform/resources/VersionInfo.h"

#include <cmath>

using namespace sysmenu_test;

namespace {

struct ChildRow {
    int id;
    const char* className;
    const char* text;  // null: not a text (the icon) or checked separately (the copyright)
    int x, y, w, h;    // dialog units; the icon's size is its own
    DWORD style;
};

const std::vector<ChildRow> kChildren = {
    {-1, "Static", nullptr, 11, 17, 0, 0, 0x50000003},
    {-1, "Static", "quilvane Version 1.0", 40, 10, 119, 8, 0x50020080},
    {-1, "Static", nullptr, 40, 25, 119, 8, 0x50020000},
    {IDOK, "Button", "OK", 178, 7, 50, 14, 0x50030001},
};

RECT dialogUnits(HWND dialog, int x, int y, int w, int h) {
    RECT r{x, y, x + w, y + h};
    MapDialogRect(dialog, &r);
    return r;
}

// The LegalCopyright value of the program's version information.
std::string copyrightOfProgram() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    if (!found) return "(no version information)";
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    auto info = resources::parseVersionInfo({data, SizeofResource(nullptr, found)});
    if (!info.ok()) return "(unreadable version information)";
    for (const auto& table : info->stringTables)
        for (const auto& [key, value] : table.values)
            if (key == "LegalCopyright") return value;
    return "(no LegalCopyright)";
}

constexpr std::uint32_t kButtonFace = 0xD4D0C8;

}  // namespace

TEST(AboutBoxContent, ShowsIconNameVersionCopyrightAndOk) {
    HeadlessProgram program;
    program.then([&] { program.key(VK_SPACE, display::ModAlt); });
    program.then([&] { program.key('A'); });
    program.then([&] {
        HWND about = program.topLevel(kAboutTitle);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(HeadlessProgram::style(about), 0x80C800C0u | WS_VISIBLE);
        const auto* surface = program.screen().surface(program.surfaceOf(about));
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->title, kAboutTitle);
        EXPECT_FALSE(surface->request.taskbarEntry) << "the box has no task-bar entry of its own";
        EXPECT_EQ(surface->request.kind, display::SurfaceKind::Dialog);
        EXPECT_EQ(surface->request.owner, program.surfaceOf(program.recorder()));

        RECT client;
        GetClientRect(about, &client);
        RECT size = dialogUnits(about, 0, 0, 235, 55);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        POINT origin{0, 0};
        ClientToScreen(about, &origin);
        std::vector<HWND> children;
        for (HWND c = GetWindow(about, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        ASSERT_EQ(children.size(), kChildren.size());
        for (std::size_t i = 0; i < kChildren.size(); ++i) {
            const ChildRow& row = kChildren[i];
            HWND c = children[i];
            SCOPED_TRACE("control #" + std::to_string(i + 1));
            EXPECT_EQ(GetDlgCtrlID(c), row.id);
            EXPECT_EQ(HeadlessProgram::className(c), row.className);
            EXPECT_EQ(HeadlessProgram::style(c), row.style);
            if (row.text) {
                EXPECT_EQ(HeadlessProgram::text(c), row.text);
            }
            RECT r = HeadlessProgram::screenRect(c);
            RECT expected = dialogUnits(about, row.x, row.y, row.w, row.h);
            EXPECT_EQ(r.left - origin.x, expected.left);
            EXPECT_EQ(r.top - origin.y, expected.top);
            if (row.w != 0) {
                EXPECT_EQ(rectWidth(r), rectWidth(expected));
                EXPECT_EQ(rectHeight(r), rectHeight(expected));
            }
        }
        // The notice is the one of the program's version information.
        EXPECT_EQ(HeadlessProgram::text(children[2]), copyrightOfProgram());
        EXPECT_EQ(HeadlessProgram::text(children[2]).rfind("Copyright", 0), 0u);
        EXPECT_EQ(GetFocus(), children[3]) << "OK, the default button, has the focus";

        // The icon control takes the size of its icon (32x32), and draws the
        // large image there, its first rows as the artwork has them: a
        // transparent row, then the scope screen's black outline and white
        // highlight.
        HWND icon = children[0];
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
        RECT iconRect = HeadlessProgram::screenRect(icon);
        EXPECT_EQ(rectWidth(iconRect), 32);
        EXPECT_EQ(rectHeight(iconRect), 32);
        RECT aboutRect = HeadlessProgram::screenRect(about);
        const int ix = iconRect.left - aboutRect.left;
        const int iy = iconRect.top - aboutRect.top;
        const display::SurfaceId shown = program.surfaceOf(about);
        auto at = [&](int x, int y) { return program.screen().pixel(shown, ix + x, iy + y); };
        EXPECT_EQ(at(0, 0), kButtonFace);
        EXPECT_EQ(at(31, 1), kButtonFace);
        EXPECT_EQ(at(2, 2), 0x000000u);
        EXPECT_EQ(at(29, 2), 0x000000u);
        EXPECT_EQ(at(2, 3), 0xFFFFFFu);
        EXPECT_EQ(at(23, 30), 0x000000u) << "the bottom of the record dot: the 32-pixel image, not the 16";

        // The box is the active window; the recorder under it is drawn inactive.
        constexpr std::uint32_t kActiveCaption = 0x0A246A;
        constexpr std::uint32_t kInactiveCaption = 0x808080;
        EXPECT_EQ(hexOf(program.screen().pixel(shown, kFrame, kFrame)), hexOf(kActiveCaption));
        EXPECT_EQ(hexOf(program.screen().pixel(program.surfaceOf(program.recorder()), kFrame, kFrame)),
                  hexOf(kInactiveCaption));

        writePictureOf(program, about, "about_box");
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}
