#include "tests/e2e/harness/XvfbServer.h"

#include "tests/e2e/harness/ChildProcess.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace e2e {

XvfbServer::XvfbServer(const Options& options) {
    char logTemplate[] = "/tmp/qv-xvfb-XXXXXX";
    const int logFd = ::mkstemp(logTemplate);
    if (logFd >= 0) m_logPath = logTemplate;

    int display[2];
    if (!makePipe(display)) {
        m_error = "cannot make a pipe for Xvfb";
        if (logFd >= 0) ::close(logFd);
        return;
    }
    ChildSpec child;
    child.argv = {"Xvfb", "-displayfd", "3", "-screen", "0",
                 std::to_string(options.width) + "x" + std::to_string(options.height) + "x24",
                 "-nolisten", "tcp", "-noreset"};
    child.environment = environmentWithout({});
    child.stderrFd = logFd;
    child.passFds = {{display[1], 3}};
    m_pid = startChild(child, &m_error);
    ::close(display[1]);
    if (logFd >= 0) ::close(logFd);
    if (m_pid < 0) {
        ::close(display[0]);
        return;
    }
    const bool ready = readDisplayNumber(display[0], options.startTimeout);
    ::close(display[0]);
    if (!ready) {
        stop(SIGKILL);
        return;
    }
    if (options.workArea && !setWorkArea(*options.workArea)) stop(SIGKILL);
}

XvfbServer::~XvfbServer() {
    stop(SIGTERM);
    if (!m_logPath.empty()) ::unlink(m_logPath.c_str());
}

void XvfbServer::kill() { stop(SIGTERM); }

void XvfbServer::stop(int signal) {
    if (m_pid <= 0) return;
    ::kill(m_pid, signal);
    int status;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

bool XvfbServer::readDisplayNumber(int fd, Millis timeout) {
    // Xvfb writes "N\n" once it accepts connections.
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (text.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            m_error = "Xvfb did not report a display within " + std::to_string(timeout.count()) + " ms" + logTail();
            return false;
        }
        pollfd pfd{fd, POLLIN, 0};
        if (::poll(&pfd, 1, static_cast<int>(left)) < 0 && errno != EINTR) {
            m_error = "waiting for Xvfb failed";
            return false;
        }
        char buffer[32];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            m_error = "Xvfb ended before reporting a display" + logTail();
            return false;
        }
        if (got > 0) text.append(buffer, static_cast<std::size_t>(got));
    }
    m_displayName = ":" + text.substr(0, text.find('\n'));
    return true;
}

bool XvfbServer::setWorkArea(const WorkArea& area) {
    Display* display = XOpenDisplay(m_displayName.c_str());
    if (!display) {
        m_error = "cannot connect to the new Xvfb at " + m_displayName;
        return false;
    }
    const Window root = DefaultRootWindow(display);
    const Atom workAreaAtom = XInternAtom(display, "_NET_WORKAREA", False);
    const long values[4] = {area.x, area.y, area.width, area.height};
    XChangeProperty(display, root, workAreaAtom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), 4);
    const long supported[1] = {static_cast<long>(workAreaAtom)};
    XChangeProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(supported), 1);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}

std::string XvfbServer::logTail() const { return e2e::logTail(m_logPath, "Xvfb"); }

}  // namespace e2e
