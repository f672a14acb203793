// XvfbServer - a private virtual X server for one test.
//
// Xvfb picks a free display number itself (-displayfd) and reports it when
// it accepts connections, so tests can run in parallel without agreeing on
// numbers. -noreset keeps root-window properties (the work area) when the
// last client disconnects. The server is stopped and reaped with the object.
//
// Work area: SDL 2.26 reads the usable bounds of a display from the root
// window's _NET_WORKAREA (CARDINAL, at least x, y, width, height) and
// intersects them with the display's bounds; it asks for no window-manager
// check or _NET_SUPPORTED entry. The server sets exactly that property, plus
// _NET_SUPPORTED listing _NET_WORKAREA for clients that do check.
#pragma once

#include "tests/e2e/harness/WaitFor.h"

#include <sys/types.h>

#include <optional>
#include <string>

namespace e2e {

struct WorkArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class XvfbServer {
public:
    struct Options {
        int width = 1024;
        int height = 768;
        std::optional<WorkArea> workArea;
        Millis startTimeout = Millis(15000);
    };

    XvfbServer() : XvfbServer(Options{}) {}
    explicit XvfbServer(const Options& options);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False when the server did not start; error() says why (with the end
    // of Xvfb's own messages).
    bool running() const { return m_pid > 0; }
    const std::string& error() const { return m_error; }
    // ":N"
    const std::string& displayName() const { return m_displayName; }

    // Ends the server now and reaps it: its clients lose their connection
    // at once. SIGTERM rather than SIGKILL, so Xvfb removes its lock file
    // and socket and the number is free for the next test.
    void kill();

private:
    bool readDisplayNumber(int fd, Millis timeout);
    bool setWorkArea(const WorkArea& area);
    void stop(int signal);
    std::string logTail() const;

    pid_t m_pid = -1;
    std::string m_displayName;
    std::string m_logPath;
    std::string m_error;
};

}  // namespace e2e
