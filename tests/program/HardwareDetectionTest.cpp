// Hardware detection on the headless screen with its
// virtual clock: the greyed "Detecting..." button on screen during the one
// 2500 ms wait, the "Warning" box, everything back as it was after it, any
// number of times; the ways to start and to dismiss it; input given during
// the wait; and a recorder window that takes no input while the box is up.
#include "resources/resource.h"
#include "tests/program/RecorderTestKit.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace recorder_test;

namespace {

constexpr const char* kWarningText = "No data acquisition hardware detected. Recording is disabled.";

// What the program showed and held at the moment of a wait.
struct AtSleep {
    std::uint32_t ms = 0;
    std::string buttonText;
    bool buttonEnabled = true;
    std::vector<std::uint32_t> buttonPixels;  // the presented frame
    std::vector<std::string> log;             // the screen's log up to the wait
    std::vector<HWND> topLevels;
};

// Watches a session's waits (install before run()).
class SleepWatch {
public:
    explicit SleepWatch(HeadlessProgram& program) : program_(program) {
        program.screen().onSleep([this](std::uint32_t ms) {
            AtSleep seen;
            seen.ms = ms;
            HWND button = program_.control(IDC_DETECT_HARDWARE);
            seen.buttonText = HeadlessProgram::text(button);
            seen.buttonEnabled = IsWindowEnabled(button) != FALSE;
            seen.buttonPixels = presentedPixels(program_.screen(), program_.surfaceOf(button), rectInSurface(button));
            seen.log = program_.screen().log();
            seen.topLevels = program_.visibleTopLevels();
            captures.push_back(std::move(seen));
            if (duringWait) duringWait(captures.size());
        });
    }
    std::vector<AtSleep> captures;
    // Called at each wait with its number (1 for the first): input queued
    // here is input given during the wait.
    std::function<void(std::size_t)> duringWait;

private:
    HeadlessProgram& program_;
};

// A harmless input that makes the program present what it drew: the
// pointer moves over the black panel.
void nudge(HeadlessProgram& program) {
    HWND panel = GetWindow(program.control(IDOK), GW_HWNDNEXT);
    program.screen().mouseMove(HeadlessProgram::centre(panel));
}

// The pixels of the Detect Hardware button greyed and reading "Detecting...",
// as the program draws that state on its own (set through the API while
// the window idles, then presented). It runs a session of its own: call it
// before starting another, never from inside one.
const std::vector<std::uint32_t>& detectingButtonRendering() {
    static const std::vector<std::uint32_t> pixels = [] {
        std::vector<std::uint32_t> result;
        HeadlessProgram program;
        program.then([&] {
            HWND button = program.control(IDC_DETECT_HARDWARE);
            SetWindowTextA(button, "Detecting...");
            EnableWindow(button, FALSE);
            nudge(program);
        });
        program.then([&] {
            HWND button = program.control(IDC_DETECT_HARDWARE);
            result = presentedPixels(program.screen(), program.surfaceOf(button), rectInSurface(button));
            program.key(VK_ESCAPE);
        });
        EXPECT_EQ(program.run(), 0);
        return result;
    }();
    return pixels;
}

HWND warningBox(HeadlessProgram& program) { return program.topLevel("Warning"); }

// Everything the box must be while it is up.
void expectWarningBox(HeadlessProgram& program, HWND recorder) {
    HWND box = warningBox(program);
    ASSERT_NE(box, nullptr) << "no window titled \"Warning\"";
    EXPECT_EQ(program.visibleTopLevels().size(), 2u);
    EXPECT_EQ(GetWindow(box, GW_OWNER), recorder);
    EXPECT_FALSE(IsWindowEnabled(recorder));
    EXPECT_TRUE(IsWindowEnabled(box));
    EXPECT_EQ(GetActiveWindow(), box);

    HWND icon = nullptr, text = nullptr;
    std::vector<HWND> buttons;
    for (HWND c : childrenOf(box)) {
        std::string cls = HeadlessProgram::className(c);
        DWORD style = HeadlessProgram::style(c);
        if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            EXPECT_EQ(icon, nullptr) << "two icons";
            icon = c;
        } else if (cls == "Static") {
            EXPECT_EQ(text, nullptr) << "two texts";
            text = c;
        } else if (cls == "Button") {
            buttons.push_back(c);
        } else {
            ADD_FAILURE() << "unexpected control of class " << cls;
        }
    }
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(HeadlessProgram::text(text), kWarningText);
    ASSERT_NE(icon, nullptr) << "no icon";
    HICON shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(shown, LoadIconA(nullptr, IDI_EXCLAMATION));
    ASSERT_EQ(buttons.size(), 1u) << "more than the OK button";
    HWND ok = buttons.front();
    EXPECT_EQ(GetDlgCtrlID(ok), IDOK);
    EXPECT_EQ(HeadlessProgram::text(ok), "OK");
    EXPECT_TRUE(looksDefault(ok));
    EXPECT_EQ(GetFocus(), ok);

    // Over its owner, inside the work area, on screen as a dialog of the
    // recorder's native window.
    RECT b = HeadlessProgram::screenRect(box);
    RECT r = HeadlessProgram::screenRect(recorder);
    EXPECT_LE(std::abs((b.left + b.right) - (r.left + r.right)), 1);
    EXPECT_LE(std::abs((b.top + b.bottom) - (r.top + r.bottom)), 1);
    RECT work = display::HeadlessBackend::defaultMonitors().front().workArea;
    EXPECT_GE(b.left, work.left);
    EXPECT_GE(b.top, work.top);
    EXPECT_LE(b.right, work.right);
    EXPECT_LE(b.bottom, work.bottom);
    const auto* surface = program.screen().surface(program.surfaceOf(box));
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(surface->shown);
    EXPECT_EQ(surface->title, "Warning");
    EXPECT_EQ(surface->request.owner, program.surfaceOf(recorder));
    EXPECT_GT(surface->presents, 0);

    // The recorder behind it: the button still greyed with "Detecting...".
    HWND button = program.control(recorder, IDC_DETECT_HARDWARE);
    EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_EQ(HeadlessProgram::text(button), "Detecting...");
}

// What the wait showed: exactly the greyed "Detecting..." button, presented
// after the change and before the wait.
void expectWait(const AtSleep& seen, HeadlessProgram& program, std::size_t logAtClick,
                const std::vector<std::uint32_t>& idleButton, const std::vector<std::uint32_t>& detectingButton) {
    EXPECT_EQ(seen.ms, 2500u);
    EXPECT_EQ(seen.buttonText, "Detecting...");
    EXPECT_FALSE(seen.buttonEnabled);
    EXPECT_EQ(seen.topLevels, std::vector<HWND>{program.recorder()}) << "a window other than the recorder was up";
    ASSERT_GE(seen.log.size(), 2u);
    EXPECT_EQ(seen.log.back(), "sleep 2500");
    const std::string present = "present " + std::to_string(program.surfaceOf(program.recorder()));
    EXPECT_EQ(seen.log[seen.log.size() - 2], present) << "the frame was not presented right before the wait";
    EXPECT_GT(seen.log.size(), logAtClick);
    EXPECT_TRUE(seen.buttonPixels == detectingButton)
        << "the button on screen during the wait is not the greyed \"Detecting...\" button";
    EXPECT_FALSE(seen.buttonPixels == idleButton) << "the button on screen did not change before the wait";
}

struct Way {
    const char* name;
    std::function<void(HeadlessProgram&)> give;
};

const std::vector<Way>& startWays() {
    static const std::vector<Way> ways = {
        {"click", [](HeadlessProgram& p) { p.clickOn(p.control(IDC_DETECT_HARDWARE)); }},
        {"Enter on Detect Hardware",
         [](HeadlessProgram& p) {
             if (GetFocus() != p.control(IDC_DETECT_HARDWARE)) p.key(VK_TAB);
             p.key(VK_RETURN);
         }},
        {"Space on Detect Hardware",
         [](HeadlessProgram& p) {
             if (GetFocus() != p.control(IDC_DETECT_HARDWARE)) p.key(VK_TAB);
             p.key(VK_SPACE);
         }},
    };
    return ways;
}

HWND okOf(HWND box) { return GetDlgItem(box, IDOK); }

const std::vector<Way>& dismissWays() {
    static const std::vector<Way> ways = {
        {"OK clicked", [](HeadlessProgram& p) { p.clickOn(okOf(warningBox(p))); }},
        {"Enter", [](HeadlessProgram& p) { p.key(VK_RETURN); }},
        {"Space", [](HeadlessProgram& p) { p.key(VK_SPACE); }},
        {"Escape", [](HeadlessProgram& p) { p.key(VK_ESCAPE); }},
        {"the box's close box", [](HeadlessProgram& p) { p.click(closeBoxCentre(warningBox(p))); }},
        {"Alt+F4", [](HeadlessProgram& p) { p.key(VK_F4, display::ModAlt); }},
        {"the box's system menu: Alt+Space, C",
         [](HeadlessProgram& p) {
             p.key(VK_SPACE, display::ModAlt);
             p.key('C');
         }},
        {"the window manager's close", [](HeadlessProgram& p) { p.screen().requestClose(p.surfaceOf(warningBox(p))); }},
    };
    return ways;
}

// Runs `cycles` detections started and dismissed the given ways, checking
// every cycle, then closes the recorder.
void runCycles(const Way& start, const Way& dismiss, int cycles) {
    const std::vector<std::uint32_t>& detectingButton = detectingButtonRendering();
    ASSERT_FALSE(detectingButton.empty());
    HeadlessProgram program;
    SleepWatch watch(program);
    std::vector<ControlView> before;
    std::vector<std::uint32_t> idleButton;
    std::size_t logAtClick = 0;
    HWND recorder = nullptr;

    program.then([&] {
        recorder = program.recorder();
        ASSERT_NE(recorder, nullptr);
        before = viewOf(recorder);
        HWND button = program.control(IDC_DETECT_HARDWARE);
        idleButton = presentedPixels(program.screen(), program.surfaceOf(button), rectInSurface(button));
        logAtClick = program.screen().log().size();
        start.give(program);
    });
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        program.then([&, cycle] {
            SCOPED_TRACE("cycle " + std::to_string(cycle) + ", the box is up");
            ASSERT_EQ(watch.captures.size(), static_cast<std::size_t>(cycle)) << "not exactly one wait per cycle";
            EXPECT_EQ(program.screen().sleeps(), std::vector<std::uint32_t>(cycle, 2500u));
            EXPECT_EQ(program.screen().clock(), 1000u + 2500u * cycle);
            expectWait(watch.captures.back(), program, logAtClick, idleButton, detectingButton);
            expectWarningBox(program, recorder);
            dismiss.give(program);
        });
        program.then([&, cycle] {
            SCOPED_TRACE("cycle " + std::to_string(cycle) + ", after the box");
            EXPECT_EQ(warningBox(program), nullptr);
            EXPECT_EQ(program.visibleTopLevels(), std::vector<HWND>{recorder});
            EXPECT_TRUE(IsWindowEnabled(recorder));
            EXPECT_EQ(GetActiveWindow(), recorder);
            HWND button = program.control(IDC_DETECT_HARDWARE);
            EXPECT_TRUE(IsWindowEnabled(button));
            EXPECT_EQ(HeadlessProgram::text(button), "Detect Hardware");
            // Every control as before, the "Hardware Detected: None" label
            // included; the focus is back on Detect Hardware.
            EXPECT_EQ(viewOf(recorder), before);
            EXPECT_EQ(GetFocus(), button);
            EXPECT_TRUE(looksDefault(button));
            EXPECT_EQ(program.screen().sleeps().size(), static_cast<std::size_t>(cycle));
            if (cycle < cycles) {
                logAtClick = program.screen().log().size();
                start.give(program);
            } else {
                program.key(VK_ESCAPE);
            }
        });
    }
    EXPECT_EQ(program.run(), 0);
    EXPECT_FALSE(program.scriptRanOut());
    EXPECT_EQ(program.screen().stepsLeft(), 0u);
    EXPECT_EQ(program.screen().surfaceCount(), 0u);
}

TEST(HardwareDetection, EachCycleWaitsOnceShowsTheWarningAndRestoresTheWindow) {
    const Way& ok = dismissWays().front();
    for (int cycles : {1, 2, 5}) {
        for (const Way& start : startWays()) {
            SCOPED_TRACE(std::to_string(cycles) + " cycle(s) started by " + start.name);
            runCycles(start, ok, cycles);
        }
    }
}

TEST(HardwareDetection, EveryWayOfDismissingTheBoxActsLikeOk) {
    const Way& click = startWays().front();
    for (const Way& dismiss : dismissWays()) {
        SCOPED_TRACE(std::string("dismissed by ") + dismiss.name);
        runCycles(click, dismiss, 2);
    }
}

// ---------------------------------------------------------------- input given during the wait

struct QueuedCase {
    const char* name;
    // Queued in the step that starts the detection, after the click.
    std::function<void(HeadlessProgram&)> afterClick;
    // Queued while the program waits (wait number given).
    std::function<void(HeadlessProgram&, std::size_t)> duringWait;
    // Checked in the next step the program gives the script.
    std::function<void(HeadlessProgram&, HWND recorder)> then;
};

void expectIdleAfterCycles(HeadlessProgram& program, HWND recorder, std::size_t cycles) {
    EXPECT_EQ(program.screen().sleeps(), std::vector<std::uint32_t>(cycles, 2500u));
    EXPECT_EQ(warningBox(program), nullptr) << "the queued input did not reach the box";
    EXPECT_EQ(program.visibleTopLevels(), std::vector<HWND>{recorder});
    HWND button = program.control(IDC_DETECT_HARDWARE);
    EXPECT_TRUE(IsWindowEnabled(button));
    EXPECT_EQ(HeadlessProgram::text(button), "Detect Hardware");
    EXPECT_EQ(GetFocus(), button);
}

void expectBoxUp(HeadlessProgram& program, HWND recorder, std::size_t cycles) {
    EXPECT_EQ(program.screen().sleeps(), std::vector<std::uint32_t>(cycles, 2500u));
    expectWarningBox(program, recorder);
}

// The warning boxes that came to be: native windows other than the
// recorder's. (A box dismissed by input already queued is created and gone
// before its first frame is presented, so it may never be shown.)
std::size_t boxesMade(HeadlessProgram& program, HWND recorder) {
    const std::string recorderSurface = std::to_string(program.surfaceOf(recorder));
    std::size_t made = 0;
    for (const std::string& line : program.screen().log())
        if (line.rfind("create ", 0) == 0 && line.substr(7) != recorderSurface) ++made;
    return made;
}

TEST(HardwareDetection, InputGivenDuringTheWaitIsTakenAfterItByTheFocusedWindow) {
    const std::vector<QueuedCase> cases = {
        {"Return queued with the click dismisses the box",
         [](HeadlessProgram& p) { p.key(VK_RETURN); }, {},
         [](HeadlessProgram& p, HWND r) {
             expectIdleAfterCycles(p, r, 1);
             EXPECT_EQ(boxesMade(p, r), 1u);
         }},
        {"Return given during the wait dismisses the box", {},
         [](HeadlessProgram& p, std::size_t wait) {
             if (wait == 1) p.key(VK_RETURN);
         },
         [](HeadlessProgram& p, HWND r) {
             expectIdleAfterCycles(p, r, 1);
             EXPECT_EQ(boxesMade(p, r), 1u);
         }},
        {"Escape given during the wait dismisses the box, not the recorder", {},
         [](HeadlessProgram& p, std::size_t wait) {
             if (wait == 1) p.key(VK_ESCAPE);
         },
         [](HeadlessProgram& p, HWND r) {
             expectIdleAfterCycles(p, r, 1);
             EXPECT_EQ(boxesMade(p, r), 1u);
         }},
        // The second Return finds the focus back on Detect Hardware.
        {"two Returns: the box closes, then the next cycle starts", {},
         [](HeadlessProgram& p, std::size_t wait) {
             if (wait == 1) {
                 p.key(VK_RETURN);
                 p.key(VK_RETURN);
             }
         },
         [](HeadlessProgram& p, HWND r) {
             expectBoxUp(p, r, 2);
             EXPECT_EQ(boxesMade(p, r), 2u);
         }},
        // A click is taken by the window under the pointer: the recorder,
        // disabled by then, takes none.
        {"a click on Close during the wait is not taken by the disabled recorder", {},
         [](HeadlessProgram& p, std::size_t wait) {
             if (wait == 1) p.clickOn(p.control(IDOK));
         },
         [](HeadlessProgram& p, HWND r) { expectBoxUp(p, r, 1); }},
    };
    const std::vector<std::uint32_t>& detectingButton = detectingButtonRendering();
    ASSERT_FALSE(detectingButton.empty());
    for (const QueuedCase& row : cases) {
        SCOPED_TRACE(row.name);
        HeadlessProgram program;
        SleepWatch watch(program);
        if (row.duringWait) watch.duringWait = [&](std::size_t wait) { row.duringWait(program, wait); };
        HWND recorder = nullptr;
        program.then([&] {
            recorder = program.recorder();
            ASSERT_NE(recorder, nullptr);
            program.clickOn(program.control(IDC_DETECT_HARDWARE));
            if (row.afterClick) row.afterClick(program);
        });
        program.then([&] {
            ASSERT_FALSE(watch.captures.empty());
            // The wait itself showed the greyed button whatever was queued.
            EXPECT_EQ(watch.captures.front().buttonText, "Detecting...");
            EXPECT_TRUE(watch.captures.front().buttonPixels == detectingButton);
            row.then(program, recorder);
            if (warningBox(program)) program.key(VK_RETURN);
        });
        program.then([&] {
            EXPECT_EQ(warningBox(program), nullptr);
            program.key(VK_ESCAPE);
        });
        EXPECT_EQ(program.run(), 0);
        EXPECT_EQ(program.screen().stepsLeft(), 0u);
        EXPECT_EQ(program.screen().surfaceCount(), 0u);
    }
}

// ---------------------------------------------------------------- the recorder while the box is up

struct BlockedInput {
    const char* name;
    std::function<void(HeadlessProgram&, HWND recorder)> give;
    bool opensTheBoxMenu;  // Alt+Space reaches the box, which has the focus
};

TEST(HardwareDetection, TheRecorderTakesNoInputWhileTheBoxIsUp) {
    const std::vector<BlockedInput> cases = {
        {"click on Close", [](HeadlessProgram& p, HWND r) { p.clickOn(p.control(r, IDOK)); }, false},
        {"click on Detect Hardware", [](HeadlessProgram& p, HWND r) { p.clickOn(p.control(r, IDC_DETECT_HARDWARE)); },
         false},
        {"click on the recorder's close box", [](HeadlessProgram& p, HWND r) { p.click(closeBoxCentre(r)); }, false},
        {"click on the recorder's caption icon", [](HeadlessProgram& p, HWND r) { p.click(captionIconCentre(r)); },
         false},
        {"right click on the recorder's caption",
         [](HeadlessProgram& p, HWND r) {
             p.click(atWindow(r, rectWidth(HeadlessProgram::screenRect(r)) / 2, 12), display::MouseButton::Right);
         },
         false},
        {"the window manager's close of the recorder",
         [](HeadlessProgram& p, HWND r) { p.screen().requestClose(p.surfaceOf(r)); }, false},
        {"Alt+Space", [](HeadlessProgram& p, HWND) { p.key(VK_SPACE, display::ModAlt); }, true},
    };
    for (const BlockedInput& row : cases) {
        SCOPED_TRACE(row.name);
        HeadlessProgram program;
        HWND recorder = nullptr;
        std::vector<ControlView> during;
        program.then([&] {
            recorder = program.recorder();
            ASSERT_NE(recorder, nullptr);
            program.clickOn(program.control(IDC_DETECT_HARDWARE));
        });
        program.then([&] {
            ASSERT_NE(warningBox(program), nullptr);
            during = viewOf(recorder);
            row.give(program, recorder);
        });
        program.then([&] {
            HWND box = warningBox(program);
            ASSERT_NE(box, nullptr) << "the box is gone";
            EXPECT_EQ(program.recorder(), recorder);
            EXPECT_FALSE(IsWindowEnabled(recorder));
            EXPECT_EQ(viewOf(recorder), during);
            EXPECT_EQ(program.screen().sleeps().size(), 1u);
            HWND menu = openMenu();
            if (row.opensTheBoxMenu) {
                ASSERT_NE(menu, nullptr);
                EXPECT_EQ(GetWindow(menu, GW_OWNER), box) << "the recorder's menu opened";
                program.key(VK_ESCAPE);  // closes the menu only
            } else {
                EXPECT_EQ(menu, nullptr) << "a menu opened";
                EXPECT_EQ(GetActiveWindow(), box);
                EXPECT_EQ(GetFocus(), okOf(box));
                program.key(VK_RETURN);
            }
        });
        if (row.opensTheBoxMenu) {
            program.then([&] {
                EXPECT_EQ(openMenu(), nullptr);
                ASSERT_NE(warningBox(program), nullptr);
                EXPECT_EQ(GetFocus(), okOf(warningBox(program)));
                program.key(VK_RETURN);
            });
        }
        program.then([&] {
            EXPECT_EQ(warningBox(program), nullptr);
            EXPECT_TRUE(IsWindowEnabled(recorder));
            program.key(VK_ESCAPE);
        });
        EXPECT_EQ(program.run(), 0);
        EXPECT_EQ(program.screen().stepsLeft(), 0u);
        EXPECT_EQ(program.screen().surfaceCount(), 0u);
    }
}

}  // namespace
