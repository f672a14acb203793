// display::Backend - the interface between the windowing layer and a screen.
//
// A backend owns native top-level surfaces (one per top-level window of the
// windowing layer), shows the pixels the windowing layer has drawn, reports
// input, and describes the monitors. Two implementations exist: the SDL2
// backend (a real X11 screen) and the headless backend (tests and benchmarks:
// fixed screen, scripted input, virtual clock).
//
// Coordinates are screen pixels throughout. Pixels are 32-bit words in native
// byte order, 0x00RRGGBB (cairo's RGB24 layout).
#pragma once

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace display {

// Names a native surface; 0 names none.
using SurfaceId = std::uint32_t;

struct Monitor {
    RECT bounds;    // the monitor's area on the virtual screen
    RECT workArea;  // bounds minus task bars and docks
};

enum class SurfaceKind {
    TopLevel,   // a window of its own: task-bar entry when asked for
    Dialog,     // owned by another surface: transient, no task-bar entry
    PopupMenu,  // exactly placed, no decoration, above its owner
};

struct SurfaceSpec {
    SurfaceKind kind = SurfaceKind::TopLevel;
    RECT rect{};             // screen rectangle of the whole window
    std::string title;       // native title (task bars, window lists)
    SurfaceId owner = 0;     // for Dialog and PopupMenu
    bool taskbarEntry = true;
};

// An icon image handed to the native window (task bars show it).
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // width * height, 0xAARRGGBB, not premultiplied
};

// A view of pixels to show; the windowing layer keeps them alive.
struct PixelView {
    const std::uint32_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // in bytes
};

enum class Cursor { Arrow, Wait };

enum Modifier : unsigned {
    ModShift = 1,
    ModCtrl = 2,
    ModAlt = 4,
};

enum class MouseButton { Left, Right, Middle };

enum class EventType {
    KeyDown,         // vk, modifiers, repeat
    KeyUp,           // vk, modifiers
    MouseMove,       // point
    ButtonDown,      // point, button
    ButtonUp,        // point, button
    CloseRequested,  // the native close (a window manager's close, Alt+F4 kept by it)
    Exposed,         // the surface needs its pixels presented again (shown, uncovered or resized)
    FocusGained,     // the surface got the keyboard focus from the native system
    FocusLost,
    Moved,           // point: the surface's new top-left, moved by the native system
    Minimized,
    Restored,
};

struct Event {
    EventType type = EventType::MouseMove;
    SurfaceId surface = 0;  // surface the event belongs to; 0 when outside all of ours
    unsigned vk = 0;        // virtual key (platform/base/VirtualKeys.h)
    unsigned modifiers = 0; // Modifier bits held when the event happened
    bool repeat = false;    // key auto-repeat
    POINT point{};          // screen coordinates (mouse, Moved)
    MouseButton button = MouseButton::Left;
    std::uint32_t time = 0; // backend clock, milliseconds
};

class Backend {
public:
    virtual ~Backend() = default;

    // Monitors; the first one is the primary monitor. Never empty.
    virtual std::vector<Monitor> monitors() = 0;

    // Creates a hidden surface. Returns 0 on failure.
    virtual SurfaceId createSurface(const SurfaceSpec& request) = 0;
    virtual void destroySurface(SurfaceId id) = 0;
    // Shows the surface, raises it and gives it the input focus.
    virtual void showSurface(SurfaceId id) = 0;
    virtual void hideSurface(SurfaceId id) = 0;
    virtual void moveSurface(SurfaceId id, POINT topLeft) = 0;
    // Gives the surface a new size; its top-left stays. The pixels shown
    // after that are the ones presented at the new size.
    virtual void resizeSurface(SurfaceId id, int width, int height) = 0;
    virtual void raiseSurface(SurfaceId id) = 0;  // raise and focus
    virtual void setTitle(SurfaceId id, const std::string& title) = 0;
    virtual void setIcons(SurfaceId id, const std::vector<IconPixels>& icons) = 0;
    virtual bool isMinimized(SurfaceId id) = 0;

    // Shows `pixels` (the whole window, top-left at the surface's origin);
    // only `dirty` is known to have changed since the last present. The
    // backend need keep no copy: what the screen loses (a surface not shown
    // yet, a part uncovered) it asks for again with an Exposed event.
    virtual void present(SurfaceId id, const PixelView& pixels, const RECT& dirty) = 0;

    virtual void setCursor(Cursor cursor) = 0;

    // Takes the next input event. With wait=false returns false at once when
    // none is pending; with wait=true blocks until one arrives.
    virtual bool nextEvent(Event& event, bool wait) = 0;

    // Blocks the thread for `ms` milliseconds; input arriving meanwhile waits.
    virtual void sleep(std::uint32_t ms) = 0;
    // Milliseconds on the backend's clock.
    virtual std::uint32_t now() = 0;
};

}  // namespace display
