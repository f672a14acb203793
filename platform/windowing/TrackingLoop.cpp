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

void runTrackingLoop(const std::function<bool(const display::Event&)>& handle) {
    for (;;) {
        paintPendingAndPresent();
        display::Event event;
        if (!nextBackendEvent(event, true)) return;
        if (!handle(event)) return;
    }
}

void passEventOn(const display::Event& event) { translateEvent(event); }

}  // namespace windowing
