// System commands of the recorder window: the sixteen identifiers of the
// About entry's range open the About box, others do not; Close and Move
// still work through default processing; and while the Detect Hardware
// warning is up the recorder's system menu cannot be reached.
#include "tests/program/SystemMenuTestSupport.h"

#include <functional>

using namespace sysmenu_test;

namespace {

struct CommandRow {
    UINT id;
    bool opensAbout;
};

void PrintTo(const CommandRow& r, std::ostream* os) { *os << hexOf(r.id); }

std::vector<CommandRow> commandRows() {
    std::vector<CommandRow> rows;
    for (UINT id = 0x0010; id <= 0x001F; ++id) rows.push_back({id, true});
    // Next to the range, and sharing its low bits with another high part.
    for (UINT id : {0x0000u, 0x0001u, 0x000Fu, 0x0020u, 0x0110u, 0x1010u}) rows.push_back({id, false});
    return rows;
}

class SystemCommandRange : public ::testing::TestWithParam<CommandRow> {};

// The command is sent from a step, as the system menu sends it: a box it
// opens runs its modal loop inside the call, through the following steps.
TEST_P(SystemCommandRange, OpensTheAboutBoxExactlyForItsRange) {
    const CommandRow& row = GetParam();
    HeadlessProgram program;
    bool aboutSeen = false;
    program.then([&] {
        HWND recorder = program.recorder();
        const std::string before = describeWindow(recorder);
        SendMessageA(recorder, WM_SYSCOMMAND, row.id, 0);
        EXPECT_EQ(aboutSeen, row.opensAbout);
        EXPECT_EQ(program.visibleTopLevels(), std::vector<HWND>{recorder}) << "nothing else is up";
        EXPECT_EQ(GetActiveWindow(), recorder);
        EXPECT_EQ(describeWindow(recorder), before);
        program.key(VK_ESCAPE);
    });
    if (row.opensAbout) program.then([&] {
        aboutSeen = true;
        HWND about = program.topLevel(kAboutTitle);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(GetWindow(about, GW_OWNER), program.recorder());
        EXPECT_FALSE(IsWindowEnabled(program.recorder()));
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(program.screen().stepsLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Ids, SystemCommandRange, ::testing::ValuesIn(commandRows()),
                         [](const auto& info) { return "Id" + hexOf(info.param.id); });

// --- Close ---

struct CloseRoute {
    const char* name;
    std::function<void(HeadlessProgram&)> first;   // then the program waits
    std::function<void(HeadlessProgram&)> second;  // null: the first step ends the program
};

void PrintTo(const CloseRoute& r, std::ostream* os) { *os << r.name; }

class SystemCloseCommand : public ::testing::TestWithParam<CloseRoute> {};

TEST_P(SystemCloseCommand, EndsTheProgram) {
    const CloseRoute& route = GetParam();
    HeadlessProgram program;
    program.then([&] { route.first(program); });
    if (route.second) program.then([&] {
        ASSERT_NE(openPopupMenu(program), nullptr);
        route.second(program);
    });
    program.then([&] {
        ADD_FAILURE() << "the program still runs";
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(program.screen().stepsLeft(), 1u) << "the program ended before its last step";
}

INSTANTIATE_TEST_SUITE_P(
    Routes, SystemCloseCommand,
    ::testing::Values(
        CloseRoute{"SentScClose",
                   [](HeadlessProgram& p) {
                       SendMessageA(p.recorder(), WM_SYSCOMMAND, SC_CLOSE, 0);
                       // The program takes up its loop again only for input:
                       // a move of the pointer outside every window.
                       p.screen().mouseMove({1020, 760});
                   },
                   nullptr},
        CloseRoute{"MenuMnemonicC", [](HeadlessProgram& p) { p.key(VK_SPACE, display::ModAlt); },
                   [](HeadlessProgram& p) { p.key('C'); }},
        CloseRoute{"MenuClickOnClose", [](HeadlessProgram& p) { p.click(captionIconPoint(p.recorder())); },
                   [](HeadlessProgram& p) {
                       HWND popup = openPopupMenu(p);
                       p.click(centreOf(popupItemRect(popup, GetSystemMenu(p.recorder(), FALSE), 1)));
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Move with the keyboard ---

constexpr int kMoveStep = 8;  // pixels per arrow key, as the classic keyboard move

struct MoveRow {
    const char* name;
    bool fromMenu;  // Alt+Space, M; else SC_MOVE sent from a step
    std::vector<unsigned> arrows;
    unsigned endKey;  // Enter keeps the place, Escape goes back
    int steps_dx, steps_dy;
};

void PrintTo(const MoveRow& r, std::ostream* os) { *os << r.name; }

const std::vector<MoveRow> kMoveRows = {
    {"SentLeftThriceEnterKeeps", false, {VK_LEFT, VK_LEFT, VK_LEFT}, VK_RETURN, -3, 0},
    {"SentRightDownDownEnterKeeps", false, {VK_RIGHT, VK_DOWN, VK_DOWN}, VK_RETURN, 1, 2},
    {"SentUpLeftEscapeGoesBack", false, {VK_UP, VK_LEFT}, VK_ESCAPE, -1, -1},
    {"MenuMoveUpEnterKeeps", true, {VK_UP, VK_UP}, VK_RETURN, 0, -2},
    {"MenuMoveRightEscapeGoesBack", true, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}, VK_ESCAPE, 4, 0},
};

class SystemMoveCommand : public ::testing::TestWithParam<MoveRow> {};

TEST_P(SystemMoveCommand, ArrowKeysMoveEnterKeepsEscapeGoesBack) {
    const MoveRow& row = GetParam();
    HeadlessProgram program;
    HWND recorder = nullptr;
    RECT start{};
    std::string before;
    program.then([&] {
        recorder = program.recorder();
        start = HeadlessProgram::screenRect(recorder);
        before = describeWindow(recorder);
        if (row.fromMenu) {
            program.key(VK_SPACE, display::ModAlt);
            program.key('M');
        } else {
            // The move loop runs inside the call, through the next steps.
            SendMessageA(recorder, WM_SYSCOMMAND, SC_MOVE, 0);
        }
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr);
        for (unsigned vk : row.arrows) program.key(vk);
    });
    program.then([&] {
        // Still moving: the window follows the arrows at once.
        RECT now = HeadlessProgram::screenRect(recorder);
        EXPECT_EQ(now.left - start.left, row.steps_dx * kMoveStep);
        EXPECT_EQ(now.top - start.top, row.steps_dy * kMoveStep);
        EXPECT_EQ(rectWidth(now), rectWidth(start));
        EXPECT_EQ(rectHeight(now), rectHeight(start));
        program.key(row.endKey);
    });
    program.then([&] {
        RECT now = HeadlessProgram::screenRect(recorder);
        bool kept = row.endKey == VK_RETURN;
        EXPECT_EQ(now.left - start.left, kept ? row.steps_dx * kMoveStep : 0);
        EXPECT_EQ(now.top - start.top, kept ? row.steps_dy * kMoveStep : 0);
        // The move loop is over: arrows no longer move, and the window works.
        program.key(VK_LEFT);
    });
    program.then([&] {
        RECT now = HeadlessProgram::screenRect(recorder);
        bool kept = row.endKey == VK_RETURN;
        EXPECT_EQ(now.left - start.left, kept ? row.steps_dx * kMoveStep : 0);
        EXPECT_TRUE(IsWindowEnabled(recorder));
        EXPECT_EQ(GetActiveWindow(), recorder);
        if (!kept) {
            EXPECT_EQ(describeWindow(recorder), before);
        }
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, SystemMoveCommand, ::testing::ValuesIn(kMoveRows),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the warning of Detect Hardware keeps the system menu away ---

TEST(SystemMenuUnderWarning, RecordersMenuCannotBeReachedWhileTheWarningIsUp) {
    HeadlessProgram program;
    HWND recorder = nullptr;
    HWND warning = nullptr;
    auto expectWarningStillAlone = [&] {
        EXPECT_TRUE(IsWindowVisible(warning));
        EXPECT_FALSE(IsWindowEnabled(recorder));
        EXPECT_EQ(program.topLevel(kAboutTitle), nullptr);
    };
    program.then([&] {
        recorder = program.recorder();
        program.clickOn(program.control(IDC_DETECT_HARDWARE));
    });
    program.then([&] {
        warning = program.topLevel("Warning");
        ASSERT_NE(warning, nullptr);
        EXPECT_EQ(GetWindow(warning, GW_OWNER), recorder);
        program.key(VK_SPACE, display::ModAlt);
    });
    program.then([&] {
        // Alt+Space reaches the box, which may open its own menu: never the
        // recorder's, and never one with the About entry.
        if (HWND popup = openPopupMenu(program)) {
            EXPECT_EQ(GetWindow(popup, GW_OWNER), warning);
            EXPECT_EQ(entriesOf(GetSystemMenu(warning, FALSE)), standardEntries());
            program.key(VK_ESCAPE);
        }
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr);
        expectWarningStillAlone();
        program.click(captionIconPoint(recorder));
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr) << "a click on the recorder's icon opened a menu";
        expectWarningStillAlone();
        program.click(captionTitlePoint(recorder), display::MouseButton::Right);
    });
    program.then([&] {
        EXPECT_EQ(openPopupMenu(program), nullptr) << "a right click on the recorder's caption opened a menu";
        expectWarningStillAlone();
        EXPECT_EQ(GetActiveWindow(), warning) << "clicks on the disabled window bring the box forward";
        // The About entry's letter reaches nothing either.
        program.key('A');
    });
    program.then([&] {
        expectWarningStillAlone();
        program.key(VK_RETURN);
    });
    program.then([&] {
        // Once the box is gone, the menu is the recorder's again.
        EXPECT_FALSE(IsWindow(warning));
        EXPECT_TRUE(IsWindowEnabled(recorder));
        program.click(captionIconPoint(recorder));
    });
    program.then([&] {
        HWND popup = openPopupMenu(program);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(GetWindow(popup, GW_OWNER), recorder);
        program.key(VK_ESCAPE);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
}

}  // namespace
