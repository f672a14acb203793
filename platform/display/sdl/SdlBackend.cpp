#include "platform/display/sdl/SdlBackend.h"

#include "platform/display/sdl/SdlKeys.h"
#include "platform/display/sdl/SdlVideoStart.h"
#include "platform/display/sdl/X11Integration.h"
#include "platform/display/sdl/X11Presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

namespace display {
namespace {

struct NativeSurface {
    SDL_Window* window = nullptr;
    SurfaceKind kind = SurfaceKind::TopLevel;
    SurfaceId owner = 0;
    // Our own record of the top-left: SDL's report right after showing can
    // be wrong under a window manager.
    POINT position{};
    // Shows the layer's pixels with no copy of them kept here; null when
    // the window's visual needs SDL's window surface (and a copy) instead.
    std::unique_ptr<sdl::X11Presenter> presenter;
    // SDL's window surface holds a frame that can be shown again.
    bool hasFrame = false;
};

class SdlBackend final : public Backend {
public:
    explicit SdlBackend(std::string programName) : m_programName(std::move(programName)) {
        // We read keys, never SDL's text events; with text input on,
        // Alt+Space and Alt+letters would also arrive as text.
        SDL_StopTextInput();
        // The raw X events come too, for the pointer's screen position.
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }

    ~SdlBackend() override {
        for (auto& [id, surface] : m_surfaces) SDL_DestroyWindow(surface.window);
        // The presenters free their X resources while the display is open.
        m_surfaces.clear();
        if (m_idleWindow) SDL_DestroyWindow(m_idleWindow);
        if (m_arrowCursor) SDL_FreeCursor(m_arrowCursor);
        if (m_waitCursor) SDL_FreeCursor(m_waitCursor);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    std::vector<Monitor> monitors() override {
        std::vector<Monitor> result;
        const int count = SDL_GetNumVideoDisplays();
        for (int i = 0; i < count; ++i) {
            SDL_Rect bounds;
            if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
            // On X11 the usable bounds are the root window's _NET_WORKAREA
            // cut to the display; without one they equal the bounds.
            SDL_Rect usable = bounds;
            if (SDL_GetDisplayUsableBounds(i, &usable) != 0 || usable.w <= 0 || usable.h <= 0) usable = bounds;
            result.push_back({toRect(bounds), toRect(usable)});
        }
        if (result.empty()) {
            // The interface promises at least one monitor; SDL always knows
            // the screen once the video subsystem runs, so this is a fallback
            // for a broken display description only.
            result.push_back({RECT{0, 0, 640, 480}, RECT{0, 0, 640, 480}});
        }
        return result;
    }

    SurfaceId createSurface(const SurfaceSpec& request) override {
        const int width = rectWidth(request.rect);
        const int height = rectHeight(request.rect);
        if (width <= 0 || height <= 0) {
            report("cannot create a window of " + std::to_string(width) + "x" + std::to_string(height) + " pixels");
            return 0;
        }
        const NativeSurface* owner = find(request.owner);
        Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
        switch (request.kind) {
        case SurfaceKind::TopLevel:
            if (!request.taskbarEntry) flags |= SDL_WINDOW_SKIP_TASKBAR;
            break;
        case SurfaceKind::Dialog:
            flags |= SDL_WINDOW_SKIP_TASKBAR;
            break;
        case SurfaceKind::PopupMenu:
            // Override-redirect: placed exactly, never decorated or moved.
            flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
            break;
        }

        // SDL reads the window type when it creates the X window.
        if (request.kind == SurfaceKind::Dialog) SDL_SetHint(SDL_HINT_X11_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE_DIALOG");
        SDL_Window* window =
            SDL_CreateWindow(request.title.c_str(), request.rect.left, request.rect.top, width, height, flags);
        if (request.kind == SurfaceKind::Dialog) SDL_ResetHint(SDL_HINT_X11_WINDOW_TYPE);
        if (!window) {
            report(std::string("cannot create a window: ") + SDL_GetError());
            return 0;
        }
        sdl::markUndecorated(window);
        if (request.kind == SurfaceKind::Dialog && owner) {
            // WM_TRANSIENT_FOR: window managers keep it above its owner.
            SDL_SetWindowModalFor(window, owner->window);
        }

        const SurfaceId id = m_nextId++;
        NativeSurface surface;
        surface.window = window;
        surface.kind = request.kind;
        surface.owner = owner ? request.owner : 0;
        surface.position = {request.rect.left, request.rect.top};
        surface.presenter = sdl::X11Presenter::create(window);
        m_surfaces[id] = std::move(surface);
        m_bySdlWindow[SDL_GetWindowID(window)] = id;
        return id;
    }

    void destroySurface(SurfaceId id) override {
        auto it = m_surfaces.find(id);
        if (it == m_surfaces.end()) return;
        // Keys typed ahead into this window may still wait in the X
        // connection, and SDL drops events of windows it no longer knows:
        // take them into SDL's queue first. They go to whichever window has
        // the focus when they are taken.
        sdl::syncWithServer(it->second.window);
        SDL_PumpEvents();
        m_bySdlWindow.erase(SDL_GetWindowID(it->second.window));
        SDL_DestroyWindow(it->second.window);
        m_surfaces.erase(it);
    }

    void showSurface(SurfaceId id) override {
        NativeSurface* surface = find(id);
        if (!surface) return;
        SDL_SetWindowPosition(surface->window, surface->position.x, surface->position.y);
        if (surface->kind == SurfaceKind::PopupMenu) {
            // The focus stays with the owner, whose keys drive the menu.
            sdl::mapWithoutFocus(surface->window);
            return;
        }
        SDL_ShowWindow(surface->window);
        raise(*surface);
    }

    void hideSurface(SurfaceId id) override {
        NativeSurface* surface = find(id);
        if (!surface) return;
        // Without a window manager nobody else gives the focus back. The
        // owner takes it before this window goes: X drops the keys that
        // come while the window with the focus is unmapped and none has it.
        NativeSurface* owner = surface->kind != SurfaceKind::TopLevel ? find(surface->owner) : nullptr;
        if (owner && !isShown(*owner)) owner = nullptr;
        if (owner) SDL_SetWindowInputFocus(owner->window);
        if (surface->kind == SurfaceKind::PopupMenu) {
            sdl::unmap(surface->window);
        } else {
            SDL_HideWindow(surface->window);
        }
        if (owner) raise(*owner);
    }

    void moveSurface(SurfaceId id, POINT topLeft) override {
        NativeSurface* surface = find(id);
        if (!surface) return;
        surface->position = topLeft;
        SDL_SetWindowPosition(surface->window, topLeft.x, topLeft.y);
    }

    void resizeSurface(SurfaceId id, int width, int height) override {
        NativeSurface* surface = find(id);
        if (!surface || width <= 0 || height <= 0) return;
        // SDL drops its window surface with the old size; the windowing
        // layer presents the new frame anyway.
        SDL_SetWindowSize(surface->window, width, height);
    }

    void raiseSurface(SurfaceId id) override {
        if (NativeSurface* surface = find(id)) raise(*surface);
    }

    void setTitle(SurfaceId id, const std::string& title) override {
        if (NativeSurface* surface = find(id)) SDL_SetWindowTitle(surface->window, title.c_str());
    }

    void setIcons(SurfaceId id, const std::vector<IconPixels>& icons) override {
        NativeSurface* surface = find(id);
        if (!surface) return;
        std::string error;
        if (!sdl::setNetWmIcons(surface->window, icons, &error)) report("cannot set the window icons: " + error);
    }

    bool isMinimized(SurfaceId id) override {
        const NativeSurface* surface = find(id);
        return surface && (SDL_GetWindowFlags(surface->window) & SDL_WINDOW_MINIMIZED) != 0;
    }

    void present(SurfaceId id, const PixelView& pixels, const RECT& dirty) override {
        NativeSurface* surface = find(id);
        if (!surface || !pixels.data || pixels.width <= 0 || pixels.height <= 0) return;
        // The changed part, inside the pixels given.
        SDL_Rect area;
        area.x = std::max<LONG>(dirty.left, 0);
        area.y = std::max<LONG>(dirty.top, 0);
        area.w = std::min<int>(dirty.right, pixels.width) - area.x;
        area.h = std::min<int>(dirty.bottom, pixels.height) - area.y;
        if (area.w <= 0 || area.h <= 0) return;
        if (surface->presenter) {
            surface->presenter->put(pixels, area.x, area.y, area.w, area.h);
            return;
        }
        SDL_Surface* target = SDL_GetWindowSurface(surface->window);
        if (!target) {
            report(std::string("cannot show the window's pixels: ") + SDL_GetError());
            return;
        }
        // And inside SDL's window surface.
        area.w = std::min(area.w, target->w - area.x);
        area.h = std::min(area.h, target->h - area.y);
        if (area.w <= 0 || area.h <= 0) return;

        const auto* source = reinterpret_cast<const std::uint8_t*>(pixels.data) +
                             static_cast<std::size_t>(area.y) * static_cast<std::size_t>(pixels.stride) +
                             static_cast<std::size_t>(area.x) * 4;
        auto* destination = static_cast<std::uint8_t*>(target->pixels) +
                            static_cast<std::size_t>(area.y) * static_cast<std::size_t>(target->pitch) +
                            static_cast<std::size_t>(area.x) * target->format->BytesPerPixel;
        const Uint32 format = target->format->format;
        if (format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888) {
            // The usual case: X's 24-bit visual has cairo's RGB24 layout.
            for (int row = 0; row < area.h; ++row) {
                std::memcpy(destination + static_cast<std::size_t>(row) * static_cast<std::size_t>(target->pitch),
                            source + static_cast<std::size_t>(row) * static_cast<std::size_t>(pixels.stride),
                            static_cast<std::size_t>(area.w) * 4);
            }
        } else if (SDL_ConvertPixels(area.w, area.h, SDL_PIXELFORMAT_XRGB8888, source, pixels.stride, format,
                                     destination, target->pitch) != 0) {
            report(std::string("cannot convert the window's pixels: ") + SDL_GetError());
            return;
        }
        surface->hasFrame = true;
        SDL_UpdateWindowSurfaceRects(surface->window, &area, 1);
    }

    void setCursor(Cursor cursor) override {
        SDL_Cursor*& slot = cursor == Cursor::Wait ? m_waitCursor : m_arrowCursor;
        if (!slot) {
            slot = SDL_CreateSystemCursor(cursor == Cursor::Wait ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW);
        }
        if (slot) SDL_SetCursor(slot);
    }

    bool nextEvent(Event& event, bool wait) override {
        for (;;) {
            SDL_Event native;
            if (wait) {
                keepBlockingWaitAvailable();
                if (!SDL_WaitEvent(&native)) {
                    report(std::string("waiting for input failed: ") + SDL_GetError());
                    return false;
                }
            } else if (!SDL_PollEvent(&native)) {
                return false;
            }
            if (translate(native, event)) return true;
        }
    }

    void sleep(std::uint32_t ms) override {
        // The wait watches the display connection (whose loss ends the
        // program at once); any window of ours gives access to it.
        keepBlockingWaitAvailable();
        SDL_Window* any = m_surfaces.empty() ? m_idleWindow : m_surfaces.begin()->second.window;
        sdl::sleepWatchingDisplay(any, ms);
    }

    std::uint32_t now() override { return SDL_GetTicks(); }

private:
    static RECT toRect(const SDL_Rect& r) { return {r.x, r.y, r.x + r.w, r.y + r.h}; }

    NativeSurface* find(SurfaceId id) {
        auto it = m_surfaces.find(id);
        return it == m_surfaces.end() ? nullptr : &it->second;
    }

    static bool isShown(const NativeSurface& surface) {
        return (SDL_GetWindowFlags(surface.window) & SDL_WINDOW_SHOWN) != 0;
    }

    static void raise(const NativeSurface& surface) {
        SDL_RaiseWindow(surface.window);
        // With no window manager nothing else gives a new window the focus.
        // A popup menu leaves it with its owner, whose keys drive the menu.
        if (surface.kind != SurfaceKind::PopupMenu) SDL_SetWindowInputFocus(surface.window);
    }

    void report(const std::string& message) const { std::fprintf(stderr, "%s: %s\n", m_programName.c_str(), message.c_str()); }

    // SDL_WaitEvent blocks on the X connection only while some SDL window
    // exists; with none it falls back to polling every millisecond. A hidden
    // 1x1 window, made only when needed, keeps an idle program asleep.
    void keepBlockingWaitAvailable() {
        if (!m_surfaces.empty() || m_idleWindow) return;
        m_idleWindow = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    }

    SurfaceId surfaceOf(Uint32 sdlWindowId) const {
        auto it = m_bySdlWindow.find(sdlWindowId);
        return it == m_bySdlWindow.end() ? 0 : it->second;
    }

    // A key typed into a window destroyed since is still input: the
    // windowing layer routes keys by its own focus (surface 0 here).
    bool translateKey(const SDL_KeyboardEvent& key, Event& event) {
        event.surface = surfaceOf(key.windowID);
        event.vk = sdl::virtualKeyFor(key.keysym.sym, key.keysym.scancode, (key.keysym.mod & KMOD_NUM) != 0);
        if (!event.vk) return false;
        event.type = key.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
        event.modifiers = sdl::modifiersFor(key.keysym.mod);
        event.repeat = key.repeat != 0;
        event.time = key.timestamp;
        return true;
    }

    // A mouse event's screen position: the root position of the raw X
    // event SDL made it from, which SDL passes on just before it; without
    // one, the window coordinates through our record of its position.
    bool translateMouse(Uint32 windowId, Sint32 x, Sint32 y, Uint32 timestamp, Event& event) {
        event.surface = surfaceOf(windowId);
        const NativeSurface* surface = find(event.surface);
        const std::optional<POINT> root = m_pointerRoot;
        m_pointerRoot.reset();
        if (!surface) return false;
        event.point = root ? *root : POINT{surface->position.x + x, surface->position.y + y};
        event.modifiers = sdl::modifiersFor(static_cast<Uint16>(SDL_GetModState()));
        event.time = timestamp;
        return true;
    }

    bool translateButton(const SDL_MouseButtonEvent& button, Event& event) {
        switch (button.button) {
        case SDL_BUTTON_LEFT: event.button = MouseButton::Left; break;
        case SDL_BUTTON_RIGHT: event.button = MouseButton::Right; break;
        case SDL_BUTTON_MIDDLE: event.button = MouseButton::Middle; break;
        default: return false;
        }
        event.type = button.type == SDL_MOUSEBUTTONDOWN ? EventType::ButtonDown : EventType::ButtonUp;
        return translateMouse(button.windowID, button.x, button.y, button.timestamp, event);
    }

    bool translateWindowEvent(const SDL_WindowEvent& window, Event& event) {
        event.surface = surfaceOf(window.windowID);
        NativeSurface* surface = find(event.surface);
        if (!surface) return false;
        event.time = window.timestamp;
        switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE: event.type = EventType::CloseRequested; return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: event.type = EventType::FocusGained; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: event.type = EventType::FocusLost; return true;
        case SDL_WINDOWEVENT_MINIMIZED: event.type = EventType::Minimized; return true;
        case SDL_WINDOWEVENT_RESTORED: event.type = EventType::Restored; return true;
        case SDL_WINDOWEVENT_MOVED: {
            // Our own moves come back as MOVED too; only a move by someone
            // else (a window manager) is news to the windowing layer.
            const POINT moved{window.data1, window.data2};
            if (moved == surface->position) return false;
            surface->position = moved;
            event.type = EventType::Moved;
            event.point = moved;
            return true;
        }
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // SDL drops the window surface on a size change; the frame must
            // come from the windowing layer again.
            surface->hasFrame = false;
            event.type = EventType::Exposed;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            // SDL's window surface still holds the last frame: show it
            // again. Without one, the windowing layer shows its pixels again.
            if (surface->presenter) {
                event.type = EventType::Exposed;
                return true;
            }
            if (surface->hasFrame) SDL_UpdateWindowSurface(surface->window);
            return false;
        default: return false;
        }
    }

    bool translate(const SDL_Event& native, Event& event) {
        event = Event{};
        switch (native.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: return translateKey(native.key, event);
        case SDL_MOUSEMOTION:
            if (m_motionFromHeldCrossing) {
                m_motionFromHeldCrossing = false;
                m_pointerRoot.reset();
                return false;
            }
            event.type = EventType::MouseMove;
            return translateMouse(native.motion.windowID, native.motion.x, native.motion.y, native.motion.timestamp,
                                  event);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: return translateButton(native.button, event);
        case SDL_WINDOWEVENT: return translateWindowEvent(native.window, event);
        case SDL_SYSWMEVENT:
            m_pointerRoot = sdl::pointerRootPosition(native.syswm.msg);
            m_motionFromHeldCrossing = sdl::isCrossingWithButtonHeld(native.syswm.msg);
            return false;
        // SDL_QUIT and everything else: closing is the windowing layer's
        // decision, taken on CloseRequested.
        default: return false;
        }
    }

    std::string m_programName;
    std::map<SurfaceId, NativeSurface> m_surfaces;
    std::unordered_map<Uint32, SurfaceId> m_bySdlWindow;
    SurfaceId m_nextId = 1;
    SDL_Window* m_idleWindow = nullptr;
    std::optional<POINT> m_pointerRoot;  // from the raw X event just read
    bool m_motionFromHeldCrossing = false;  // that event is a crossing with a button held
    SDL_Cursor* m_arrowCursor = nullptr;
    SDL_Cursor* m_waitCursor = nullptr;
};

}  // namespace

void prepareSdlProcessEnvironment() { sdl::prepareSdlEnvironment(); }

std::unique_ptr<Backend> createSdlBackend(const std::string& programName, std::string* error) {
    // Before SDL starts: SDL puts back the handler it found when it shuts
    // down, and errors still in flight are read then.
    sdl::installProtocolErrorHandler();
    std::string message;
    if (!sdl::startSdlVideo(&message)) {
        if (error) *error = message;
        return nullptr;
    }
    sdl::installDisplayLostHandler(programName);
    return std::make_unique<SdlBackend>(programName);
}

}  // namespace display
