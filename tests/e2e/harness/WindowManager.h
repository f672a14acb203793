// WindowManager - a real window manager (openbox) on a test's private X
// server, set up the way a desktop user has one: it manages, frames and
// focuses windows, focuses and raises a window clicked into, and keeps a
// work area of its own (margins around the screen's edges), which it
// publishes as _NET_WORKAREA. It binds no keys, so key presses reach the
// program. Its configuration and cache live in a private folder; the
// manager is stopped and reaped with the object.
#pragma once

#include "tests/e2e/harness/WaitFor.h"
#include "tests/e2e/harness/XvfbServer.h"

#include <sys/types.h>

#include <string>

namespace e2e {

class WindowManager {
public:
    // Starts the manager on `displayName`, whose screen is `screenWidth` x
    // `screenHeight`, with `workArea` as its work area, and waits until it
    // manages the screen and publishes that work area.
    WindowManager(const std::string& displayName, int screenWidth, int screenHeight, const WorkArea& workArea,
                  Millis startTimeout = Millis(15000));
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // False when it did not start or did not take the screen; error() says why.
    bool running() const { return m_pid > 0; }
    const std::string& error() const { return m_error; }

private:
    bool writeConfiguration(int screenWidth, int screenHeight, const WorkArea& workArea);
    bool waitUntilManaging(const std::string& displayName, const WorkArea& workArea, Millis timeout);
    void stop();
    std::string logTail() const;

    pid_t m_pid = -1;
    std::string m_folder;
    std::string m_error;
};

}  // namespace e2e
