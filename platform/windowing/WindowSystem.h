// windowing::WindowSystem - the state of one windowing session: windows,
// menus, icons and device contexts by handle, the message queue, focus,
// activation and capture, and the resource modules. A program's entry point
// creates one over a display backend and installs it; tests create a fresh
// one for every case. The classic API functions (Api.h) act on the
// installed one.
//
// Classes here:
//   WindowClass  - a registered class: name, window procedure, background
//   WindowExtra  - base of the per-window state a class keeps (controls, dialogs)
//   Window       - one window
//   WindowSystem - the session
#pragma once

#include "platform/display/Backend.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/HandleTable.h"
#include "platform/windowing/ResourceModules.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace graphics {
class Bitmap;
class Font;
struct IconImage;
}  // namespace graphics

namespace windowing {

struct WindowClass {
    std::string name;
    WNDPROC proc = nullptr;
    UINT style = 0;
    HINSTANCE instance = nullptr;
    int background = 0;  // COLOR_* index + 1 to erase with; 0 erases nothing
};

struct WindowExtra {
    virtual ~WindowExtra() = default;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;        // child windows: the parent
    HWND owner = nullptr;         // top-level windows: the owner
    std::vector<HWND> children;   // stacking order, top first (also tab order)
    RECT rect{};                  // parent-client coordinates for children, screen for top-levels
    std::string text;
    int id = 0;                   // control identifier
    LPARAM userData = 0;
    HINSTANCE instance = nullptr;
    std::shared_ptr<const graphics::Font> font;  // set by WM_SETFONT
    HFONT fontHandle = nullptr;
    std::unique_ptr<WindowExtra> extra;

    // Painting: the part of the client area waiting for WM_PAINT.
    bool needsPaint = false;
    bool needsErase = false;
    bool needsFrame = false;      // the non-client area waits for WM_NCPAINT
    RECT updateRect{};            // client coordinates

    // Top-level windows only.
    display::SurfaceId surface = 0;
    std::unique_ptr<graphics::Bitmap> bitmap;  // the whole window's pixels
    RECT dirty{};                 // part of the bitmap changed since the last present
    HMENU systemMenu = nullptr;   // the window's own copy, made on demand
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HWND lastActivePopup = nullptr;
    bool minimized = false;
    bool pendingShow = false;     // shown: the surface appears with the next present
    bool captionActive = false;   // drawn as the active window
    bool closePushed = false;     // the caption's close box is held down

    bool destroying = false;

    bool isChild() const { return (style & WS_CHILD) != 0; }
    bool visible() const { return (style & WS_VISIBLE) != 0; }
    bool enabled() const { return (style & WS_DISABLED) == 0; }
};

// The help engine behind WinHelpA: shows a topic of a help file. Returns
// whether it could; the default engine has no help viewer and says no.
using HelpEngine = std::function<BOOL(HWND window, const std::string& helpFile, UINT command, std::uintptr_t data)>;

// Called with every new window right after it exists and before it gets any
// message; the class library uses it to attach its window objects.
using CreationHook = std::function<void(HWND)>;

class WindowSystem {
public:
    WindowSystem(display::Backend& backend, ResourceModules modules);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // The installed window system; null when none is.
    static WindowSystem* current();
    // Installs `system` for the API functions; returns the previous one.
    static WindowSystem* install(WindowSystem* system);

    display::Backend& backend() { return backend_; }
    ResourceModules& resources() { return resources_; }

    // --- windows ---
    Window* window(HWND hwnd);  // null for a dead or unknown handle
    HWND addWindow(std::unique_ptr<Window> window);
    void removeWindow(HWND hwnd);
    std::vector<HWND> topLevelWindows() const;  // stacking order, top first
    void raiseTopLevel(HWND hwnd);

    // --- classes ---
    bool registerClass(const WindowClass& windowClass);
    const WindowClass* findClass(const std::string& name) const;

    // --- hooks ---
    void setCreationHook(CreationHook hook) { creationHook_ = std::move(hook); }
    CreationHook takeCreationHook();
    void setHelpEngine(HelpEngine engine) { helpEngine_ = std::move(engine); }
    // Called for every window just before its handle stops being valid.
    std::function<void(HWND)> destroyHook;
    const HelpEngine& helpEngine() const { return helpEngine_; }

    // --- focus, activation, capture ---
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = true;   // false while another program has the input focus

    // --- queue ---
    std::deque<MSG> posted;
    std::deque<MSG> input;   // input messages taken from the backend, not yet returned
    bool quitPosted = false;
    int quitCode = 0;
    MSG lastMessage{};       // the message GetMessage/PeekMessage returned last
    BYTE keyState[256] = {};
    POINT cursorPos{};
    // Backend events a tracking loop did not want, in order: they are taken
    // again before new ones, so that they are routed when the program takes
    // them (to the windows that can take input then), as input always is.
    std::deque<display::Event> passedOn;
    // Where the running tracking loop keeps what it passes on; null outside one.
    std::vector<display::Event>* passing = nullptr;

    // --- other handle tables ---
    HandleTable<struct Menu> menus;
    HandleTable<struct Icon> icons;
    HandleTable<struct DeviceContext> dcs;
    HandleTable<struct FontObject> fonts;

    // Icons loaded with LoadIconA are shared: the same name gives the same
    // handle, and the program never releases them (there is no DestroyIcon).
    // They live as long as the window system, whose icon table frees them
    // when it ends.
    std::map<std::pair<HINSTANCE, std::string>, HICON> sharedIcons;

    HCURSOR arrowCursor = nullptr;
    HCURSOR waitCursor = nullptr;
    HCURSOR currentCursor = nullptr;

    // Paths and names of the program file.
    std::string programPath;

private:
    display::Backend& backend_;
    ResourceModules resources_;
    HandleTable<Window> windows_;
    std::vector<HWND> topLevels_;  // stacking order, top first
    std::vector<std::unique_ptr<WindowClass>> classes_;
    CreationHook creationHook_;
    HelpEngine helpEngine_;
};

// The installed window system; aborts with a message when none is (a
// programming error: the API is used outside a session).
WindowSystem& ws();

// Installs a window system for the lifetime of the scope.
class ScopedWindowSystem {
public:
    explicit ScopedWindowSystem(WindowSystem& system) : previous_(WindowSystem::install(&system)) {}
    ~ScopedWindowSystem() { WindowSystem::install(previous_); }
    ScopedWindowSystem(const ScopedWindowSystem&) = delete;
    ScopedWindowSystem& operator=(const ScopedWindowSystem&) = delete;

private:
    WindowSystem* previous_;
};

// Convenience: the live window of a handle in the installed system, or null.
inline Window* live(HWND hwnd) {
    WindowSystem* system = WindowSystem::current();
    return system ? system->window(hwnd) : nullptr;
}

// Per-window state of a class, when the window belongs to that class.
template <class T>
T* extraOf(HWND hwnd) {
    Window* w = live(hwnd);
    return w ? dynamic_cast<T*>(w->extra.get()) : nullptr;
}

}  // namespace windowing
