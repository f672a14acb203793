// ProgramRun - one run of an executable under test: started with chosen
// arguments and DISPLAY, its stdout and stderr captured, waited for with a
// deadline, and killed (and reaped) when the object goes away.
#pragma once

#include "tests/e2e/harness/WaitFor.h"

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct ExitStatus {
    bool exited = false;  // false: ended by a signal
    int code = 0;         // exit code, or the signal number
    std::string describe() const;
};

class ProgramRun {
public:
    struct Options {
        // DISPLAY for the program; nullopt leaves DISPLAY unset.
        std::optional<std::string> display;
        // Other variables to set (a value) or remove (nullopt). SDL_VIDEODRIVER
        // is removed unless given here, so a developer's setting cannot
        // redirect the program away from the test display. LSAN_OPTIONS gets
        // third_party_leaks.supp (leaks inside system libraries) unless given
        // here or already naming a suppressions file.
        std::map<std::string, std::optional<std::string>> environment;
    };

    ProgramRun(const std::string& executable, const std::vector<std::string>& arguments, const Options& options);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // False when the program could not be started; error() says why.
    bool started() const { return m_pid > 0; }
    const std::string& error() const { return m_error; }
    pid_t pid() const { return m_pid; }

    // Waits until the program ends; nullopt when it is still running after
    // `timeout`. Output is collected meanwhile, so a chatty program never
    // blocks on a full pipe.
    std::optional<ExitStatus> waitForExit(Millis timeout);
    // Waits until stdout holds `text`; false when it does not within
    // `timeout` or the program ended without printing it.
    bool waitForStdout(std::string_view text, Millis timeout);

    // Everything captured so far.
    const std::string& standardOutput();
    const std::string& standardError();

    // Sends SIGKILL and reaps the program (also done by the destructor).
    void kill();

private:
    // Reads what is available; blocks up to `timeout` for something to
    // happen (output or the end of the program).
    void pump(Millis timeout);
    bool reap(bool block);

    pid_t m_pid = -1;
    int m_pidFd = -1;
    int m_stdoutFd = -1;
    int m_stderrFd = -1;
    std::string m_stdout;
    std::string m_stderr;
    std::optional<ExitStatus> m_status;
    std::string m_error;
};

}  // namespace e2e
