// The recorder window as the running program shows it: every control read
// back from the live window, the window's size from the dialog units, and
// its place in the work area.
#include "resources/resource.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    int x, y, w, h;
    DWORD style;
};

// The template, control by control, in template (stacking and tab) order.
const std::vector<ControlRow> kControls = {
    {1, "Button", "Close", 131, 292, 50, 14, 0x50010001},
    {-1, "Static", "", 7, 7, 306, 160, 0x50000004},
    {-1, "Button", "Configuration", 7, 171, 146, 116, 0x50000007},
    {1001, "ComboBox", "Channel 01", 78, 217, 71, 74, 0x58210102},
    {-1, "Static", "Channel:", 20, 220, 29, 8, 0x50020000},
    {1002, "Edit", "225", 77, 233, 54, 14, 0x58810080},
    {-1, "Static", "Sample Rate:", 20, 236, 44, 8, 0x50020000},
    {-1, "Static", "Hardware Detected: None", 20, 200, 84, 8, 0x50020000},
    {1003, "Edit", "1000", 77, 249, 54, 14, 0x58810080},
    {-1, "Static", "Recording Time:", 20, 252, 53, 8, 0x50020000},
    {-1, "Static", "ms", 135, 254, 10, 8, 0x50020000},
    {1004, "Button", "Start Recording", 47, 266, 60, 14, 0x58010000},
    {-1, "Button", "Output", 155, 171, 158, 116, 0x50000007},
    {1007, "Button", "Text", 169, 213, 30, 10, 0x58000009},
    {1008, "Button", "CSV (Excel)", 169, 233, 53, 10, 0x58000009},
    {1009, "Button", "Matlab", 169, 243, 37, 10, 0x58000009},
    {-1, "Button", "File Format", 164, 201, 132, 55, 0x50000007},
    {1010, "Button", "Binary", 169, 223, 35, 10, 0x58000009},
    {1011, "Edit", "output.txt", 200, 184, 78, 14, 0x58810080},
    {-1, "Static", "File Name:", 164, 186, 34, 8, 0x50020000},
    {1005, "Button", "Save File", 198, 266, 60, 14, 0x58010000},
    {-1, "Static", "kHz", 136, 238, 14, 8, 0x50020000},
    {1006, "Button", "Detect Hardware", 19, 182, 60, 14, 0x50010000},
    {1013, "Button", "...", 282, 184, 13, 14, 0x58010000},
};

// The dialog's base units, read through the dialog itself.
SIZE baseUnitsOf(HWND dialog) {
    RECT r{0, 0, 4, 8};
    MapDialogRect(dialog, &r);
    return {r.right, r.bottom};
}

int toPixels(int units, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

}  // namespace

TEST(RecorderLayout, EveryControlMatchesTheTemplate) {
    HeadlessProgram program;
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        SIZE base = baseUnitsOf(dialog);
        EXPECT_GE(base.cx, 5);
        EXPECT_GE(base.cy, 11);
        POINT origin{0, 0};
        ClientToScreen(dialog, &origin);

        std::vector<HWND> children;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        ASSERT_EQ(children.size(), kControls.size());
        for (std::size_t i = 0; i < kControls.size(); ++i) {
            const ControlRow& row = kControls[i];
            HWND c = children[i];
            SCOPED_TRACE("control #" + std::to_string(i + 1) + " \"" + row.text + "\"");
            EXPECT_EQ(GetDlgCtrlID(c), row.id);
            EXPECT_STREQ(HeadlessProgram::className(c).c_str(), row.className);
            EXPECT_EQ(HeadlessProgram::text(c), row.text);
            EXPECT_EQ(HeadlessProgram::style(c), row.style);
            EXPECT_EQ(IsWindowEnabled(c) != FALSE, (row.style & WS_DISABLED) == 0);
            RECT r = HeadlessProgram::screenRect(c);
            EXPECT_EQ(r.left - origin.x, toPixels(row.x, base.cx, 4));
            EXPECT_EQ(r.top - origin.y, toPixels(row.y, base.cy, 8));
            EXPECT_EQ(rectWidth(r), toPixels(row.w, base.cx, 4));
            if (std::string(row.className) == "ComboBox") {
                // A drop-down combo box is as tall as its closed field; the
                // template's height is the height with the list open.
                EXPECT_LT(rectHeight(r), toPixels(row.h, base.cy, 8));
                EXPECT_GE(rectHeight(r), base.cy + 4);
            } else {
                EXPECT_EQ(rectHeight(r), toPixels(row.h, base.cy, 8));
            }
        }
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

TEST(RecorderLayout, ChannelListHoldsTheEighteenChannelsInOrder) {
    HeadlessProgram program;
    program.then([&] {
        HWND combo = program.control(IDC_CHANNEL);
        ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 18);
        for (int i = 0; i < 18; ++i) {
            char buffer[32] = {};
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            char expected[32];
            std::snprintf(expected, sizeof expected, "Channel %02d", i + 1);
            EXPECT_STREQ(buffer, expected);
        }
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

TEST(RecorderLayout, WindowIsSizedByDialogUnitsAndCaptioned) {
    HeadlessProgram program;
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        SIZE base = baseUnitsOf(dialog);
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, toPixels(320, base.cx, 4));
        EXPECT_EQ(client.bottom, toPixels(313, base.cy, 8));
        EXPECT_EQ(HeadlessProgram::style(dialog) & ~WS_VISIBLE, 0x90C800C0u & ~WS_VISIBLE);
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        const auto* surface = program.screen().surface(program.surfaceOf(dialog));
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->title, "QUILVANE v2.03");
        EXPECT_TRUE(surface->request.taskbarEntry);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}
