// storm::StormChecker - what must hold after every step of the input storm,
// whatever the input was:
//   - only windows the program can show exist, in one of the combinations
//     it can show at once (kAllowedWindowSets), each owned by the window it
//     belongs to;
//   - the modal chain (recorder, then the About or the Warning box, then the
//     "Failed to launch help." box) is disabled everywhere but at its top,
//     which is enabled, active and holds the keyboard focus;
//   - Detect Hardware reads "Detect Hardware" and is enabled exactly when no
//     Warning box is up, and every Warning box followed one 2500 ms wait;
//   - the recorder window's other controls never change;
//   - no handle the window system or the class library holds is dangling,
//     no device context is left open between inputs, and the mouse capture
//     is held only while a mouse button is down.
#pragma once

#include "tests/reliability/StormWindows.h"

#include "platform/display/headless/HeadlessBackend.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace storm {

// Every combination of top-level windows the program can show at once,
// sorted by role. The recorder is always there; over it at most one of the
// About box and the Warning box; over that the help failure box (F1 works
// in all three); and a popup menu (the system menu of the top window).
extern const std::vector<std::vector<WindowRole>> kAllowedWindowSets;

class StormChecker {
public:
    // A new run of the program starts (its backend is a new one).
    void startRun();
    // Called for every window the program destroys: a Warning box dismissed
    // by input typed during the wait may come and go between two checks.
    void windowDestroyed(HWND hwnd);
    // The faults found now; empty when everything holds.
    std::vector<std::string> check(const SeenWindows& seen, const display::HeadlessBackend& screen);

private:
    void checkWindowSet(const SeenWindows& seen, std::vector<std::string>& faults) const;
    void checkModalChain(const SeenWindows& seen, std::vector<std::string>& faults) const;
    void checkRecorderControls(const SeenWindows& seen, std::vector<std::string>& faults);
    void checkDetection(const SeenWindows& seen, const display::HeadlessBackend& screen,
                        std::vector<std::string>& faults);
    void checkHandles(std::vector<std::string>& faults) const;

    // The recorder's controls as the first run showed them; every start
    // sets the same values, so every run is held to them.
    std::optional<std::vector<ControlState>> recorderAtStart_;
    std::set<HWND> warningsThisRun_;  // seen at a check or destroyed
};

}  // namespace storm
