// windowing::runTrackingLoop - a nested loop that follows input directly,
// as the close box, the move loop and menus do while the mouse button or a
// menu is held: pending painting is done and shown, then each backend event
// goes to `handle` until it answers false. Events it does not want are
// passed on with passEventOn, so nothing typed meanwhile is lost: they are
// taken again, in order, after the loop, and routed then.
#pragma once

#include "platform/display/Backend.h"

#include <functional>

namespace windowing {

// Paints every window waiting for it and shows the result.
void paintPendingAndPresent();

void runTrackingLoop(const std::function<bool(const display::Event&)>& handle);

// Hands an event the loop does not want back to the normal input routing,
// which takes it when the loop has ended.
void passEventOn(const display::Event& event);

}  // namespace windowing
