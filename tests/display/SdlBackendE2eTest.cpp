// The SDL backend on a private Xvfb, seen from outside: sdl_probe opens
// windows through the backend and prints the events it gets; the tests read
// the screen with Xlib and type and click with XTest.
#include "tests/display/ProbePattern.h"
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

namespace {

using e2e::Millis;

constexpr Millis kAppear{10000};
constexpr Millis kArrive{5000};

// Lines of `text` that start with `prefix`.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    }
    return lines;
}

class SdlBackendOnX : public ::testing::Test {
protected:
    void startServer(const e2e::XvfbServer::Options& options = {}) {
        m_screen.reset();
        m_server = std::make_unique<e2e::XvfbServer>(options);
        ASSERT_TRUE(m_server->running()) << m_server->error();
        m_screen = std::make_unique<e2e::ScreenClient>(m_server->displayName());
        ASSERT_TRUE(m_screen->connected()) << m_screen->error();
    }

    std::unique_ptr<e2e::ProgramRun> runProbe(const std::vector<std::string>& arguments,
                                              e2e::ProgramRun::Options options) {
        return std::make_unique<e2e::ProgramRun>(QV_SDL_PROBE, arguments, options);
    }

    // Starts the probe on this test's server and waits until its windows are up.
    void startProbe(const std::vector<std::string>& arguments) {
        m_probe = runProbe(arguments, {m_server->displayName(), {}});
        ASSERT_TRUE(m_probe->started()) << m_probe->error();
        ASSERT_TRUE(m_probe->waitForStdout("ready", kAppear))
            << "stdout:\n" << m_probe->standardOutput() << "stderr:\n" << m_probe->standardError();
    }

    e2e::XWindowId window(const std::string& title) {
        const auto found = m_screen->findWindow(title, kAppear);
        EXPECT_TRUE(found) << "no viewable window titled \"" << title << "\"";
        return found.value_or(0);
    }

    std::unique_ptr<e2e::XvfbServer> m_server;
    std::unique_ptr<e2e::ScreenClient> m_screen;
    std::unique_ptr<e2e::ProgramRun> m_probe;
};

std::vector<std::uint32_t> expectedPattern(int width, int height) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(probe::patternPixel(x, y));
    }
    return pixels;
}

TEST_F(SdlBackendOnX, MainWindowAppearsWhereAskedWithItsTitleAndPixels) {
    startServer();
    // The pattern was presented while the window was hidden: what shows on
    // the screen is the probe presenting it again when the backend reports
    // the window exposed, as the windowing layer does.
    startProbe({"--title", "Geometry Probe \xC3\xA9", "--rect", "130,90,450,330"});
    const e2e::XWindowId main = window("Geometry Probe \xC3\xA9");
    ASSERT_NE(main, 0u);
    EXPECT_EQ(m_screen->geometry(main), (e2e::WindowGeometry{130, 90, 320, 240}));

    const std::vector<std::uint32_t> expected = expectedPattern(320, 240);
    std::vector<std::uint32_t> shown;
    const bool same = e2e::waitFor(
        [&] {
            shown = m_screen->readPixels(130, 90, 320, 240);
            return shown == expected;
        },
        kArrive);
    if (!same && shown.size() == expected.size()) {
        const auto diff = std::mismatch(shown.begin(), shown.end(), expected.begin());
        const auto at = diff.first - shown.begin();
        FAIL() << "first different pixel at (" << at % 320 << "," << at / 320 << "): shown 0x" << std::hex
               << *diff.first << ", presented 0x" << *diff.second;
    }
    EXPECT_TRUE(same) << "read " << shown.size() << " pixels";

    // A top-level window with a task-bar entry is a normal managed window.
    const std::vector<std::string> state = m_screen->netWmState(main);
    EXPECT_EQ(std::count(state.begin(), state.end(), "_NET_WM_STATE_SKIP_TASKBAR"), 0);
    EXPECT_FALSE(m_screen->transientFor(main));
}

TEST_F(SdlBackendOnX, MainWindowCarriesEveryIconSize) {
    startServer();
    startProbe({"--title", "Icon Probe"});
    const e2e::XWindowId main = window("Icon Probe");
    ASSERT_NE(main, 0u);
    const std::vector<e2e::IconImage> icons = m_screen->icons(main);
    ASSERT_EQ(icons.size(), std::size(probe::kIconSizes));
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const int size = probe::kIconSizes[i];
        SCOPED_TRACE("icon " + std::to_string(size));
        ASSERT_EQ(icons[i].width, size);
        ASSERT_EQ(icons[i].height, size);
        std::vector<std::uint32_t> expected;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) expected.push_back(probe::iconPixel(size, x, y));
        }
        EXPECT_EQ(icons[i].argb, expected);
    }
}

TEST_F(SdlBackendOnX, DialogIsTransientForItsOwnerAndOffTheTaskBar) {
    startServer();
    startProbe({"--title", "Owner", "--rect", "50,40,450,340", "--dialog", "200,150,380,260"});
    const e2e::XWindowId main = window("Owner");
    const e2e::XWindowId dialog = window("Owner Dialog");
    ASSERT_NE(main, 0u);
    ASSERT_NE(dialog, 0u);

    EXPECT_EQ(m_screen->transientFor(dialog), main);
    const std::vector<std::string> state = m_screen->netWmState(dialog);
    EXPECT_NE(std::find(state.begin(), state.end(), "_NET_WM_STATE_SKIP_TASKBAR"), state.end());
    const std::vector<std::string> type = m_screen->windowType(dialog);
    EXPECT_NE(std::find(type.begin(), type.end(), "_NET_WM_WINDOW_TYPE_DIALOG"), type.end());
    // The owner stays a normal window with a task-bar entry.
    EXPECT_EQ(m_screen->windowType(main), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_NORMAL"});
    EXPECT_FALSE(m_screen->transientFor(main));

    EXPECT_EQ(m_screen->geometry(dialog), (e2e::WindowGeometry{200, 150, 180, 110}));
    // Shown last, the dialog is on top of its owner.
    const std::vector<e2e::TopLevelWindow> stack = m_screen->mappedTopLevels();
    ASSERT_FALSE(stack.empty());
    EXPECT_EQ(stack.back().id, dialog);
    const std::vector<std::uint32_t> expected = expectedPattern(180, 110);
    EXPECT_TRUE(e2e::waitFor([&] { return m_screen->readPixels(200, 150, 180, 110) == expected; }, kArrive));
}

TEST_F(SdlBackendOnX, PopupMenuIsPlacedExactlyAndLeftUnmanaged) {
    startServer();
    startProbe({"--title", "Menu Owner", "--rect", "50,40,450,340", "--popup", "120,70,260,190"});
    const e2e::XWindowId popup = window("Menu Owner Popup");
    ASSERT_NE(popup, 0u);
    EXPECT_TRUE(m_screen->overrideRedirect(popup));
    EXPECT_FALSE(m_screen->overrideRedirect(window("Menu Owner")));
    EXPECT_EQ(m_screen->geometry(popup), (e2e::WindowGeometry{120, 70, 140, 120}));
    const std::vector<std::uint32_t> expected = expectedPattern(140, 120);
    EXPECT_TRUE(e2e::waitFor([&] { return m_screen->readPixels(120, 70, 140, 120) == expected; }, kArrive));
}

TEST_F(SdlBackendOnX, HidingADialogGivesTheFocusBackToItsOwner) {
    startServer();
    startProbe({"--title", "Focus Owner", "--dialog", "150,120,300,200"});
    const e2e::XWindowId dialog = window("Focus Owner Dialog");
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(m_screen->pressKey(XK_h));
    ASSERT_TRUE(m_probe->waitForStdout("KeyDown vk=0x48 mods=0 repeat=0 surface=2\nhidden dialog\n", kArrive))
        << m_probe->standardOutput();
    EXPECT_TRUE(e2e::waitFor([&] { return !m_screen->isViewable(dialog); }, kArrive));
    ASSERT_TRUE(m_screen->pressKey(XK_Tab));
    EXPECT_TRUE(m_probe->waitForStdout("KeyDown vk=0x09 mods=0 repeat=0 surface=1", kArrive))
        << m_probe->standardOutput();
}

TEST_F(SdlBackendOnX, ClicksFollowAWindowThatWasMoved) {
    struct MoveCase {
        const char* name;
        bool byWindowManager;  // else the program moves it itself
        const char* report;    // what the probe prints about the move
    };
    const MoveCase cases[] = {
        {"moved by the program", false, "moved main"},
        // Only a move by someone else is reported as Moved.
        {"moved by a window manager", true, "Moved x=140 y=110 surface=1"},
    };
    for (const MoveCase& row : cases) {
        SCOPED_TRACE(row.name);
        startServer();
        startProbe({"--title", "Moving Probe", "--rect", "100,80,420,320"});
        const e2e::XWindowId main = window("Moving Probe");
        ASSERT_NE(main, 0u);
        if (row.byWindowManager) {
            m_screen->moveWindow(main, 140, 110);
        } else {
            ASSERT_TRUE(m_screen->pressKey(XK_m));
        }
        ASSERT_TRUE(m_probe->waitForStdout(row.report, kArrive)) << m_probe->standardOutput();
        EXPECT_TRUE(e2e::waitFor([&] { return m_screen->geometry(main) == e2e::WindowGeometry{140, 110, 320, 240}; },
                                 kArrive));
        // (141,111) is the window's pixel (1,1) now.
        m_screen->click(141, 111);
        EXPECT_TRUE(m_probe->waitForStdout("ButtonUp button=left x=141 y=111 surface=1", kArrive))
            << m_probe->standardOutput();
        // Events come in order, so any echo of the move came before the click.
        const std::size_t moves = linesStartingWith(m_probe->standardOutput(), "Moved ").size();
        EXPECT_EQ(moves, row.byWindowManager ? 1u : 0u) << m_probe->standardOutput();
    }
}

TEST_F(SdlBackendOnX, AResizedWindowTakesItsNewSizeAndShowsTheFrameOfThatSize) {
    startServer();
    startProbe({"--title", "Sizing Probe", "--rect", "100,80,420,320"});
    const e2e::XWindowId main = window("Sizing Probe");
    ASSERT_NE(main, 0u);
    ASSERT_TRUE(m_screen->pressKey(XK_s));
    ASSERT_TRUE(m_probe->waitForStdout("resized main", kArrive)) << m_probe->standardOutput();
    EXPECT_TRUE(e2e::waitFor([&] { return m_screen->geometry(main) == e2e::WindowGeometry{100, 80, 360, 270}; },
                             kArrive))
        << "the window is " << m_screen->geometry(main).value_or(e2e::WindowGeometry{}).width << "x"
        << m_screen->geometry(main).value_or(e2e::WindowGeometry{}).height;
    const std::vector<std::uint32_t> expected = expectedPattern(360, 270);
    EXPECT_TRUE(e2e::waitFor([&] { return m_screen->readPixels(100, 80, 360, 270) == expected; }, kArrive))
        << "the window does not show the pattern at its new size";
}

TEST_F(SdlBackendOnX, AWindowManagerCloseBecomesCloseRequested) {
    startServer();
    startProbe({"--title", "Close Probe"});
    const e2e::XWindowId main = window("Close Probe");
    ASSERT_NE(main, 0u);
    m_screen->requestClose(main);
    EXPECT_TRUE(m_probe->waitForStdout("CloseRequested surface=1", kArrive)) << m_probe->standardOutput();
    // Closing is the windowing layer's decision: the window stays.
    EXPECT_TRUE(m_screen->isViewable(main));
    EXPECT_FALSE(m_probe->waitForExit(Millis(0)));
}

struct KeyCase {
    const char* name;
    e2e::KeySymbol keysym;
    unsigned modifiers;
    std::vector<std::string> lines;  // key events the probe prints, in order
};

TEST_F(SdlBackendOnX, KeysArriveAsVirtualKeysWithTheirModifiers) {
    const KeyCase cases[] = {
        {"Tab", XK_Tab, 0, {"KeyDown vk=0x09 mods=0", "KeyUp vk=0x09 mods=0"}},
        {"Shift+Tab", XK_Tab, e2e::WithShift,
         {"KeyDown vk=0x10 mods=1", "KeyDown vk=0x09 mods=1", "KeyUp vk=0x09 mods=1", "KeyUp vk=0x10 mods=0"}},
        // Without a window manager Alt+Space and Alt+F4 reach the program.
        {"Alt+Space", XK_space, e2e::WithAlt,
         {"KeyDown vk=0x12 mods=4", "KeyDown vk=0x20 mods=4", "KeyUp vk=0x20 mods=4", "KeyUp vk=0x12 mods=0"}},
        {"Alt+F4", XK_F4, e2e::WithAlt,
         {"KeyDown vk=0x12 mods=4", "KeyDown vk=0x73 mods=4", "KeyUp vk=0x73 mods=4", "KeyUp vk=0x12 mods=0"}},
        {"F1", XK_F1, 0, {"KeyDown vk=0x70 mods=0", "KeyUp vk=0x70 mods=0"}},
        {"letter", XK_a, 0, {"KeyDown vk=0x41 mods=0", "KeyUp vk=0x41 mods=0"}},
        {"Shift+letter", XK_r, e2e::WithShift,
         {"KeyDown vk=0x10 mods=1", "KeyDown vk=0x52 mods=1", "KeyUp vk=0x52 mods=1", "KeyUp vk=0x10 mods=0"}},
        {"Ctrl+letter", XK_c, e2e::WithControl,
         {"KeyDown vk=0x11 mods=2", "KeyDown vk=0x43 mods=2", "KeyUp vk=0x43 mods=2", "KeyUp vk=0x11 mods=0"}},
        {"Return", XK_Return, 0, {"KeyDown vk=0x0D mods=0", "KeyUp vk=0x0D mods=0"}},
        {"Down", XK_Down, 0, {"KeyDown vk=0x28 mods=0", "KeyUp vk=0x28 mods=0"}},
        {"digit", XK_7, 0, {"KeyDown vk=0x37 mods=0", "KeyUp vk=0x37 mods=0"}},
        {"comma", XK_comma, 0, {"KeyDown vk=0xBC mods=0", "KeyUp vk=0xBC mods=0"}},
    };
    startServer();
    startProbe({"--title", "Key Probe"});
    ASSERT_NE(window("Key Probe"), 0u);

    std::size_t seen = 0;
    for (const KeyCase& row : cases) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(m_screen->pressKey(row.keysym, row.modifiers)) << "no key for the keysym";
        std::vector<std::string> lines;
        e2e::waitFor(
            [&] {
                lines = linesStartingWith(m_probe->standardOutput(), "Key");
                return lines.size() >= seen + row.lines.size();
            },
            kArrive);
        std::vector<std::string> got;
        for (std::size_t i = seen; i < lines.size(); ++i) {
            // "KeyDown vk=0x09 mods=0 repeat=0 surface=1": compare up to the modifiers.
            const std::string& line = lines[i];
            got.push_back(line.substr(0, line.find(" repeat=")));
            EXPECT_NE(line.find(" repeat=0 surface=1"), std::string::npos) << line;
        }
        EXPECT_EQ(got, row.lines);
        seen = lines.size();
    }
}

TEST_F(SdlBackendOnX, ClicksArriveInScreenCoordinates) {
    startServer();
    startProbe({"--title", "Click Probe", "--rect", "210,140,510,340"});
    ASSERT_NE(window("Click Probe"), 0u);
    struct ClickCase {
        int x;
        int y;
        e2e::PointerButton button;
        const char* name;
    };
    const ClickCase clicks[] = {
        {247, 161, e2e::PointerButton::Left, "left"},
        {210, 140, e2e::PointerButton::Left, "left"},  // the window's own top-left pixel
        {509, 339, e2e::PointerButton::Right, "right"},
    };
    for (const ClickCase& click : clicks) {
        const std::string where = "x=" + std::to_string(click.x) + " y=" + std::to_string(click.y) + " surface=1";
        const std::string down = std::string("ButtonDown button=") + click.name + " " + where;
        const std::string up = std::string("ButtonUp button=") + click.name + " " + where;
        m_screen->click(click.x, click.y, click.button);
        EXPECT_TRUE(m_probe->waitForStdout(up, kArrive)) << "expected \"" << up << "\" in:\n" << m_probe->standardOutput();
        EXPECT_NE(m_probe->standardOutput().find(down), std::string::npos) << down;
    }
}

TEST_F(SdlBackendOnX, MonitorsReportTheWorkAreaOfTheRootWindow) {
    struct MonitorCase {
        const char* name;
        std::optional<e2e::WorkArea> workArea;
        const char* line;
    };
    const MonitorCase cases[] = {
        {"a task bar at the bottom", e2e::WorkArea{0, 0, 800, 570}, "monitor bounds=0,0,800,600 work=0,0,800,570"},
        {"a panel at the left", e2e::WorkArea{48, 0, 752, 600}, "monitor bounds=0,0,800,600 work=48,0,800,600"},
        {"no work area", std::nullopt, "monitor bounds=0,0,800,600 work=0,0,800,600"},
    };
    for (const MonitorCase& row : cases) {
        SCOPED_TRACE(row.name);
        e2e::XvfbServer::Options options;
        options.width = 800;
        options.height = 600;
        options.workArea = row.workArea;
        startServer(options);
        auto probe = runProbe({"--monitors"}, {m_server->displayName(), {}});
        const auto status = probe->waitForExit(kAppear);
        ASSERT_TRUE(status) << "the probe did not end";
        EXPECT_EQ(status->describe(), "exit status 0") << probe->standardError();
        EXPECT_EQ(linesStartingWith(probe->standardOutput(), "monitor"), std::vector<std::string>{row.line});
    }
}

TEST_F(SdlBackendOnX, WithoutAUsableDisplayTheBackendSaysWhyAndTheProbeExits1) {
    struct DisplayCase {
        const char* name;
        e2e::ProgramRun::Options options;
        const char* message;
    };
    const DisplayCase cases[] = {
        {"DISPLAY unset", {std::nullopt, {}},
         "sdl_probe: cannot open the display: DISPLAY is not set; set DISPLAY to a running X server"},
        // No test server ever gets a number this high.
        {"nobody answers", {":59999", {}},
         "sdl_probe: cannot open display ':59999': no X server answers; set DISPLAY to a running X server"},
        // A video driver other than x11 is refused, never used silently.
        {"another video driver", {":59999", {{"SDL_VIDEODRIVER", "offscreen"}}},
         "sdl_probe: the video driver 'offscreen' is not X11"},
    };
    for (const DisplayCase& row : cases) {
        SCOPED_TRACE(row.name);
        auto probe = runProbe({}, row.options);
        ASSERT_TRUE(probe->started()) << probe->error();
        const auto status = probe->waitForExit(kAppear);
        ASSERT_TRUE(status) << "the probe did not end";
        EXPECT_EQ(status->describe(), "exit status 1");
        EXPECT_NE(probe->standardError().find(row.message), std::string::npos) << probe->standardError();
        EXPECT_EQ(probe->standardOutput(), "");
    }
}

TEST_F(SdlBackendOnX, LosingTheDisplayEndsTheProbeWithAMessage) {
    startServer();
    startProbe({"--title", "Lost Probe", "--dialog", "150,120,300,200"});
    ASSERT_NE(window("Lost Probe"), 0u);
    m_server->kill();
    const auto status = m_probe->waitForExit(kArrive);
    ASSERT_TRUE(status) << "the probe kept running without its display";
    EXPECT_EQ(status->describe(), "exit status 1");
    EXPECT_EQ(m_probe->standardError(), "sdl_probe: the connection to the display was lost\n");
}

TEST_F(SdlBackendOnX, EscapeDestroysTheWindowsAndTheProbeEnds) {
    startServer();
    startProbe({"--title", "Closing Probe", "--dialog", "150,120,300,200"});
    ASSERT_NE(window("Closing Probe"), 0u);
    ASSERT_NE(window("Closing Probe Dialog"), 0u);
    ASSERT_TRUE(m_screen->pressKey(XK_Escape));
    const auto status = m_probe->waitForExit(kArrive);
    ASSERT_TRUE(status) << m_probe->standardOutput();
    EXPECT_EQ(status->describe(), "exit status 0") << m_probe->standardError();
    // The key went to the dialog, which was shown last and took the focus.
    EXPECT_NE(m_probe->standardOutput().find("KeyDown vk=0x1B mods=0 repeat=0 surface=2\nbye\n"), std::string::npos)
        << m_probe->standardOutput();
    EXPECT_TRUE(m_screen->mappedTopLevels().empty());
}

// Ticks of CPU time (user + system) and voluntary context switches.
struct ProcessActivity {
    long ticks = -1;
    long wakeUps = -1;
    friend bool operator==(const ProcessActivity&, const ProcessActivity&) = default;
};

ProcessActivity activityOf(pid_t pid) {
    ProcessActivity activity;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) activity.ticks = std::stol(field);
        if (index == 15) {
            activity.ticks += std::stol(field);
            break;
        }
    }
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0) activity.wakeUps = std::stol(line.substr(24));
    }
    return activity;
}

// The activity of a process once it has stopped moving for a quarter of a
// second; nullopt when it does not settle within `timeout`.
std::optional<ProcessActivity> waitUntilSettled(pid_t pid, Millis timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    ProcessActivity before = activityOf(pid);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(Millis(250));
        const ProcessActivity now = activityOf(pid);
        if (now == before && now.ticks >= 0 && now.wakeUps >= 0) return now;
        before = now;
    }
    return std::nullopt;
}

TEST_F(SdlBackendOnX, AnIdleProbeUsesNoCpuAndNeverWakesUp) {
    struct IdleCase {
        const char* name;
        std::vector<std::string> arguments;
    };
    const IdleCase cases[] = {
        {"with a window", {"--title", "Idle Probe"}},
        // SDL itself would poll every millisecond when no window exists.
        {"without any window", {"--no-window"}},
    };
    for (const IdleCase& row : cases) {
        SCOPED_TRACE(row.name);
        startServer();
        startProbe(row.arguments);
        const std::optional<ProcessActivity> settled = waitUntilSettled(m_probe->pid(), kAppear);
        ASSERT_TRUE(settled) << "the probe kept running after start-up";
        // The observation window, not a wait for something to happen.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        const ProcessActivity after = activityOf(m_probe->pid());
        EXPECT_EQ(after.ticks, settled->ticks) << "CPU ticks while idle";
        EXPECT_EQ(after.wakeUps, settled->wakeUps) << "wake-ups while idle";
    }
}

}  // namespace
