// storm::StormInput - the random input of the input storm: each call queues
// one user action (a click, a drag, a key with modifiers, a menu choice, a
// window manager's close or minimise, the program losing the focus) on the
// headless screen, chosen for the windows the program shows at that moment.
//
// Actions that end the program while the recorder window is alone on
// screen (Escape, Enter, Space, Alt+F4, Close, its close box, a window
// manager's close) are let through only now and then, so that a run lasts
// long enough to reach every combination of boxes; the storm starts the
// program again when one ends it.
#pragma once

#include "tests/reliability/StormWindows.h"

#include "platform/display/headless/HeadlessBackend.h"

#include <cstddef>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace storm {

class StormInput {
public:
    StormInput(std::mt19937_64& random, display::HeadlessBackend& screen) : random_(random), screen_(screen) {}

    // Queues one action; returns what it does, for replay reports.
    std::string next(const SeenWindows& seen);
    // Backend events queued so far.
    std::size_t eventsQueued() const { return events_; }

private:
    struct Plan;
    Plan plan(const SeenWindows& seen);
    Plan planClick(const SeenWindows& seen);
    Plan planControlClick(const SeenWindows& seen);
    Plan planCaptionClick(const SeenWindows& seen);
    Plan planDrag(const SeenWindows& seen);
    struct DrawnKey {
        unsigned vk = 0;
        unsigned modifiers = 0;
        std::string name;  // "Ctrl+Shift+Tab"
    };
    DrawnKey drawKey(bool menuOpen);
    Plan planKey(bool menuOpen);
    Plan planMenuChoice(const SeenWindows& seen);
    Plan planWindowManager(const SeenWindows& seen);
    // A button or key pressed now and released by a later action, with
    // other input and other windows in between.
    Plan planPress(const SeenWindows& seen);
    Plan planRelease();
    Plan planKeyDown();
    Plan planKeyUp();

    int uniform(int low, int high);  // inclusive
    bool chance(int oneIn);
    POINT anyScreenPoint();
    POINT pointIn(const RECT& r);
    POINT pointAround(const RECT& r);  // just outside the rectangle
    display::MouseButton anyButton();
    const SeenWindow& anyWindow(const SeenWindows& seen);

    void click(POINT at, display::MouseButton button);
    void key(unsigned vk, unsigned modifiers);

    std::mt19937_64& random_;
    display::HeadlessBackend& screen_;
    std::size_t events_ = 0;
    std::vector<display::MouseButton> heldButtons_;
    std::vector<DrawnKey> heldKeys_;
    std::set<display::SurfaceId> surfacesSeen_;
};

}  // namespace storm
