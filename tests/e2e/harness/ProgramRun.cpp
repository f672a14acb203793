#include "tests/e2e/harness/ProgramRun.h"

#include "tests/e2e/harness/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace e2e {

std::string ExitStatus::describe() const {
    return exited ? "exit status " + std::to_string(code) : "killed by signal " + std::to_string(code);
}

namespace {

// Sanitizer builds: system libraries' own leaks are suppressed, with any
// options the developer gave kept (their own suppressions file wins).
std::string leakOptions() {
    const char* given = std::getenv("LSAN_OPTIONS");
    std::string options = given ? given : "";
    if (options.find("suppressions=") == std::string::npos) {
        if (!options.empty()) options += ':';
        options += "suppressions=" QV_E2E_LEAK_SUPPRESSIONS ":print_suppressions=0";
    }
    return "LSAN_OPTIONS=" + options;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& executable, const std::vector<std::string>& arguments,
                       const Options& options) {
    std::vector<std::string> removed{"DISPLAY", "SDL_VIDEODRIVER", "LSAN_OPTIONS"};
    for (const auto& [name, value] : options.environment) removed.push_back(name);
    ChildSpec child;
    child.environment = environmentWithout(removed);
    if (!options.environment.count("LSAN_OPTIONS")) child.environment.push_back(leakOptions());
    if (options.display) child.environment.push_back("DISPLAY=" + *options.display);
    for (const auto& [name, value] : options.environment) {
        if (value) child.environment.push_back(name + "=" + *value);
    }
    child.argv.push_back(executable);
    child.argv.insert(child.argv.end(), arguments.begin(), arguments.end());

    int out[2];
    int err[2];
    if (!makePipe(out)) {
        m_error = "cannot make a pipe";
        return;
    }
    if (!makePipe(err)) {
        ::close(out[0]);
        ::close(out[1]);
        m_error = "cannot make a pipe";
        return;
    }
    child.stdoutFd = out[1];
    child.stderrFd = err[1];
    m_pid = startChild(child, &m_error);
    ::close(out[1]);
    ::close(err[1]);
    m_stdoutFd = out[0];
    m_stderrFd = err[0];
    ::fcntl(m_stdoutFd, F_SETFL, O_NONBLOCK);
    ::fcntl(m_stderrFd, F_SETFL, O_NONBLOCK);
    if (m_pid > 0) {
        // A pidfd becomes readable when the child ends: no polling for it.
        m_pidFd = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
    }
}

ProgramRun::~ProgramRun() {
    kill();
    if (m_stdoutFd >= 0) ::close(m_stdoutFd);
    if (m_stderrFd >= 0) ::close(m_stderrFd);
}

void ProgramRun::kill() {
    if (m_pid > 0 && !m_status) {
        ::kill(m_pid, SIGKILL);
        reap(true);
    }
    pump(Millis(0));
}

bool ProgramRun::reap(bool block) {
    if (m_pid <= 0 || m_status) return true;
    int status = 0;
    pid_t got;
    do {
        got = ::waitpid(m_pid, &status, block ? 0 : WNOHANG);
    } while (got < 0 && errno == EINTR);
    if (got != m_pid) return false;
    m_status = WIFEXITED(status) ? ExitStatus{true, WEXITSTATUS(status)} : ExitStatus{false, WTERMSIG(status)};
    if (m_pidFd >= 0) {
        ::close(m_pidFd);
        m_pidFd = -1;
    }
    return true;
}

void ProgramRun::pump(Millis timeout) {
    pollfd fds[3];
    int count = 0;
    for (int fd : {m_stdoutFd, m_stderrFd, m_pidFd}) {
        if (fd >= 0) fds[count++] = {fd, POLLIN, 0};
    }
    if (count == 0) return;
    // Without a pidfd the end of the program is noticed by a short poll.
    const int wait = m_pidFd >= 0 || m_status ? static_cast<int>(timeout.count())
                                              : static_cast<int>(std::min<long>(timeout.count(), 10));
    if (::poll(fds, static_cast<nfds_t>(count), wait) < 0 && errno != EINTR) return;
    char buffer[4096];
    for (auto [fd, text] : {std::pair{&m_stdoutFd, &m_stdout}, std::pair{&m_stderrFd, &m_stderr}}) {
        while (*fd >= 0) {
            const ssize_t got = ::read(*fd, buffer, sizeof buffer);
            if (got > 0) {
                text->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0) {
                ::close(*fd);
                *fd = -1;
            } else if (errno != EINTR) {
                break;  // EAGAIN: nothing more for now
            }
        }
    }
    reap(false);
}

std::optional<ExitStatus> ProgramRun::waitForExit(Millis timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status) {
        const auto left = std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            pump(Millis(0));
            break;
        }
        pump(left);
    }
    if (m_status) {
        // Collect what the program wrote just before it ended; a descendant
        // still holding the pipes open must not keep us here.
        for (int round = 0; round < 20 && (m_stdoutFd >= 0 || m_stderrFd >= 0); ++round) pump(Millis(100));
    }
    return m_status;
}

bool ProgramRun::waitForStdout(std::string_view text, Millis timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (m_stdout.find(text) != std::string::npos) return true;
        const auto left = std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || (m_status && m_stdoutFd < 0)) {
            pump(Millis(0));
            return m_stdout.find(text) != std::string::npos;
        }
        pump(left);
    }
}

const std::string& ProgramRun::standardOutput() {
    pump(Millis(0));
    return m_stdout;
}

const std::string& ProgramRun::standardError() {
    pump(Millis(0));
    return m_stderr;
}

}  // namespace e2e
