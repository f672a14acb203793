// Figures of a dialog program measured from the outside, on a private Xvfb:
//   - start to first full frame: from starting the process to its window
//     being mapped with pixels equal to the program's settled frame;
//   - peak memory (VmHWM) once the window is up;
//   - CPU time and wake-ups (context switches of all threads) while idle.
// Each figure is taken over several runs and printed with median, min and max.
//
//   startup_bench --title T [--runs N] [--idle-seconds S] [--modal-idle] -- program args...
//
// With --modal-idle the idle figures are also taken with the About box and
// with the warning box open (keys and clicks sent through XTest).
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Options {
    std::string title;
    int runs = 9;
    int idleSeconds = 10;
    bool modalIdle = false;
    std::string program;
    std::vector<std::string> arguments;
};

struct ProcessSample {
    double cpuMs = 0;        // user + system time of all threads
    long switches = 0;       // voluntary + involuntary context switches of all threads
};

long readField(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + key.size());
    return -1;
}

ProcessSample sampleProcess(pid_t pid) {
    ProcessSample sample;
    std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(taskDir.c_str());
    if (!dir) return sample;
    long ticksPerSecond = sysconf(_SC_CLK_TCK);
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::string task = taskDir + "/" + entry->d_name;
        std::ifstream stat(task + "/stat");
        std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        // Fields after the command name (which may hold spaces) start after ')'.
        std::size_t close = content.rfind(')');
        if (close != std::string::npos) {
            std::istringstream fields(content.substr(close + 2));
            std::string field;
            std::vector<std::string> values;
            while (fields >> field) values.push_back(field);
            if (values.size() > 12)
                sample.cpuMs += (std::atof(values[11].c_str()) + std::atof(values[12].c_str())) * 1000.0 / ticksPerSecond;
        }
        sample.switches += readField(task + "/status", "voluntary_ctxt_switches:");
        sample.switches += readField(task + "/status", "nonvoluntary_ctxt_switches:");
    }
    closedir(dir);
    return sample;
}

long peakMemoryKb(pid_t pid) { return readField("/proc/" + std::to_string(pid) + "/status", "VmHWM:"); }

struct Stats {
    double median = 0, min = 0, max = 0;
};

Stats statsOf(std::vector<double> values) {
    Stats s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    s.min = values.front();
    s.max = values.back();
    std::size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return s;
}

// The window's pixels once they stop changing.
std::optional<std::vector<std::uint32_t>> settledFrame(e2e::ScreenClient& screen, e2e::XWindowId window) {
    std::vector<std::uint32_t> last;
    auto deadline = Clock::now() + 10s;
    int stableFor = 0;
    while (Clock::now() < deadline) {
        auto g = screen.geometry(window);
        if (g) {
            auto pixels = screen.readPixels(g->x, g->y, g->width, g->height);
            if (!pixels.empty() && pixels == last) {
                if (++stableFor >= 5) return pixels;
            } else {
                stableFor = 0;
                last = std::move(pixels);
            }
        }
        std::this_thread::sleep_for(100ms);
    }
    return std::nullopt;
}

struct RunResult {
    double firstFrameMs = 0;
    long peakKb = 0;
};

// One run: start the program, wait for its settled frame on screen.
std::optional<RunResult> measureRun(const Options& o, const e2e::XvfbServer& server, e2e::ScreenClient& screen,
                                    const std::vector<std::uint32_t>& reference,
                                    std::optional<e2e::ProgramRun>& run) {
    e2e::ProgramRun::Options runOptions;
    runOptions.display = server.displayName();
    auto start = Clock::now();
    run.emplace(o.program, o.arguments, runOptions);
    if (!run->started()) return std::nullopt;
    auto deadline = start + 10s;
    std::optional<e2e::XWindowId> window;
    // Reading a whole window costs the X server time the program is using
    // to start, so a few rows are compared first and the whole window only
    // when they match. The program puts its first frame up in one request:
    // rows that match mean the frame was there when they were read.
    while (Clock::now() < deadline) {
        if (!window) window = screen.findWindow(o.title, e2e::Millis(0));
        if (window) {
            if (auto g = screen.geometry(*window); g && g->width > 0 && g->height > 0) {
                auto seen = Clock::now();
                bool rowsMatch = true;
                for (int y : {g->height / 4, g->height / 2, g->height * 3 / 4, g->height - 1}) {
                    auto row = screen.readPixels(g->x, g->y + y, g->width, 1);
                    auto expected = reference.begin() + static_cast<std::ptrdiff_t>(y) * g->width;
                    if (row.size() != static_cast<std::size_t>(g->width) || reference.size() < static_cast<std::size_t>(g->width * g->height) ||
                        !std::equal(row.begin(), row.end(), expected)) {
                        rowsMatch = false;
                        break;
                    }
                }
                if (rowsMatch && screen.readPixels(g->x, g->y, g->width, g->height) == reference) {
                    RunResult r;
                    r.firstFrameMs = std::chrono::duration<double, std::milli>(seen - start).count();
                    r.peakKb = peakMemoryKb(run->pid());
                    return r;
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return std::nullopt;
}

ProcessSample idleOver(pid_t pid, int seconds) {
    // Let what was started settle first.
    std::this_thread::sleep_for(500ms);
    ProcessSample before = sampleProcess(pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    ProcessSample after = sampleProcess(pid);
    return {after.cpuMs - before.cpuMs, after.switches - before.switches};
}

void printRow(const char* what, const Stats& s, const char* unit) {
    std::printf("  %-34s median %8.1f %s   min %8.1f   max %8.1f\n", what, s.median, unit, s.min, s.max);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--title" && i + 1 < argc) o.title = argv[++i];
        else if (a == "--runs" && i + 1 < argc) o.runs = std::atoi(argv[++i]);
        else if (a == "--idle-seconds" && i + 1 < argc) o.idleSeconds = std::atoi(argv[++i]);
        else if (a == "--modal-idle") o.modalIdle = true;
        else {
            std::fprintf(stderr, "startup_bench: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    if (i >= argc || o.title.empty() || o.runs < 1) {
        std::fprintf(stderr, "usage: startup_bench --title T [--runs N] [--idle-seconds S] [--modal-idle] -- program args...\n");
        return 2;
    }
    o.program = argv[i++];
    for (; i < argc; ++i) o.arguments.push_back(argv[i]);

    e2e::XvfbServer::Options serverOptions;
    serverOptions.workArea = e2e::WorkArea{0, 0, 1024, 738};
    e2e::XvfbServer server(serverOptions);
    if (!server.running()) {
        std::fprintf(stderr, "startup_bench: %s\n", server.error().c_str());
        return 1;
    }
    e2e::ScreenClient screen(server.displayName());

    // The settled frame of a first, unmeasured run is the frame to wait for.
    std::vector<std::uint32_t> reference;
    {
        e2e::ProgramRun::Options runOptions;
        runOptions.display = server.displayName();
        e2e::ProgramRun warmup(o.program, o.arguments, runOptions);
        auto window = screen.findWindow(o.title, e2e::Millis(10000));
        auto frame = window ? settledFrame(screen, *window) : std::nullopt;
        if (!frame) {
            std::fprintf(stderr, "startup_bench: the window \"%s\" of %s never settled\n", o.title.c_str(), o.program.c_str());
            return 1;
        }
        reference = *frame;
        warmup.kill();
    }

    std::vector<double> firstFrame, peak;
    std::optional<ProcessSample> idle;
    std::optional<ProcessSample> idleAbout, idleWarning;
    for (int run = 0; run < o.runs; ++run) {
        std::optional<e2e::ProgramRun> program;
        auto result = measureRun(o, server, screen, reference, program);
        if (!result) {
            std::fprintf(stderr, "startup_bench: run %d: the window never showed its frame\n", run + 1);
            return 1;
        }
        firstFrame.push_back(result->firstFrameMs);
        peak.push_back(result->peakKb / 1024.0);
        if (run == 0) {
            idle = idleOver(program->pid(), o.idleSeconds);
            if (o.modalIdle) {
                screen.pressKey(XK_space, e2e::WithAlt);
                std::this_thread::sleep_for(200ms);
                screen.pressKey(XK_a);
                if (screen.findWindow("About quilvane", e2e::Millis(5000))) idleAbout = idleOver(program->pid(), o.idleSeconds);
                screen.pressKey(XK_Escape);
                std::this_thread::sleep_for(300ms);
                screen.pressKey(XK_Tab);  // to Detect Hardware
                std::this_thread::sleep_for(100ms);
                screen.pressKey(XK_space);
                if (screen.findWindow("Warning", e2e::Millis(10000))) idleWarning = idleOver(program->pid(), o.idleSeconds);
                screen.pressKey(XK_Return);
            }
            // The peak so far includes the modal boxes.
            peak.back() = peakMemoryKb(program->pid()) / 1024.0;
        }
        program->kill();
    }

    std::printf("%s (%s), %d runs\n", o.title.c_str(), o.program.c_str(), o.runs);
    printRow("start to first full frame", statsOf(firstFrame), "ms");
    printRow("peak memory (VmHWM)", statsOf(peak), "MB");
    auto printIdle = [&](const char* what, const std::optional<ProcessSample>& s) {
        if (s) std::printf("  %-34s %.0f ms CPU, %ld wake-ups over %d s\n", what, s->cpuMs, s->switches, o.idleSeconds);
    };
    printIdle("idle, window open", idle);
    printIdle("idle, About box open", idleAbout);
    printIdle("idle, warning box open", idleWarning);
    // One machine-readable line for bench/run.sh.
    Stats f = statsOf(firstFrame), p = statsOf(peak);
    std::printf("RESULT first_frame_ms=%.1f first_frame_min=%.1f first_frame_max=%.1f peak_mb=%.1f idle_cpu_ms=%.0f idle_wakeups=%ld\n",
                f.median, f.min, f.max, p.median, idle ? idle->cpuMs : -1.0, idle ? idle->switches : -1L);
    return 0;
}
