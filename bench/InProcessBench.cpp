// In-process figures on the headless backend: painting the whole recorder
// window from scratch, and the time from a key's arrival (Tab) to the
// changed frame being handed to the screen.
#include "platform/display/headless/HeadlessBackend.h"
#include "platform/framework/ApplicationRun.h"
#include "platform/windowing/Api.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// A headless screen that notes when a Tab arrives and when the next frame
// is presented after it.
class TimingBackend : public display::HeadlessBackend {
public:
    bool nextEvent(display::Event& event, bool wait) override {
        bool got = HeadlessBackend::nextEvent(event, wait);
        if (got && event.type == display::EventType::KeyDown && event.vk == VK_TAB) arrival_ = Clock::now();
        return got;
    }
    void present(display::SurfaceId id, const display::PixelView& pixels, const RECT& dirty) override {
        if (arrival_) {
            latency_ = Clock::now() - *arrival_;
            arrival_.reset();
        }
        HeadlessBackend::present(id, pixels, dirty);
    }
    // The last measured latency, taken once.
    std::optional<Clock::duration> takeLatency() {
        auto value = latency_;
        latency_.reset();
        return value;
    }

private:
    std::optional<Clock::time_point> arrival_;
    std::optional<Clock::duration> latency_;
};

HWND findRecorder() {
    for (HWND hwnd = GetWindow(GetActiveWindow(), GW_HWNDFIRST); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        char title[64] = {};
        GetWindowTextA(hwnd, title, sizeof title);
        if (std::string(title) == "QUILVANE v2.03") return hwnd;
    }
    return nullptr;
}

void runProgram(display::HeadlessBackend& backend) {
    ApplicationRun run;
    run.backend = &backend;
    run.programPath = "/opt/quilvane/bin/quilvane";
    AfxWinMain(run);
}

void FullRepaint(benchmark::State& state) {
    display::HeadlessBackend backend;
    backend.then([&] {
        HWND recorder = findRecorder();
        if (!recorder) {
            state.SkipWithError("the recorder window is not open");
        } else {
            for (auto _ : state)
                RedrawWindow(recorder, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        }
        backend.key(VK_ESCAPE);
    });
    runProgram(backend);
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMicrosecond);

void TabToPresent(benchmark::State& state) {
    TimingBackend backend;
    // end() starts the clock in this library, so it is taken once.
    auto iteration = state.begin();
    const auto last = state.end();
    // Each step measures the Tab of the step before and sends the next one.
    std::function<void()> step = [&] {
        if (auto latency = backend.takeLatency()) {
            state.SetIterationTime(std::chrono::duration<double>(*latency).count());
            ++iteration;
        }
        if (iteration != last) {
            backend.key(VK_TAB);
            backend.then(step);
        } else {
            backend.key(VK_ESCAPE);
        }
    };
    backend.then(step);
    runProgram(backend);
}
BENCHMARK(TabToPresent)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
