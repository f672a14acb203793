// The entry point to the help engine. The engine is a replaceable part of
// the window system; the default one has no viewer for help files and
// reports failure, which callers answer with their own message.
#include "platform/windowing/Api.h"

#include "platform/windowing/WindowSystem.h"

BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, std::uintptr_t data) {
    // The engine keeps track of the windows asking; a dead one asks nothing.
    if (hwnd && !windowing::live(hwnd)) return FALSE;
    const windowing::HelpEngine& engine = windowing::ws().helpEngine();
    if (!engine) return FALSE;
    return engine(hwnd, helpFile ? helpFile : "", command, data);
}
