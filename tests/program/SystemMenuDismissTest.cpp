// Leaving the system menu without a choice, and input that must not open
// it: either way the recorder window stays as it was, with its focus, and
// the input that closed the menu does nothing else (a click that closes it
// does not press the button under the pointer, Escape does not close the
// window).
#include "tests/program/SystemMenuTestSupport.h"

#include <functional>

using namespace sysmenu_test;

namespace {

struct DismissRow {
    const char* name;
    std::function<void(HeadlessProgram&)> open;   // null: nothing is meant to open
    std::function<void(HeadlessProgram&)> leave;  // input that closes the menu, or that must not open it
};

void PrintTo(const DismissRow& r, std::ostream* os) { *os << r.name; }

POINT centreOfControl(HeadlessProgram& p, int id) { return HeadlessProgram::centre(p.control(id)); }

const std::vector<DismissRow> kRows = {
    {"AltSpaceThenEscape", [](HeadlessProgram& p) { p.key(VK_SPACE, display::ModAlt); },
     [](HeadlessProgram& p) { p.key(VK_ESCAPE); }},
    {"AltSpaceThenAlt", [](HeadlessProgram& p) { p.key(VK_SPACE, display::ModAlt); },
     [](HeadlessProgram& p) { p.key(VK_MENU, display::ModAlt); }},
    {"IconClickThenEscape", [](HeadlessProgram& p) { p.click(captionIconPoint(p.recorder())); },
     [](HeadlessProgram& p) { p.key(VK_ESCAPE); }},
    {"IconClickThenClickOnDetectHardware", [](HeadlessProgram& p) { p.click(captionIconPoint(p.recorder())); },
     [](HeadlessProgram& p) { p.click(centreOfControl(p, IDC_DETECT_HARDWARE)); }},
    {"IconClickThenClickOnClose", [](HeadlessProgram& p) { p.click(captionIconPoint(p.recorder())); },
     [](HeadlessProgram& p) { p.click(centreOfControl(p, IDOK)); }},
    {"RightClickThenClickOnTheSeparator",
     [](HeadlessProgram& p) { p.click(captionTitlePoint(p.recorder()), display::MouseButton::Right); },
     [](HeadlessProgram& p) {
         HWND popup = openPopupMenu(p);
         // The separator is no item: the menu stays, and Escape leaves it.
         p.click(centreOf(popupItemRect(popup, GetSystemMenu(p.recorder(), FALSE), 2)));
         p.key(VK_ESCAPE);
     }},
    {"RightClickInTheClientArea", nullptr,
     [](HeadlessProgram& p) {
         RECT r = HeadlessProgram::screenRect(p.control(IDC_DETECT_HARDWARE));
         p.click({r.right + 20, r.top}, display::MouseButton::Right);
     }},
    {"LeftClickOnTheCaptionTitle", nullptr, [](HeadlessProgram& p) { p.click(captionTitlePoint(p.recorder())); }},
    {"AltAlone", nullptr, [](HeadlessProgram& p) { p.key(VK_MENU, display::ModAlt); }},
};

class SystemMenuDismiss : public ::testing::TestWithParam<DismissRow> {};

TEST_P(SystemMenuDismiss, LeavesTheRecorderAsItWas) {
    const DismissRow& row = GetParam();
    HeadlessProgram program;
    HWND recorder = nullptr;
    HWND focusBefore = nullptr;
    std::string before;
    program.then([&] {
        recorder = program.recorder();
        focusBefore = GetFocus();
        before = describeWindow(recorder);
        if (row.open) row.open(program);
    });
    if (row.open) program.then([&] {
        ASSERT_NE(openPopupMenu(program), nullptr) << "the menu did not open";
    });
    program.then([&] { row.leave(program); });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr);
        EXPECT_EQ(program.visibleTopLevels(), std::vector<HWND>{recorder}) << "something opened";
        EXPECT_EQ(program.screen().sleeps().size(), 0u) << "Detect Hardware was pressed";
        EXPECT_EQ(GetActiveWindow(), recorder);
        EXPECT_EQ(GetFocus(), focusBefore);
        EXPECT_EQ(describeWindow(recorder), before);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(program.screen().stepsLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, SystemMenuDismiss, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
