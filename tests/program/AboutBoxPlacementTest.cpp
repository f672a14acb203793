// Where the About box opens: centred over the recorder window, then pushed
// back inside the work area of the recorder window's monitor. Each row puts
// the recorder somewhere (moved from a step, or with the system menu's Move
// and the arrow keys), opens the box, and checks its place against the
// centring arithmetic: centre = (left + right) / 2 - size / 2, each division
// truncating toward zero, then clamped to the work area.
#include "tests/program/SystemMenuTestSupport.h"

#include <optional>

using namespace sysmenu_test;

namespace {

enum class Clamp { None, Low, High };  // Low: left or top edge; High: right or bottom edge

const char* clampName(Clamp c) { return c == Clamp::None ? "none" : c == Clamp::Low ? "low" : "high"; }

struct PlacementRow {
    const char* name;
    std::vector<display::Monitor> monitors;
    std::optional<POINT> moveTo;  // recorder's new top-left, set from a step
    int keyboardLefts;            // or: Move from the system menu, this many Left presses
    int boundsMonitor;            // the monitor whose work area bounds the box
    Clamp clampX;
    Clamp clampY;
};

void PrintTo(const PlacementRow& r, std::ostream* os) { *os << r.name; }

const std::vector<display::Monitor> kSingle = {{{0, 0, 1024, 768}, {0, 0, 1024, 738}}};
const std::vector<display::Monitor> kTaskBarOnTop = {{{0, 0, 1024, 768}, {0, 40, 1024, 768}}};
// A second screen to the left of the primary one, with negative coordinates.
const std::vector<display::Monitor> kDual = {{{0, 0, 1024, 768}, {0, 0, 1024, 738}},
                                             {{-1280, -100, 0, 924}, {-1280, -100, 0, 894}}};

const std::vector<PlacementRow> kRows = {
    {"CentredOnPrimary", kSingle, std::nullopt, 0, 0, Clamp::None, Clamp::None},
    {"NearLeftEdge", kSingle, POINT{-300, 100}, 0, 0, Clamp::Low, Clamp::None},
    {"NearRightEdge", kSingle, POINT{874, 100}, 0, 0, Clamp::High, Clamp::None},
    {"NearTopEdge", kSingle, POINT{200, -400}, 0, 0, Clamp::None, Clamp::Low},
    {"NearBottomEdge", kSingle, POINT{200, 638}, 0, 0, Clamp::None, Clamp::High},
    {"BottomRightCorner", kSingle, POINT{900, 650}, 0, 0, Clamp::High, Clamp::High},
    {"TopLeftCorner", kSingle, POINT{-350, -420}, 0, 0, Clamp::Low, Clamp::Low},
    {"UnderTaskBarOnTop", kTaskBarOnTop, POINT{200, -420}, 0, 0, Clamp::None, Clamp::Low},
    {"OnSecondMonitor", kDual, POINT{-1001, 201}, 0, 1, Clamp::None, Clamp::None},
    {"SecondMonitorLeftEdge", kDual, POINT{-1400, 300}, 0, 1, Clamp::Low, Clamp::None},
    {"SecondMonitorBottomEdge", kDual, POINT{-900, 800}, 0, 1, Clamp::None, Clamp::High},
    {"StraddlingMostlyOnPrimary", kDual, POINT{-100, 100}, 0, 0, Clamp::Low, Clamp::None},
    {"KeyboardMovedPastLeftEdge", kSingle, std::nullopt, 60, 0, Clamp::Low, Clamp::None},
};

class AboutBoxPlacement : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(AboutBoxPlacement, CentredOverTheRecorderInsideItsMonitorsWorkArea) {
    const PlacementRow& row = GetParam();
    HeadlessProgram program(row.monitors);
    HWND recorder = nullptr;
    RECT recorderStart{};

    program.then([&] {
        recorder = program.recorder();
        ASSERT_NE(recorder, nullptr);
        recorderStart = HeadlessProgram::screenRect(recorder);
        if (row.moveTo) {
            SetWindowPos(recorder, nullptr, row.moveTo->x, row.moveTo->y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (row.keyboardLefts > 0) {
            // Alt+Space opens the menu with Move highlighted; Enter starts moving.
            program.key(VK_SPACE, display::ModAlt);
            program.key(VK_RETURN);
            for (int i = 0; i < row.keyboardLefts; ++i) program.key(VK_LEFT);
            program.key(VK_RETURN);
        }
    });
    program.then([&] {
        RECT r = HeadlessProgram::screenRect(recorder);
        if (row.moveTo) {
            EXPECT_EQ(r.left, row.moveTo->x);
            EXPECT_EQ(r.top, row.moveTo->y);
        } else if (row.keyboardLefts > 0) {
            EXPECT_LT(r.left, recorderStart.left - row.keyboardLefts);
            EXPECT_EQ(r.top, recorderStart.top);
        }
        EXPECT_EQ(rectWidth(r), rectWidth(recorderStart)) << "moving does not resize";
        program.key(VK_SPACE, display::ModAlt);
        program.key('A');
    });
    program.then([&] {
        HWND about = program.topLevel(kAboutTitle);
        ASSERT_NE(about, nullptr);
        RECT ref = HeadlessProgram::screenRect(recorder);
        RECT box = HeadlessProgram::screenRect(about);
        const int width = rectWidth(box);
        const int height = rectHeight(box);
        const RECT bounds = row.monitors[static_cast<std::size_t>(row.boundsMonitor)].workArea;

        auto place = [](int refLow, int refHigh, int size, int low, int high, Clamp& clamp) {
            int at = (refLow + refHigh) / 2 - size / 2;
            clamp = Clamp::None;
            if (at < low) {
                clamp = Clamp::Low;
                return low;
            }
            if (at + size > high) {
                clamp = Clamp::High;
                return high - size;
            }
            return at;
        };
        Clamp clampX;
        Clamp clampY;
        const int left = place(ref.left, ref.right, width, bounds.left, bounds.right, clampX);
        const int top = place(ref.top, ref.bottom, height, bounds.top, bounds.bottom, clampY);
        // The row puts the recorder where it means to test.
        EXPECT_STREQ(clampName(clampX), clampName(row.clampX));
        EXPECT_STREQ(clampName(clampY), clampName(row.clampY));
        EXPECT_EQ(box.left, left);
        EXPECT_EQ(box.top, top);
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, AboutBoxPlacement, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
