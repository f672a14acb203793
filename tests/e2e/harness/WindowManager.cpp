#include "tests/e2e/harness/WindowManager.h"

#include "tests/e2e/harness/ChildProcess.h"
#include "tests/e2e/harness/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace e2e {
WindowManager::WindowManager(const std::string& displayName, int screenWidth, int screenHeight,
                             const WorkArea& workArea, Millis startTimeout) {
    char folderTemplate[] = "/tmp/qv-wm-XXXXXX";
    if (!::mkdtemp(folderTemplate)) {
        m_error = "cannot make a folder for the window manager";
        return;
    }
    m_folder = folderTemplate;
    if (!writeConfiguration(screenWidth, screenHeight, workArea)) return;

    const int logFd = ::open((m_folder + "/log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ChildSpec child;
    child.argv = {"openbox", "--sm-disable", "--config-file", m_folder + "/rc.xml"};
    // Nothing of the user's own configuration, cache or autostart is read.
    child.environment = environmentWithout({"DISPLAY", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_DIRS"});
    child.environment.push_back("DISPLAY=" + displayName);
    child.environment.push_back("XDG_CONFIG_HOME=" + m_folder);
    child.environment.push_back("XDG_CACHE_HOME=" + m_folder);
    child.environment.push_back("XDG_CONFIG_DIRS=" + m_folder);
    child.stdoutFd = logFd;
    child.stderrFd = logFd;
    m_pid = startChild(child, &m_error);
    if (logFd >= 0) ::close(logFd);
    if (m_pid < 0) {
        m_error = "cannot start openbox: " + m_error;
        return;
    }
    if (!waitUntilManaging(displayName, workArea, startTimeout)) stop();
}

WindowManager::~WindowManager() {
    stop();
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
}

bool WindowManager::writeConfiguration(int screenWidth, int screenHeight, const WorkArea& workArea) {
    // The work area is the screen less the margins. A click into a window
    // focuses and raises it, as the managers of desktops do by default.
    std::ofstream rc(m_folder + "/rc.xml");
    rc << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
          "  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>\n"
          "  <desktops><number>1</number></desktops>\n"
       << "  <margins><top>" << workArea.y << "</top><bottom>" << screenHeight - workArea.y - workArea.height
       << "</bottom><left>" << workArea.x << "</left><right>" << screenWidth - workArea.x - workArea.width
       << "</right></margins>\n"
          "  <keyboard></keyboard>\n"
          "  <mouse>\n"
          "    <context name=\"Client\">\n"
          "      <mousebind button=\"Left\" action=\"Press\"><action name=\"Focus\"/><action name=\"Raise\"/>"
          "</mousebind>\n"
          "    </context>\n"
          "  </mouse>\n"
          "</openbox_config>\n";
    rc.close();
    if (!rc) m_error = "cannot write the window manager's configuration in " + m_folder;
    return static_cast<bool>(rc);
}

bool WindowManager::waitUntilManaging(const std::string& displayName, const WorkArea& workArea, Millis timeout) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (!display) {
        m_error = "cannot connect to " + displayName + " to watch the window manager start";
        return false;
    }
    bool ended = false;
    const bool managing = waitFor(
        [&] {
            int status;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                ended = true;
                m_pid = -1;
                return true;
            }
            const Window root = DefaultRootWindow(display);
            const std::vector<long> check = readLongProperty(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
            const std::vector<long> area = readLongProperty(display, root, "_NET_WORKAREA", XA_CARDINAL);
            return !check.empty() && area.size() >= 4 && area[0] == workArea.x && area[1] == workArea.y &&
                   area[2] == workArea.width && area[3] == workArea.height;
        },
        timeout, Millis(10));
    XCloseDisplay(display);
    if (ended) {
        m_error = "openbox ended at start" + logTail();
        return false;
    }
    if (!managing) {
        m_error = "openbox did not manage " + displayName + " with the work area " + std::to_string(workArea.x) +
                  "," + std::to_string(workArea.y) + " " + std::to_string(workArea.width) + "x" +
                  std::to_string(workArea.height) + " within " + std::to_string(timeout.count()) + " ms" +
                  logTail();
        return false;
    }
    return true;
}

void WindowManager::stop() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGTERM);
    int status;
    const bool reaped = waitFor([&] { return ::waitpid(m_pid, &status, WNOHANG) == m_pid; }, Millis(5000));
    if (!reaped) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    m_pid = -1;
}

std::string WindowManager::logTail() const { return e2e::logTail(m_folder + "/log", "openbox"); }

}  // namespace e2e
