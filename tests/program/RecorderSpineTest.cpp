// The spine of the program: where the recorder
// window opens, how the focus and the default button's look move, that the
// disabled controls take no input, that every way of closing ends DoModal
// with its code and ends the program, and that arguments change nothing.
#include "resources/resource.h"
#include "tests/program/RecorderTestKit.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"
#include "platform/graphics/Bitmap.h"
#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace recorder_test;

namespace {

// The recorder window's size on the default screen.
SIZE recorderWindowSize() {
    static const SIZE size = [] {
        SIZE s{0, 0};
        HeadlessProgram program;
        program.then([&] {
            RECT r = HeadlessProgram::screenRect(program.recorder());
            s = {rectWidth(r), rectHeight(r)};
            program.key(VK_ESCAPE);
        });
        EXPECT_EQ(program.run(), 0);
        return s;
    }();
    return size;
}

display::Monitor monitor(RECT bounds, RECT work) { return {bounds, work}; }

// ---------------------------------------------------------------- placement

struct PlacementCase {
    const char* name;
    std::function<std::vector<display::Monitor>(SIZE window)> monitors;
    // The expected top-left corner, worked out by hand for the row.
    std::function<POINT(SIZE window)> expected;
};

const std::vector<PlacementCase>& placementCases() {
    static const std::vector<PlacementCase> cases = {
        {"task bar at the bottom",
         [](SIZE) { return std::vector{monitor({0, 0, 1024, 768}, {0, 0, 1024, 738})}; },
         [](SIZE w) { return POINT{512 - w.cx / 2, 369 - w.cy / 2}; }},
        {"task bar on the left",
         [](SIZE) { return std::vector{monitor({0, 0, 1024, 768}, {60, 0, 1024, 768})}; },
         [](SIZE w) { return POINT{542 - w.cx / 2, 384 - w.cy / 2}; }},
        {"task bar at the top",
         [](SIZE) { return std::vector{monitor({0, 0, 1024, 768}, {0, 40, 1024, 768})}; },
         [](SIZE w) { return POINT{512 - w.cx / 2, 404 - w.cy / 2}; }},
        {"odd sums truncate: task bar on the right of an odd screen",
         [](SIZE) { return std::vector{monitor({0, 0, 1023, 767}, {0, 0, 991, 767})}; },
         [](SIZE w) { return POINT{495 - w.cx / 2, 383 - w.cy / 2}; }},
        {"work area smaller than the window: clamped to its top-left",
         [](SIZE w) {
             RECT r{0, 0, w.cx - 100, w.cy - 100};
             return std::vector{monitor(r, r)};
         },
         [](SIZE) { return POINT{0, 0}; }},
        {"work area exactly the window's size, away from the origin",
         [](SIZE w) { return std::vector{monitor({0, 0, w.cx + 40, w.cy + 40}, {40, 40, 40 + w.cx, 40 + w.cy})}; },
         [](SIZE) { return POINT{40, 40}; }},
        // One pixel short each way: an even size is centred one pixel left
        // of the bounds and clamped back to them; an odd one lies inside on
        // the left but passes the right edge and is put against it, which
        // leaves it one pixel left of the bounds.
        {"work area one pixel smaller than the window",
         [](SIZE w) { return std::vector{monitor({0, 0, w.cx + 50, w.cy + 50}, {7, 9, 7 + w.cx - 1, 9 + w.cy - 1})}; },
         [](SIZE w) { return POINT{w.cx % 2 ? 6 : 7, w.cy % 2 ? 8 : 9}; }},
        {"primary first, a second screen to its right",
         [](SIZE) {
             return std::vector{monitor({0, 0, 1024, 768}, {0, 0, 1024, 738}),
                                monitor({1024, 0, 2304, 1024}, {1024, 0, 2304, 1024})};
         },
         [](SIZE w) { return POINT{512 - w.cx / 2, 369 - w.cy / 2}; }},
        // The window starts at the origin, which the second screen shows: it
        // is centred in that screen's work area.
        {"primary left of the origin, the second screen shows the window",
         [](SIZE) {
             return std::vector{monitor({-1280, 0, 0, 1024}, {-1280, 0, 0, 984}),
                                monitor({0, 0, 1024, 768}, {0, 30, 1024, 768})};
         },
         [](SIZE w) { return POINT{512 - w.cx / 2, 399 - w.cy / 2}; }},
        // No screen shows the origin: the primary's work area, whose odd
        // negative sums truncate toward zero (-1281 / 2 is -640, -901 / 2 is
        // -450).
        {"no screen at the origin: the primary, at negative coordinates",
         [](SIZE) {
             return std::vector{monitor({-1281, -1001, 0, 130}, {-1281, -1001, 0, 100}),
                                monitor({3000, 0, 4024, 768}, {3000, 0, 4024, 768})};
         },
         [](SIZE w) { return POINT{-640 - w.cx / 2, -450 - w.cy / 2}; }},
    };
    return cases;
}

TEST(RecorderPlacement, OpensCentredInTheWorkAreaByTheStatedArithmetic) {
    const SIZE window = recorderWindowSize();
    ASSERT_GT(window.cx, 0);
    ASSERT_GT(window.cy, 0);
    for (const PlacementCase& row : placementCases()) {
        SCOPED_TRACE(row.name);
        HeadlessProgram program(row.monitors(window));
        const POINT expected = row.expected(window);
        program.then([&] {
            HWND dialog = program.recorder();
            ASSERT_NE(dialog, nullptr);
            RECT r = HeadlessProgram::screenRect(dialog);
            EXPECT_EQ(r.left, expected.x);
            EXPECT_EQ(r.top, expected.y);
            // Moved, not resized.
            EXPECT_EQ(rectWidth(r), window.cx);
            EXPECT_EQ(rectHeight(r), window.cy);
            // The native window shows it where the window is.
            const auto* surface = program.screen().surface(program.surfaceOf(dialog));
            ASSERT_NE(surface, nullptr);
            EXPECT_TRUE(surface->shown);
            EXPECT_EQ(surface->rect.left, expected.x);
            EXPECT_EQ(surface->rect.top, expected.y);
            program.key(VK_ESCAPE);
        });
        EXPECT_EQ(program.run(), 0);
    }
}

// ---------------------------------------------------------------- focus and the default look

enum class Key { Tab, ShiftTab };

struct TabCase {
    const char* name;
    std::vector<Key> keys;
    std::vector<int> focusAfter;  // the control that has the focus after each key
};

// The frame's pixel at the middle of the left edge of a push button: the
// default button's black frame, or the raised edge of the others.
std::uint32_t leftEdgePixel(HeadlessProgram& program, HWND button) {
    RECT r = rectInSurface(button);
    return program.screen().pixel(program.surfaceOf(button), r.left, (r.top + r.bottom) / 2);
}

void expectFocusAndDefaultLook(HeadlessProgram& program, int focusedId) {
    SCOPED_TRACE("focus expected on " + std::to_string(focusedId));
    HWND focused = program.control(focusedId);
    HWND other = program.control(focusedId == IDOK ? IDC_DETECT_HARDWARE : IDOK);
    EXPECT_EQ(GetFocus(), focused);
    EXPECT_TRUE(looksDefault(focused));
    EXPECT_FALSE(looksDefault(other));
    EXPECT_TRUE(SendMessageA(focused, BM_GETSTATE, 0, 0) & BST_FOCUS);
    EXPECT_FALSE(SendMessageA(other, BM_GETSTATE, 0, 0) & BST_FOCUS);
    // What was presented shows it: the black frame moved with the focus.
    EXPECT_EQ(leftEdgePixel(program, focused), sysPixel(COLOR_WINDOWFRAME));
    EXPECT_NE(leftEdgePixel(program, other), sysPixel(COLOR_WINDOWFRAME));
    // Only the two usable buttons ever look like the default one.
    for (HWND c : childrenOf(program.recorder()))
        if (c != focused) {
            EXPECT_FALSE(looksDefault(c)) << "control " << GetDlgCtrlID(c);
        }
}

TEST(RecorderFocus, StartsOnCloseAndTabMovesOnlyBetweenCloseAndDetectHardware) {
    const std::vector<TabCase> cases = {
        {"Tab, wrapping", {Key::Tab, Key::Tab, Key::Tab, Key::Tab}, {IDC_DETECT_HARDWARE, IDOK, IDC_DETECT_HARDWARE, IDOK}},
        {"Shift+Tab, wrapping",
         {Key::ShiftTab, Key::ShiftTab, Key::ShiftTab},
         {IDC_DETECT_HARDWARE, IDOK, IDC_DETECT_HARDWARE}},
        {"Tab and Shift+Tab mixed",
         {Key::Tab, Key::ShiftTab, Key::ShiftTab, Key::Tab, Key::Tab},
         {IDC_DETECT_HARDWARE, IDOK, IDC_DETECT_HARDWARE, IDOK, IDC_DETECT_HARDWARE}},
    };
    for (const TabCase& row : cases) {
        SCOPED_TRACE(row.name);
        HeadlessProgram program;
        std::vector<ControlView> before;
        program.then([&] {
            ASSERT_NE(program.recorder(), nullptr);
            expectFocusAndDefaultLook(program, IDOK);
            before = viewOf(program.recorder());
            program.key(VK_TAB, row.keys[0] == Key::ShiftTab ? unsigned(display::ModShift) : 0u);
        });
        for (std::size_t i = 0; i < row.keys.size(); ++i) {
            program.then([&, i] {
                SCOPED_TRACE("after key " + std::to_string(i + 1));
                expectFocusAndDefaultLook(program, row.focusAfter[i]);
                EXPECT_EQ(viewOf(program.recorder()), before);
                if (i + 1 < row.keys.size())
                    program.key(VK_TAB, row.keys[i + 1] == Key::ShiftTab ? unsigned(display::ModShift) : 0u);
                else
                    program.key(VK_ESCAPE);
            });
        }
        EXPECT_EQ(program.run(), 0);
        EXPECT_EQ(program.screen().stepsLeft(), 0u);
    }
}

// ---------------------------------------------------------------- disabled controls

struct Gesture {
    const char* name;
    std::function<void(HeadlessProgram&, HWND)> give;
};

// Keys that would edit a field or move in a list, typed after the click
// (the keyboard goes to the focused control: a disabled one never gets it).
void typeEditingKeys(HeadlessProgram& program) {
    for (unsigned vk : {unsigned('A'), unsigned('7'), unsigned(VK_BACK), unsigned(VK_DELETE), unsigned(VK_HOME),
                        unsigned(VK_END), unsigned(VK_F4)})
        program.key(vk);
}

TEST(RecorderDisabledControls, TakeNoMouseOrKeyboardInput) {
    const std::vector<int> disabled = {IDC_CHANNEL,        IDC_SAMPLE_RATE,   IDC_RECORDING_TIME, IDC_START_RECORDING,
                                       IDC_FORMAT_TEXT,    IDC_FORMAT_CSV,    IDC_FORMAT_MATLAB,  IDC_FORMAT_BINARY,
                                       IDC_FILE_NAME,      IDC_SAVE_FILE,     IDC_BROWSE_FILE};
    const std::vector<Gesture> gestures = {
        {"click in the middle, then type", [](HeadlessProgram& p, HWND c) { p.clickOn(c); typeEditingKeys(p); }},
        {"click near the right end (a combo box's arrow), then type",
         [](HeadlessProgram& p, HWND c) {
             RECT r = HeadlessProgram::screenRect(c);
             p.click({r.right - 3, (r.top + r.bottom) / 2});
             typeEditingKeys(p);
         }},
        {"double click",
         [](HeadlessProgram& p, HWND c) {
             p.clickOn(c);
             p.clickOn(c);
         }},
        {"right click", [](HeadlessProgram& p, HWND c) { p.click(HeadlessProgram::centre(c), display::MouseButton::Right); }},
        {"press inside, drag out and release",
         [](HeadlessProgram& p, HWND c) {
             RECT r = HeadlessProgram::screenRect(c);
             p.screen().buttonDown(HeadlessProgram::centre(c));
             p.screen().mouseMove({r.right + 5, r.bottom + 5});
             p.screen().buttonUp({r.right + 5, r.bottom + 5});
         }},
    };
    for (int id : disabled) {
        for (const Gesture& gesture : gestures) {
            SCOPED_TRACE("control " + std::to_string(id) + ", " + gesture.name);
            HeadlessProgram program;
            std::vector<ControlView> before;
            HWND dialog = nullptr;
            program.then([&] {
                dialog = program.recorder();
                ASSERT_NE(dialog, nullptr);
                HWND control = program.control(id);
                ASSERT_NE(control, nullptr);
                ASSERT_FALSE(IsWindowEnabled(control));
                before = viewOf(dialog);
                gesture.give(program, control);
            });
            program.then([&] {
                // Still the same window, nothing changed, focus still on Close,
                // no list opened, no command given.
                EXPECT_EQ(program.recorder(), dialog);
                EXPECT_EQ(viewOf(dialog), before);
                EXPECT_EQ(GetFocus(), program.control(IDOK));
                EXPECT_EQ(program.visibleTopLevels(), std::vector<HWND>{dialog});
                program.key(VK_ESCAPE);
            });
            EXPECT_EQ(program.run(), 0);
            EXPECT_EQ(program.screen().stepsLeft(), 0u);
        }
    }
}

// ---------------------------------------------------------------- closing

struct CloseWay {
    const char* name;
    int code;  // what DoModal returns
    // Appends to the script the steps that close the recorder window.
    std::function<void(HeadlessProgram&)> queue;
};

void closeWithMenuByMouse(HeadlessProgram& program, bool rightClickOnCaption) {
    program.then([&program, rightClickOnCaption] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        if (rightClickOnCaption)
            program.click(atWindow(dialog, rectWidth(HeadlessProgram::screenRect(dialog)) / 2, 12),
                          display::MouseButton::Right);
        else
            program.click(captionIconCentre(dialog));
    });
    program.then([&program] {
        HWND dialog = program.recorder();
        HWND popup = openMenu();
        ASSERT_NE(popup, nullptr) << "the system menu did not open";
        EXPECT_EQ(GetWindow(popup, GW_OWNER), dialog);
        POINT close = menuItemCentre(popup, GetSystemMenu(dialog, FALSE), "&Close");
        ASSERT_NE(close.x, -1) << "the system menu has no Close";
        program.click(close);
    });
}

const std::vector<CloseWay>& closeWays() {
    static const std::vector<CloseWay> ways = {
        {"Close button", IDOK, [](HeadlessProgram& p) { p.then([&p] { p.clickOn(p.control(IDOK)); }); }},
        {"Enter while Close has the focus", IDOK,
         [](HeadlessProgram& p) {
             p.then([&p] {
                 ASSERT_EQ(GetFocus(), p.control(IDOK));
                 p.key(VK_RETURN);
             });
         }},
        {"Space while Close has the focus", IDOK,
         [](HeadlessProgram& p) {
             p.then([&p] {
                 ASSERT_EQ(GetFocus(), p.control(IDOK));
                 p.key(VK_SPACE);
             });
         }},
        {"Enter after Tab to Detect Hardware and back", IDOK,
         [](HeadlessProgram& p) {
             p.then([&p] {
                 p.key(VK_TAB);
                 p.key(VK_TAB, display::ModShift);
                 p.key(VK_RETURN);
             });
         }},
        {"Escape", IDCANCEL, [](HeadlessProgram& p) { p.then([&p] { p.key(VK_ESCAPE); }); }},
        {"title-bar close box", IDCANCEL,
         [](HeadlessProgram& p) { p.then([&p] { p.click(closeBoxCentre(p.recorder())); }); }},
        {"Alt+F4", IDCANCEL, [](HeadlessProgram& p) { p.then([&p] { p.key(VK_F4, display::ModAlt); }); }},
        {"system menu by keyboard: Alt+Space, C", IDCANCEL,
         [](HeadlessProgram& p) {
             p.then([&p] {
                 p.key(VK_SPACE, display::ModAlt);
                 p.key('C');
             });
         }},
        {"system menu by keyboard: Alt+Space, Down, Enter", IDCANCEL,
         [](HeadlessProgram& p) {
             p.then([&p] { p.key(VK_SPACE, display::ModAlt); });
             p.then([&p] {
                 // The menu is open with its first item, Move, highlighted;
                 // Close comes next.
                 ASSERT_NE(openMenu(), nullptr);
                 p.key(VK_DOWN);
                 p.key(VK_RETURN);
             });
         }},
        {"system menu by mouse: caption icon, Close", IDCANCEL,
         [](HeadlessProgram& p) { closeWithMenuByMouse(p, false); }},
        {"system menu by mouse: right click on the caption, Close", IDCANCEL,
         [](HeadlessProgram& p) { closeWithMenuByMouse(p, true); }},
        {"the window manager's close", IDCANCEL,
         [](HeadlessProgram& p) { p.then([&p] { p.screen().requestClose(p.surfaceOf(p.recorder())); }); }},
    };
    return ways;
}

// Each way is used twice in one session: first on a CRecorderDlg run from
// the session's start (whose DoModal result the test sees), then on the
// application object's own window, which must end the program.
TEST(RecorderClosing, EveryWayEndsDoModalWithItsCodeAndEndsTheProgram) {
    for (const CloseWay& way : closeWays()) {
        SCOPED_TRACE(way.name);
        HeadlessProgram program;
        WindowEnds ends;
        int code = 12345;
        std::vector<HWND> recorders;
        program.options().onStart = [&](windowing::WindowSystem& system) {
            ends.install(system);
            code = runRecorderDialog();
        };
        auto noteRecorder = [&] {
            ASSERT_NE(program.recorder(), nullptr);
            recorders.push_back(program.recorder());
        };
        program.then([&] {
            noteRecorder();
            // Nothing was queued: the next step of the script closes it.
        });
        way.queue(program);
        program.then(noteRecorder);
        way.queue(program);

        EXPECT_EQ(program.run(), 0);
        EXPECT_FALSE(program.scriptRanOut());
        EXPECT_EQ(program.screen().stepsLeft(), 0u);
        EXPECT_EQ(code, way.code);
        ASSERT_EQ(recorders.size(), 2u);
        EXPECT_NE(recorders[0], recorders[1]);
        // Both windows were destroyed by the program, the application's
        // last, and no top-level window was left after it.
        const std::vector<HWND>& destroyed = ends.destroyed();
        EXPECT_NE(std::find(destroyed.begin(), destroyed.end(), recorders[0]), destroyed.end());
        ASSERT_FALSE(destroyed.empty());
        EXPECT_EQ(destroyed.back(), recorders[1]);
        EXPECT_EQ(ends.leftAfterLast(), 0);
        EXPECT_EQ(program.screen().surfaceCount(), 0u);
        ASSERT_FALSE(program.screen().log().empty());
        EXPECT_EQ(program.screen().log().back().rfind("destroy ", 0), 0u) << program.screen().log().back();
        EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr);
    }
}

// ---------------------------------------------------------------- arguments

struct ArgumentsRun {
    std::vector<ControlView> controls;
    RECT window{};
    HWND focus = nullptr;
    int focusId = 0;
    std::vector<std::uint32_t> pixels;
    std::string commandLine;
};

ArgumentsRun runWithArguments(const std::vector<std::string>& arguments) {
    ArgumentsRun seen;
    HeadlessProgram program;
    program.options().arguments = arguments;
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        seen.controls = viewOf(dialog);
        seen.window = HeadlessProgram::screenRect(dialog);
        seen.focusId = GetDlgCtrlID(GetFocus());
        RECT whole{0, 0, rectWidth(seen.window), rectHeight(seen.window)};
        seen.pixels = presentedPixels(program.screen(), program.surfaceOf(dialog), whole);
        seen.commandLine = AfxGetApp()->m_lpCmdLine;
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(program.screen().surfaceCount(), 0u);
    return seen;
}

TEST(RecorderArguments, ChangeNothing) {
    const ArgumentsRun plain = runWithArguments({});
    ASSERT_FALSE(plain.controls.empty());
    const std::vector<std::vector<std::string>> rows = {
        {"--help"},
        {"/?"},
        {"-c", "18", "-r", "1000", "--sample-rate=9999"},
        {"output.csv", "/format:Matlab", "--detect"},
        {std::string(4000, 'x')},
        {"", " ", "\"quoted argument\"", "ümlaut"},
    };
    for (const auto& arguments : rows) {
        std::string line;
        for (const std::string& a : arguments) line += (line.empty() ? "" : " ") + a;
        SCOPED_TRACE("arguments: " + line.substr(0, 60));
        ArgumentsRun seen = runWithArguments(arguments);
        // The platform recorded them, so they did reach the program...
        EXPECT_EQ(seen.commandLine, line);
        // ...and the window is the same in every respect.
        EXPECT_EQ(seen.controls, plain.controls);
        EXPECT_EQ(seen.window.left, plain.window.left);
        EXPECT_EQ(seen.window.top, plain.window.top);
        EXPECT_EQ(seen.window.right, plain.window.right);
        EXPECT_EQ(seen.window.bottom, plain.window.bottom);
        EXPECT_EQ(seen.focusId, plain.focusId);
        EXPECT_TRUE(seen.pixels == plain.pixels) << "the presented window differs";
    }
}

// ---------------------------------------------------------------- a picture to look at

TEST(RecorderPicture, WritesThePresentedWindowAsPng) {
    const std::string path = std::string(QV_TEST_OUTPUT_DIR) + "/recorder.png";
    std::filesystem::remove(path);
    HeadlessProgram program;
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        const auto* surface = program.screen().surface(program.surfaceOf(dialog));
        ASSERT_NE(surface, nullptr);
        ASSERT_FALSE(surface->pixels.empty());
        std::string error;
        EXPECT_TRUE(graphics::writePng(surface->pixels.data(), surface->width, surface->height, surface->width * 4,
                                       path, &error))
            << error;
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

}  // namespace
