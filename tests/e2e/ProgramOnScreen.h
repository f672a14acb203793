// ProgramOnScreen - the fixture of the end-to-end tests: a private Xvfb
// with a work area, the real program started on it, its windows found by
// title, their pixels read back and compared with the headless rendering
// of the same state, and the program's end checked.
//
// Every wait has a deadline; a failed comparison saves what the screen
// showed and what was expected as PNG files and names them.
#pragma once

#include "tests/e2e/ExpectedGeometry.h"
#include "tests/e2e/HeadlessRendering.h"
#include "tests/e2e/Picture.h"
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/WindowManager.h"
#include "tests/e2e/harness/XvfbServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

class ProgramOnScreen : public ::testing::Test {
protected:
    static constexpr const char* kRecorderTitle = "QUILVANE v2.03";
    static constexpr Millis kAppear{15000};  // a window to be mapped, program start included
    static constexpr Millis kSettle{5000};   // the screen to show what the program drew
    static constexpr Millis kEnd{10000};     // a program to end

    // Starts a private Xvfb of `layout` and connects to it; false (with a
    // test failure) when it cannot.
    bool startScreen(const ScreenLayout& layout = {});
    // The same with a window manager on the screen, which keeps the
    // layout's work area itself.
    bool startScreenWithWindowManager(const ScreenLayout& layout = {});
    // Starts the program on that screen; null (with a test failure) when it
    // could not be started.
    ProgramRun* startProgram(const std::vector<std::string>& arguments = {});

    // The viewable window titled `title`; nullopt (with a test failure)
    // when none appears within `timeout`.
    std::optional<XWindowId> waitForWindow(const std::string& title, Millis timeout = kAppear);
    // Waits until no viewable window is titled `title`.
    bool waitUntilGone(const std::string& title, Millis timeout = kSettle);
    // The popup menu on screen (an unmanaged window of a program started
    // here), once it is there.
    std::optional<XWindowId> waitForPopupMenu();
    // Whether a program started here made the window (its _NET_WM_PID).
    bool madeByProgram(XWindowId window);
    WindowGeometry geometryOf(XWindowId window);

    // Where a test holds a window's caption: 100 pixels from the window's
    // left, in the middle of the caption bar (inside the 3-pixel frame).
    static int captionGrabX(const WindowGeometry& w) { return w.x + 100; }
    static int captionGrabY(const WindowGeometry& w) { return w.y + 3 + 9; }
    // Drags the window by its caption, (dx, dy) in eight moves, and waits
    // until it stands there; false (with a test failure) when it does not.
    bool dragCaptionBy(XWindowId window, int dx, int dy);

    // What the screen shows of the window now.
    Picture windowPicture(XWindowId window);
    // Waits until the window shows exactly `expected`; otherwise a test
    // failure with the differences and the saved pictures. `what` names the
    // state in messages and file names.
    bool expectShows(XWindowId window, const Picture& expected, const std::string& what, Millis timeout = kSettle);

    // The OK button of a message box is on the screen where the headless
    // rendering placed it, drawn as the focused default button.
    bool expectOkButtonShown(XWindowId box, const HeadlessRendering& rendering, const std::string& what);

    // The headless rendering of `state` on a screen like this test's; a
    // test failure and nullopt when it cannot be made.
    std::optional<HeadlessRendering> headless(const std::string& state);

    // Waits for the program to end and expects exit status 0.
    void expectEndsNormally(ProgramRun& run, const std::string& how);

    // Base units and the recorder window's expected place.
    BaseUnits base() const { return m_base; }
    WindowGeometry expectedRecorderGeometry() const;
    // A recorder control's place on the screen, from its template rectangle.
    WindowGeometry recorderControl(const WindowGeometry& recorder, int x, int y, int width, int height) const {
        return controlOnScreen(recorder, x, y, width, height, m_base);
    }

    ScreenClient& screen() { return *m_screen; }
    const std::string& displayName() const { return m_server->displayName(); }
    const ScreenLayout& layout() const { return m_layout; }

private:
    bool startServer(const ScreenLayout& layout, bool serverSetsWorkArea);
    std::string savePicture(const Picture& picture, const std::string& name);

    ScreenLayout m_layout;
    BaseUnits m_base = dialogBaseUnits();
    std::unique_ptr<XvfbServer> m_server;
    std::unique_ptr<ScreenClient> m_screen;
    std::unique_ptr<WindowManager> m_windowManager;
    std::vector<std::unique_ptr<ProgramRun>> m_runs;
};

}  // namespace e2e
