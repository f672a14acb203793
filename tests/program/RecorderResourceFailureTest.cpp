// The running program on resources it must refuse: truncated, oversized and inconsistent dialog templates and channel
// lists, a channel list whose add fails, and a missing template. The
// recorder window then fails with -1 before any modal loop runs, and the
// program ends cleanly with status 0.
#include "resources/resource.h"
#include "tests/program/RecorderTestKit.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/resources/DlgInit.h"
#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace recorder_test;
using resources::kTypeDialog;
using resources::kTypeDlgInit;

namespace {

using Bytes = std::vector<std::uint8_t>;

void patchU16(Bytes& b, std::size_t at, std::uint16_t v) {
    b.at(at) = static_cast<std::uint8_t>(v);
    b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

void patchU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes cut(const Bytes& b, std::size_t length) { return Bytes(b.begin(), b.begin() + std::min(length, b.size())); }

// The program's resources with resource (type, 102) replaced by `data`, or
// dropped when `data` is null.
Bytes programResWith(std::uint16_t type, const Bytes* data) {
    std::vector<resources_test::ResEntry> entries;
    for (resources_test::ResEntry& e : programEntries()) {
        bool target = e.type == resources::ResourceName::id(type) && e.name == resources::ResourceName::id(IDD_RECORDER);
        if (!target) {
            entries.push_back(std::move(e));
        } else if (data) {
            e.data = *data;
            entries.push_back(std::move(e));
        }
    }
    return buildRes(entries);
}

bool logHas(HeadlessProgram& program, const std::string& prefix) {
    const auto& log = program.screen().log();
    return std::any_of(log.begin(), log.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

// Runs the program on `res`: a CRecorderDlg from the session's start, then
// the application object's own. Expects both to fail with -1 without a
// modal loop, and the program to end with 0 and no window left.
void expectRefusedRun(const Bytes& res, bool windowCreated, const std::function<void(windowing::WindowSystem&)>& prepare = {}) {
    HeadlessProgram program;
    program.options().programResources = res;
    WindowEnds ends;
    int code = 12345;
    program.options().onStart = [&](windowing::WindowSystem& system) {
        ends.install(system);
        if (prepare) prepare(system);
        code = runRecorderDialog();
    };
    program.then([&] {
        ADD_FAILURE() << "a modal loop runs";
        program.key(VK_ESCAPE);
    });
    testing::internal::CaptureStderr();
    int status = program.run();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(code, -1);
    EXPECT_EQ(program.screen().stepsLeft(), 1u) << "the script was used: a modal loop ran";
    EXPECT_FALSE(logHas(program, "show")) << "a window was shown";
    EXPECT_FALSE(logHas(program, "present")) << "something was drawn on screen";
    EXPECT_EQ(logHas(program, "create"), windowCreated);
    EXPECT_EQ(program.screen().surfaceCount(), 0u);
    EXPECT_LE(ends.leftAfterLast(), 0);
    if (windowCreated) {
        EXPECT_EQ(ends.destroyed().size(), 2u);
    }
    // What the platform may have said about the refusal is its own affair.
    (void)errors;
}

// Runs the program on `res` expecting the window to open (twice: the
// session-start run and the application's own); `check` looks at each.
void expectOpeningRun(const Bytes& res, const std::function<void(HeadlessProgram&)>& check,
                      const std::function<void(windowing::WindowSystem&)>& prepare = {}) {
    HeadlessProgram program;
    program.options().programResources = res;
    int code = 12345;
    program.options().onStart = [&](windowing::WindowSystem& system) {
        if (prepare) prepare(system);
        code = runRecorderDialog();
    };
    for (int run = 0; run < 2; ++run) {
        program.then([&, run] {
            SCOPED_TRACE(run == 0 ? "the session-start run" : "the application's run");
            ASSERT_NE(program.recorder(), nullptr);
            check(program);
            program.key(VK_ESCAPE);
        });
    }
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(code, IDCANCEL);
    EXPECT_EQ(program.screen().stepsLeft(), 0u);
    EXPECT_EQ(program.screen().surfaceCount(), 0u);
}

std::vector<std::string> channelItems(HeadlessProgram& program) {
    HWND combo = program.control(IDC_CHANNEL);
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char buffer[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        items.push_back(buffer);
    }
    return items;
}

// ---------------------------------------------------------------- templates

struct DataCase {
    const char* name;
    std::function<Bytes(const Bytes& whole)> make;
};

TEST(RecorderResourceFailure, MalformedTemplateFailsDoModalAtOnce) {
    const Bytes whole = programResource(kTypeDialog, IDD_RECORDER);
    ASSERT_GT(whole.size(), 100u);
    // The extended header: version, signature, help id, extended style,
    // style, then the item count at offset 16.
    ASSERT_EQ(whole[2] | (whole[3] << 8), 0xFFFF);
    ASSERT_EQ(whole[16] | (whole[17] << 8), 24);
    // The template ends with the last control's creation-data size, 0.
    ASSERT_EQ(whole[whole.size() - 2] | (whole[whole.size() - 1] << 8), 0);

    const std::vector<DataCase> cases = {
        {"empty", [](const Bytes&) { return Bytes{}; }},
        {"cut inside the header", [](const Bytes& b) { return cut(b, 10); }},
        {"cut inside the caption", [](const Bytes& b) { return cut(b, 40); }},
        {"cut in the middle of the controls", [](const Bytes& b) { return cut(b, b.size() / 2); }},
        {"one byte short", [](const Bytes& b) { return cut(b, b.size() - 1); }},
        {"item count one more than the data holds",
         [](const Bytes& b) {
             Bytes c = b;
             patchU16(c, 16, 25);
             return c;
         }},
        {"item count 65535",
         [](const Bytes& b) {
             Bytes c = b;
             patchU16(c, 16, 0xFFFF);
             return c;
         }},
        {"the last control's creation data runs past the end",
         [](const Bytes& b) {
             Bytes c = b;
             patchU16(c, c.size() - 2, 0x0100);
             return c;
         }},
    };
    for (const DataCase& row : cases) {
        SCOPED_TRACE(row.name);
        const Bytes data = row.make(whole);
        // The parser refuses it (so the run below shows what the program
        // makes of a refusal)...
        EXPECT_FALSE(resources::parseDialogTemplate(data).ok());
        // ...and the program fails the window before creating it.
        expectRefusedRun(programResWith(kTypeDialog, &data), false);
    }
}

TEST(RecorderResourceFailure, MissingTemplateEndsTheProgramAtOnce) {
    HeadlessProgram program;
    const Bytes res = programResWith(kTypeDialog, nullptr);
    program.options().programResources = res;
    program.then([&] {
        ADD_FAILURE() << "a modal loop runs";
        program.key(VK_ESCAPE);
    });
    testing::internal::CaptureStderr();
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(program.screen().stepsLeft(), 1u);
    EXPECT_TRUE(program.screen().log().empty()) << "the screen was used: " << program.screen().log().front();
    // Through DoModal itself, and the main-window pointer is not left
    // pointing at the gone object.
    expectRefusedRun(res, false);
    EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr);
}

// ---------------------------------------------------------------- channel lists

// The DLGINIT list: 18 entries of id (2), message (2), length (4) and
// "Channel NN\0" (11), then a 16-bit zero.
constexpr std::size_t kEntry = 19;

TEST(RecorderResourceFailure, MalformedChannelListFailsTheWindow) {
    const Bytes whole = programResource(kTypeDlgInit, IDD_RECORDER);
    ASSERT_EQ(whole.size(), 18 * kEntry + 2);

    const std::vector<DataCase> cases = {
        {"empty", [](const Bytes&) { return Bytes{}; }},
        {"cut inside the fifth entry's header", [](const Bytes& b) { return cut(b, 4 * kEntry + 5); }},
        {"cut inside the fifth entry's text", [](const Bytes& b) { return cut(b, 4 * kEntry + 12); }},
        {"no end marker", [](const Bytes& b) { return cut(b, b.size() - 2); }},
        {"half an end marker", [](const Bytes& b) { return cut(b, b.size() - 1); }},
        {"the last entry's length runs past the end",
         [](const Bytes& b) {
             Bytes c = b;
             patchU32(c, 17 * kEntry + 4, 200);
             return c;
         }},
        {"the first entry's length is 0xFFFFFFFF",
         [](const Bytes& b) {
             Bytes c = b;
             patchU32(c, 4, 0xFFFFFFFFu);
             return c;
         }},
        {"a text without its NUL",
         [](const Bytes& b) {
             Bytes c = b;
             c.at(8 + 10) = 'x';
             return c;
         }},
    };
    for (const DataCase& row : cases) {
        SCOPED_TRACE(row.name);
        const Bytes data = row.make(whole);
        EXPECT_FALSE(resources::parseDlgInit(data).ok());
        expectRefusedRun(programResWith(kTypeDlgInit, &data), true);
    }
}

// Lists that are odd but well formed open the window as the platform's
// list handling has it: an add to a control the template lacks goes
// nowhere (the message answers 0, not -1).
TEST(RecorderResourceFailure, WellFormedOddChannelListsOpenTheWindow) {
    const Bytes whole = programResource(kTypeDlgInit, IDD_RECORDER);
    struct Row {
        const char* name;
        std::optional<Bytes> data;  // none: the program has no list 102
        std::vector<std::string> items;
        std::string shown;
    };
    std::vector<std::string> all;
    for (int i = 1; i <= 18; ++i) all.push_back(std::string("Channel ") + (i < 10 ? "0" : "") + std::to_string(i));
    Bytes firstElsewhere = whole;
    patchU16(firstElsewhere, 0, 1012);
    const std::vector<Row> rows = {
        {"only the end marker", Bytes{0, 0}, {}, ""},
        {"the first entry for control 1012, which does not exist", firstElsewhere,
         std::vector<std::string>(all.begin() + 1, all.end()), "Channel 02"},
        {"no list at all", std::nullopt, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes res = programResWith(kTypeDlgInit, row.data ? &*row.data : nullptr);
        expectOpeningRun(res, [&](HeadlessProgram& program) {
            EXPECT_EQ(channelItems(program), row.items);
            EXPECT_EQ(HeadlessProgram::text(program.control(IDC_CHANNEL)), row.shown);
            // The rest of the initialisation ran.
            EXPECT_EQ(HeadlessProgram::text(program.control(IDC_SAMPLE_RATE)), "225");
        });
    }
}

// ---------------------------------------------------------------- an add that fails

// The window class of control 1001 in fixtures/probe_channel_class.rc: it
// answers CB_ADDSTRING with `g_addAnswer` and notes the strings.
LRESULT g_addAnswer = 0;
std::vector<std::string> g_added;

LRESULT probeChannelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CB_ADDSTRING) {
        g_added.push_back(reinterpret_cast<const char*>(lParam));
        return g_addAnswer;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void registerProbeChannelClass(windowing::WindowSystem&) {
    WNDCLASSA wc;
    wc.lpfnWndProc = probeChannelProc;
    wc.lpszClassName = "QvChannelProbe";
    wc.hbrBackground = 0;
    ASSERT_TRUE(RegisterClassA(&wc));
}

TEST(RecorderResourceFailure, AnAddAnsweringMinusOneStopsTheListAndFailsTheWindow) {
    const Bytes res = readFile(std::string(QV_SPINE_FIXTURE_DIR) + "/probe_channel_class.res");
    ASSERT_FALSE(res.empty());
    struct Row {
        const char* name;
        LRESULT answer;
        bool opens;
        std::vector<std::string> addsPerRun;
    };
    const std::vector<Row> rows = {
        {"the add answers 0: the window opens", 0, true, {"Channel 01", "Channel 02"}},
        {"the add answers 5: the window opens", 5, true, {"Channel 01", "Channel 02"}},
        {"the add answers -1: the list stops, the window fails", -1, false, {"Channel 01"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        g_addAnswer = row.answer;
        g_added.clear();
        if (row.opens) {
            expectOpeningRun(res, [](HeadlessProgram&) {}, registerProbeChannelClass);
        } else {
            expectRefusedRun(res, true, registerProbeChannelClass);
        }
        // Each of the two runs added the same strings, in order.
        std::vector<std::string> expected = row.addsPerRun;
        expected.insert(expected.end(), row.addsPerRun.begin(), row.addsPerRun.end());
        EXPECT_EQ(g_added, expected);
    }
}

}  // namespace
