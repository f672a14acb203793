#include "tests/e2e/ProgramOnScreen.h"

#include "tests/e2e/ControlPictures.h"

#include <algorithm>
#include <cctype>

namespace e2e {

bool ProgramOnScreen::startScreen(const ScreenLayout& layout) { return startServer(layout, true); }

bool ProgramOnScreen::startScreenWithWindowManager(const ScreenLayout& layout) {
    if (!startServer(layout, false)) return false;
    m_windowManager = std::make_unique<WindowManager>(m_server->displayName(), layout.width, layout.height,
                                                      layout.workArea);
    if (!m_windowManager->running()) {
        ADD_FAILURE() << m_windowManager->error();
        return false;
    }
    return true;
}

bool ProgramOnScreen::startServer(const ScreenLayout& layout, bool serverSetsWorkArea) {
    // Programs first: they must not outlive the server they talk to.
    m_runs.clear();
    m_windowManager.reset();
    m_screen.reset();
    m_server.reset();
    m_layout = layout;
    XvfbServer::Options options;
    options.width = layout.width;
    options.height = layout.height;
    if (serverSetsWorkArea) options.workArea = layout.workArea;
    m_server = std::make_unique<XvfbServer>(options);
    if (!m_server->running()) {
        ADD_FAILURE() << m_server->error();
        return false;
    }
    m_screen = std::make_unique<ScreenClient>(m_server->displayName());
    if (!m_screen->connected()) {
        ADD_FAILURE() << m_screen->error();
        return false;
    }
    return true;
}

ProgramRun* ProgramOnScreen::startProgram(const std::vector<std::string>& arguments) {
    if (!m_server) {
        ADD_FAILURE() << "no screen to start the program on";
        return nullptr;
    }
    auto run = std::make_unique<ProgramRun>(QV_PROGRAM, arguments,
                                            ProgramRun::Options{m_server->displayName(), {}});
    if (!run->started()) {
        ADD_FAILURE() << run->error();
        return nullptr;
    }
    m_runs.push_back(std::move(run));
    return m_runs.back().get();
}

std::optional<XWindowId> ProgramOnScreen::waitForWindow(const std::string& title, Millis timeout) {
    std::optional<XWindowId> found = m_screen->findWindow(title, timeout);
    if (!found) {
        std::string programs;
        for (auto& run : m_runs) programs += "\nprogram stderr: " + run->standardError();
        ADD_FAILURE() << "no window titled \"" << title << "\" appeared within " << timeout.count() << " ms"
                      << programs;
    }
    return found;
}

bool ProgramOnScreen::waitUntilGone(const std::string& title, Millis timeout) {
    return waitFor([&] { return !m_screen->findWindow(title, Millis(0)); }, timeout);
}

std::optional<XWindowId> ProgramOnScreen::waitForPopupMenu() {
    std::optional<XWindowId> popup;
    waitFor(
        [&] {
            // A window manager keeps override-redirect windows of its own
            // mapped; only one of the program's is its menu.
            for (const TopLevelWindow& w : m_screen->mappedTopLevels()) {
                if (m_screen->overrideRedirect(w.id) && madeByProgram(w.id)) popup = w.id;
            }
            return popup.has_value();
        },
        kSettle);
    if (!popup) ADD_FAILURE() << "no popup menu appeared";
    return popup;
}

bool ProgramOnScreen::madeByProgram(XWindowId window) {
    const long pid = m_screen->processId(window);
    return std::any_of(m_runs.begin(), m_runs.end(), [&](const auto& run) { return run->pid() == pid; });
}

bool ProgramOnScreen::dragCaptionBy(XWindowId window, int dx, int dy) {
    const WindowGeometry before = geometryOf(window);
    const int grabX = captionGrabX(before);
    const int grabY = captionGrabY(before);
    m_screen->drag(grabX, grabY, grabX + dx, grabY + dy, 8);
    const WindowGeometry moved{before.x + dx, before.y + dy, before.width, before.height};
    if (waitFor([&] { return geometryOf(window) == moved; }, kSettle)) return true;
    const WindowGeometry now = geometryOf(window);
    ADD_FAILURE() << "dragged by " << dx << "," << dy << " the window is at " << now.x << "," << now.y
                  << ", not at " << moved.x << "," << moved.y;
    return false;
}

WindowGeometry ProgramOnScreen::geometryOf(XWindowId window) { return m_screen->geometry(window).value_or(WindowGeometry{}); }

Picture ProgramOnScreen::windowPicture(XWindowId window) {
    Picture picture;
    const std::optional<WindowGeometry> g = m_screen->geometry(window);
    if (!g) return picture;
    picture.pixels = m_screen->readPixels(g->x, g->y, g->width, g->height);
    if (picture.pixels.size() == static_cast<std::size_t>(g->width) * static_cast<std::size_t>(g->height)) {
        picture.width = g->width;
        picture.height = g->height;
    } else {
        picture.pixels.clear();  // partly off the screen, or gone
    }
    return picture;
}

bool ProgramOnScreen::expectShows(XWindowId window, const Picture& expected, const std::string& what,
                                  Millis timeout) {
    Picture shown;
    if (waitFor([&] { return (shown = windowPicture(window)) == expected; }, timeout)) return true;
    ADD_FAILURE() << "the screen does not show " << what << " as the headless program drew it: "
                  << differences(shown, expected) << "\nsaved: " << savePicture(shown, what + "-shown") << " and "
                  << savePicture(expected, what + "-expected");
    return false;
}

bool ProgramOnScreen::expectOkButtonShown(XWindowId box, const HeadlessRendering& rendering, const std::string& what) {
    constexpr int kOk = 1;
    if (rendering.controls.count(kOk) != 1) {
        ADD_FAILURE() << what << " has no single OK button";
        return false;
    }
    const WindowGeometry place = rendering.controls.find(kOk)->second;
    const Picture window = windowPicture(box);
    if (place.x < 0 || place.y < 0 || place.x + place.width > window.width || place.y + place.height > window.height) {
        ADD_FAILURE() << "the OK button of " << what << " is not inside the window on the screen";
        return false;
    }
    const Picture shown = window.region(place.x, place.y, place.width, place.height);
    const Picture expected = focusedDefaultButton("OK", place.x, place.y, place.width, place.height);
    if (shown == expected) return true;
    ADD_FAILURE() << "the OK button of " << what << " is not drawn on the screen: " << differences(shown, expected)
                  << "\nsaved: " << savePicture(shown, what + "-ok-shown") << " and "
                  << savePicture(expected, what + "-ok-expected");
    return false;
}

std::optional<HeadlessRendering> ProgramOnScreen::headless(const std::string& state) {
    std::string error;
    std::optional<HeadlessRendering> rendering = renderHeadless(state, m_layout, &error);
    if (!rendering) ADD_FAILURE() << "no headless rendering of \"" << state << "\": " << error;
    return rendering;
}

void ProgramOnScreen::expectEndsNormally(ProgramRun& run, const std::string& how) {
    const std::optional<ExitStatus> status = run.waitForExit(kEnd);
    ASSERT_TRUE(status) << "the program still runs " << kEnd.count() << " ms after " << how;
    EXPECT_TRUE(status->exited && status->code == 0)
        << "after " << how << " the program ended with " << status->describe() << "; stderr:\n"
        << run.standardError();
}

WindowGeometry ProgramOnScreen::expectedRecorderGeometry() const {
    // The recorder's template is 320 x 313 dialog units; it is centred in
    // the work area of the primary (only) screen.
    return centred(dialogWindowSize(320, 313, m_base), asGeometry(m_layout.workArea), m_layout.workArea);
}

std::string ProgramOnScreen::savePicture(const Picture& picture, const std::string& name) {
    if (picture.pixels.empty()) return "(nothing to save)";
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string file = std::string(test ? test->test_suite_name() : "e2e") + "-" + (test ? test->name() : "") + "-" + name;
    for (char& c : file) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
    }
    const std::string path = ::testing::TempDir() + file + ".png";
    std::string error;
    return writePng(picture, path, &error) ? path : "(not saved: " + error + ")";
}

}  // namespace e2e
