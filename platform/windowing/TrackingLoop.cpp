#include "platform/windowing/TrackingLoop.h"

#include "platform/windowing/Internal.h"

namespace windowing {

void paintPendingAndPresent() {
    // Each round paints one window (and its children); a window that does
    // not validate is validated by updateNow, so this ends.
    for (int guard = 0; guard < 10000; ++guard) {
        HWND hwnd = findWindowNeedingPaint();
        if (!hwnd) break;
        updateNow(hwnd);
    }
    presentAll();
}

namespace {

// Collects what a loop passes on, and when the loop ends (an exception
// included) puts it in front of the events the loop left untaken: those
// came after it.
class PassedOnEvents {
public:
    PassedOnEvents() : outer_(ws().passing) { ws().passing = &events_; }
    ~PassedOnEvents() {
        WindowSystem* system = WindowSystem::current();
        if (!system) return;
        system->passing = outer_;
        system->passedOn.insert(system->passedOn.begin(), events_.begin(), events_.end());
    }
    PassedOnEvents(const PassedOnEvents&) = delete;
    PassedOnEvents& operator=(const PassedOnEvents&) = delete;

private:
    std::vector<display::Event>* outer_;
    std::vector<display::Event> events_;
};

}  // namespace

void runTrackingLoop(const std::function<bool(const display::Event&)>& handle) {
    PassedOnEvents passed;
    for (;;) {
        paintPendingAndPresent();
        display::Event event;
        if (!nextBackendEvent(event, true)) return;
        if (!handle(event)) return;
    }
}

void passEventOn(const display::Event& event) {
    // Routed later, when the program takes it: the loop may change which
    // windows can take input (a box it opens disables its owner).
    if (std::vector<display::Event>* passing = ws().passing)
        passing->push_back(event);
    else
        translateEvent(event);
}

}  // namespace windowing
