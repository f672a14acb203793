// render_headless - runs the real program on the headless backend to a named
// state and saves the pixels one of its windows presented there as PNG, so
// that an end-to-end test can compare the real screen with them.
//
//   render_headless --state <name> --out <file.png>
//                   [--screen WxH] [--work-area X,Y,W,H]
//
// The input that reaches each state is the input the end-to-end tests give
// the real program (the same keys, with Alt held the way a keyboard holds
// it, and clicks on the centre of a control). On success it prints
// "window <left> <top> <right> <bottom>" (the captured window's screen
// rectangle), then "control <id> <left> <top> <right> <bottom>" for each
// of its controls (in window coordinates), and exits 0; anything else is a
// message on stderr and status 1.
#include "platform/display/headless/HeadlessBackend.h"
#include "platform/framework/ApplicationRun.h"
#include "platform/graphics/Bitmap.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/WindowSystem.h"
#include "resources/resource.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kRecorderTitle = "QUILVANE v2.03";

// Keeps the last frame a window presented before the thread went to sleep:
// what the screen shows during the wait.
class SleepWatchingBackend final : public display::HeadlessBackend {
public:
    using HeadlessBackend::HeadlessBackend;
    std::function<void()> beforeSleep;
    void sleep(std::uint32_t ms) override {
        if (beforeSleep) beforeSleep();
        HeadlessBackend::sleep(ms);
    }
};

struct Capture {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    RECT rect{};
    std::vector<std::pair<int, RECT>> controls;  // identifier, place in the window
};

HWND visibleTopLevel(const std::string& title) {
    windowing::WindowSystem* system = windowing::WindowSystem::current();
    if (!system) return nullptr;
    for (HWND hwnd : system->topLevelWindows()) {
        if (!IsWindowVisible(hwnd)) continue;
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        if (title == text) return hwnd;
    }
    return nullptr;
}

POINT centreOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Renderer {
public:
    explicit Renderer(std::vector<display::Monitor> monitors) : backend_(std::move(monitors)) {}

    SleepWatchingBackend& backend() { return backend_; }

    // Alt+key as a keyboard gives it: Alt goes down first and up last.
    void altKey(unsigned vk) {
        backend_.keyDown(VK_MENU, display::ModAlt);
        backend_.key(vk, display::ModAlt);
        backend_.keyUp(VK_MENU, 0);
    }

    void clickControl(int id) {
        HWND control = GetDlgItem(visibleTopLevel(kRecorderTitle), id);
        if (!control) {
            fail("the recorder window has no control " + std::to_string(id));
            return;
        }
        backend_.click(centreOf(control));
    }

    // Keeps what the window titled `title` presented last.
    void capture(const std::string& title) {
        HWND hwnd = visibleTopLevel(title);
        windowing::Window* w = windowing::live(hwnd);
        const display::HeadlessBackend::SurfaceState* surface = w ? backend_.surface(w->surface) : nullptr;
        if (!surface || surface->pixels.empty()) {
            fail("no window titled \"" + title + "\" has presented anything");
            return;
        }
        Capture c;
        c.pixels = surface->pixels;
        c.width = surface->width;
        c.height = surface->height;
        GetWindowRect(hwnd, &c.rect);
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(child, &r);
            c.controls.push_back({GetDlgCtrlID(child), {r.left - c.rect.left, r.top - c.rect.top,
                                                        r.right - c.rect.left, r.bottom - c.rect.top}});
        }
        captured_ = std::move(c);
    }

    // Escape until the program has ended; each press closes one window.
    void thenCloseEverything() {
        for (int i = 0; i < 4; ++i) backend_.then([this] { backend_.key(VK_ESCAPE); });
    }

    void fail(const std::string& message) {
        if (error_.empty()) error_ = message;
    }
    const std::string& error() const { return error_; }
    const std::optional<Capture>& captured() const { return captured_; }

private:
    SleepWatchingBackend backend_;
    std::optional<Capture> captured_;
    std::string error_;
};

// Queues the script that brings the program to `state`; false for an
// unknown name.
bool scriptState(const std::string& state, Renderer& r) {
    auto& b = r.backend();
    if (state == "initial") {
        b.then([&] { r.capture(kRecorderTitle); });
    } else if (state == "tab") {
        b.then([&] { b.key(VK_TAB); });
        b.then([&] { r.capture(kRecorderTitle); });
    } else if (state == "detecting") {
        // The frame presented just before the 2500 ms wait.
        b.beforeSleep = [&] { r.capture(kRecorderTitle); };
        b.then([&] { r.clickControl(IDC_DETECT_HARDWARE); });
    } else if (state == "warning") {
        b.then([&] { r.clickControl(IDC_DETECT_HARDWARE); });
        b.then([&] { r.capture("Warning"); });
    } else if (state == "after-detect") {
        // Back from a detection: the warning dismissed with Return.
        b.then([&] { r.clickControl(IDC_DETECT_HARDWARE); });
        b.then([&] { b.key(VK_RETURN); });
        b.then([&] { r.capture(kRecorderTitle); });
    } else if (state == "about") {
        b.then([&] { r.altKey(VK_SPACE); });
        b.then([&] { b.key('A'); });
        b.then([&] { r.capture("About quilvane"); });
    } else if (state == "help") {
        b.then([&] { b.key(VK_F1); });
        b.then([&] { r.capture("quilvane"); });
    } else if (state == "about-help") {
        b.then([&] { r.altKey(VK_SPACE); });
        b.then([&] { b.key('A'); });
        b.then([&] { b.key(VK_F1); });
        b.then([&] { r.capture("quilvane"); });
    } else {
        return false;
    }
    r.thenCloseEverything();
    return true;
}

bool parseSize(const char* text, int& width, int& height) {
    return std::sscanf(text, "%dx%d", &width, &height) == 2 && width > 0 && height > 0;
}

bool parseRect(const char* text, RECT& rect) {
    int x, y, w, h;
    if (std::sscanf(text, "%d,%d,%d,%d", &x, &y, &w, &h) != 4 || w <= 0 || h <= 0) return false;
    rect = {x, y, x + w, y + h};
    return true;
}

int usage(const char* message) {
    std::fprintf(stderr,
                 "render_headless: %s\nusage: render_headless --state "
                 "initial|tab|detecting|warning|after-detect|about|help|about-help --out FILE.png [--screen WxH] "
                 "[--work-area X,Y,W,H]\n",
                 message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string state;
    std::string out;
    int width = 1024;
    int height = 768;
    std::optional<RECT> workArea;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage(("missing value after " + option).c_str());
        const char* value = argv[++i];
        if (option == "--state") {
            state = value;
        } else if (option == "--out") {
            out = value;
        } else if (option == "--screen") {
            if (!parseSize(value, width, height)) return usage("--screen needs WxH");
        } else if (option == "--work-area") {
            RECT r;
            if (!parseRect(value, r)) return usage("--work-area needs X,Y,W,H");
            workArea = r;
        } else {
            return usage(("unknown option " + option).c_str());
        }
    }
    if (state.empty() || out.empty()) return usage("--state and --out are required");

    const RECT bounds{0, 0, width, height};
    Renderer renderer({{bounds, workArea.value_or(bounds)}});
    if (!scriptState(state, renderer)) return usage(("unknown state \"" + state + "\"").c_str());

    ApplicationRun run;
    run.backend = &renderer.backend();
    run.programPath = "/usr/bin/quilvane";
    int status = 0;
    try {
        status = AfxWinMain(run);
    } catch (const display::ScriptExhausted&) {
        renderer.fail("the program did not end after its windows were closed");
    }
    if (renderer.error().empty() && status != 0) renderer.fail("the program ended with status " + std::to_string(status));
    if (renderer.error().empty() && !renderer.captured()) renderer.fail("the state \"" + state + "\" was never reached");
    if (!renderer.error().empty()) {
        std::fprintf(stderr, "render_headless: %s\n", renderer.error().c_str());
        return 1;
    }

    const Capture& c = *renderer.captured();
    std::string error;
    if (!graphics::writePng(c.pixels.data(), c.width, c.height, c.width * 4, out, &error)) {
        std::fprintf(stderr, "render_headless: %s\n", error.c_str());
        return 1;
    }
    std::printf("window %ld %ld %ld %ld\n", static_cast<long>(c.rect.left), static_cast<long>(c.rect.top),
                static_cast<long>(c.rect.right), static_cast<long>(c.rect.bottom));
    for (const auto& [id, r] : c.controls) {
        std::printf("control %d %ld %ld %ld %ld\n", id, static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
    }
    return 0;
}
