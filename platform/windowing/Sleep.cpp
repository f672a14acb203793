// The thread's blocking wait. What was drawn before it is shown first, so
// that a control changed just before a wait stays on screen during it;
// input arriving meanwhile waits in the backend and is taken afterwards.
#include "platform/windowing/Api.h"

#include "platform/windowing/Internal.h"

void Sleep(DWORD milliseconds) {
    windowing::presentAll();
    windowing::ws().backend().sleep(milliseconds);
}
