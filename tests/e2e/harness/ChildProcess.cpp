#include "tests/e2e/harness/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace e2e {
namespace {

// Between fork and exec only async-signal-safe calls are made.
[[noreturn]] void failInChild(int reportFd, int error) {
    ssize_t ignored = ::write(reportFd, &error, sizeof error);
    (void)ignored;
    ::_exit(127);
}

// Copies `from` above every descriptor number a target could have, so that
// placing one descriptor cannot overwrite the source of another.
int lift(int from, int reportFd) {
    const int lifted = ::fcntl(from, F_DUPFD_CLOEXEC, 100);
    if (lifted < 0) failInChild(reportFd, errno);
    return lifted;
}

void place(int lifted, int to, int reportFd) {
    if (::dup2(lifted, to) < 0) failInChild(reportFd, errno);
}

}  // namespace

bool makePipe(int fds[2]) { return ::pipe2(fds, O_CLOEXEC) == 0; }

std::string logTail(const std::string& path, const std::string& who) {
    std::ifstream log(path);
    std::stringstream text;
    text << log.rdbuf();
    std::string all = text.str();
    if (all.size() > 2000) all = all.substr(all.size() - 2000);
    return all.empty() ? "" : "; " + who + " said:\n" + all;
}

std::vector<std::string> environmentWithout(const std::vector<std::string>& names) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        bool dropped = false;
        for (const std::string& name : names) {
            if (text.size() > name.size() && text.compare(0, name.size(), name) == 0 && text[name.size()] == '=') {
                dropped = true;
            }
        }
        if (!dropped) result.push_back(text);
    }
    return result;
}

pid_t startChild(const ChildSpec& child, std::string* error) {
    if (child.argv.empty()) {
        if (error) *error = "no program to start";
        return -1;
    }
    if (child.passFds.size() > 8) {
        if (error) *error = "too many descriptors to pass";
        return -1;
    }
    std::vector<char*> argv;
    for (const std::string& arg : child.argv) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : child.environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    int report[2];
    if (!makePipe(report)) {
        if (error) *error = std::string("pipe: ") + std::strerror(errno);
        return -1;
    }
    const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        if (error) *error = std::string("fork: ") + std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        if (devNull >= 0) ::close(devNull);
        return -1;
    }
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);  // the test died before prctl took effect
        // The report pipe is lifted too: a passed descriptor may take its number.
        const int reportFd = lift(report[1], report[1]);
        if (devNull < 0) failInChild(reportFd, EBADF);
        const int in = lift(devNull, reportFd);
        const int out = lift(child.stdoutFd >= 0 ? child.stdoutFd : devNull, reportFd);
        const int err = lift(child.stderrFd >= 0 ? child.stderrFd : devNull, reportFd);
        // At most a few passed descriptors; a fixed array avoids allocating here.
        int passed[8];
        const std::size_t passCount = child.passFds.size() < 8 ? child.passFds.size() : 8;
        for (std::size_t i = 0; i < passCount; ++i) passed[i] = lift(child.passFds[i].first, reportFd);
        place(in, STDIN_FILENO, reportFd);
        place(out, STDOUT_FILENO, reportFd);
        place(err, STDERR_FILENO, reportFd);
        for (std::size_t i = 0; i < passCount; ++i) place(passed[i], child.passFds[i].second, reportFd);
        ::execvpe(argv[0], argv.data(), envp.data());
        failInChild(reportFd, errno);
    }
    ::close(report[1]);
    if (devNull >= 0) ::close(devNull);
    int childError = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got > 0) {
        // The child failed before or at exec and has exited: reap it.
        int status;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (error) *error = "cannot start " + child.argv[0] + ": " + std::strerror(childError);
        return -1;
    }
    return pid;
}

}  // namespace e2e
