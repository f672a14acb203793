// display::HeadlessBackend - a screen for tests and benchmarks: a fixed set
// of monitors (by default one 1024x768 screen whose work area leaves room
// for a 30-pixel task bar), input given by a script, and a virtual clock.
//
// The script is a list of steps. Whenever the program waits for input and
// none is queued, the next step runs; a step may queue input (key, click,
// ...), look at the program's state, or both. A program that waits after
// the last step has run makes nextEvent throw ScriptExhausted, so a broken
// loop fails its test instead of hanging. sleep() advances the virtual
// clock at once and records the wait.
#pragma once

#include "platform/display/Backend.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace display {

struct ScriptExhausted : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class HeadlessBackend : public Backend {
public:
    struct SurfaceState {
        SurfaceSpec request;
        RECT rect{};
        std::string title;
        bool shown = false;
        bool minimized = false;
        std::vector<IconPixels> icons;
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels;  // the last presented frame, width * height
        int presents = 0;
    };

    explicit HeadlessBackend(std::vector<Monitor> monitors = defaultMonitors());
    static std::vector<Monitor> defaultMonitors();

    // --- the script ---
    void then(std::function<void()> step);
    std::size_t stepsLeft() const { return script_.size(); }

    // --- input, queued now (usually from a step) ---
    void push(Event event);
    void keyDown(unsigned vk, unsigned modifiers = 0);
    void keyUp(unsigned vk, unsigned modifiers = 0);
    void key(unsigned vk, unsigned modifiers = 0);  // press and release
    void mouseMove(POINT screen);
    void buttonDown(POINT screen, MouseButton button = MouseButton::Left);
    void buttonUp(POINT screen, MouseButton button = MouseButton::Left);
    void click(POINT screen, MouseButton button = MouseButton::Left);
    void requestClose(SurfaceId id);
    void setMinimized(SurfaceId id, bool minimized);  // as a window manager would, with its event

    // --- what the program did ---
    const SurfaceState* surface(SurfaceId id) const;
    std::vector<SurfaceId> shownSurfaces() const;  // stacking order, top first
    SurfaceId surfaceAt(POINT screen) const;
    SurfaceId focusedSurface() const { return focused_; }
    std::uint32_t pixel(SurfaceId id, int x, int y) const;  // 0x00RRGGBB of the last presented frame
    const std::vector<std::uint32_t>& sleeps() const { return sleeps_; }
    // Called at every sleep, after the wait is logged and the clock has
    // advanced, while the program is blocked in it: the presented frames are
    // the ones on screen during the wait, and input queued here arrives as
    // input given during the wait.
    void onSleep(std::function<void(std::uint32_t ms)> hook) { sleepHook_ = std::move(hook); }
    std::uint32_t clock() const { return clock_; }
    Cursor cursor() const { return cursor_; }
    std::size_t surfaceCount() const { return surfaces_.size(); }
    // One line per notable call, in order: "create 3", "show 3", "present 3",
    // "resize 3 300x200", "sleep 2500", "hide 3", "destroy 3", "cursor wait".
    const std::vector<std::string>& log() const { return log_; }

    // --- Backend ---
    std::vector<Monitor> monitors() override;
    SurfaceId createSurface(const SurfaceSpec& request) override;
    void destroySurface(SurfaceId id) override;
    void showSurface(SurfaceId id) override;
    void hideSurface(SurfaceId id) override;
    void moveSurface(SurfaceId id, POINT topLeft) override;
    void resizeSurface(SurfaceId id, int width, int height) override;
    void raiseSurface(SurfaceId id) override;
    void setTitle(SurfaceId id, const std::string& title) override;
    void setIcons(SurfaceId id, const std::vector<IconPixels>& icons) override;
    bool isMinimized(SurfaceId id) override;
    void present(SurfaceId id, const PixelView& pixels, const RECT& dirty) override;
    void setCursor(Cursor cursor) override;
    bool nextEvent(Event& event, bool wait) override;
    void sleep(std::uint32_t ms) override;
    std::uint32_t now() override { return clock_; }

private:
    void raise(SurfaceId id);
    void pushKey(EventType type, unsigned vk, unsigned modifiers);
    void pushMouse(EventType type, POINT screen, MouseButton button);
    std::vector<Monitor> monitors_;
    std::map<SurfaceId, SurfaceState> surfaces_;
    std::vector<SurfaceId> stacking_;  // shown surfaces, top first
    SurfaceId nextId_ = 1;
    SurfaceId focused_ = 0;
    std::deque<Event> queue_;
    std::deque<std::function<void()>> script_;
    std::vector<std::uint32_t> sleeps_;
    std::function<void(std::uint32_t)> sleepHook_;
    std::uint32_t clock_ = 1000;
    Cursor cursor_ = Cursor::Arrow;
    std::vector<std::string> log_;
};

}  // namespace display
