#include "platform/windowing/WindowSystem.h"

#include "platform/graphics/Bitmap.h"
#include "platform/windowing/DialogData.h"
#include "platform/windowing/MenuTracking.h"
#include "platform/windowing/Objects.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace windowing {

namespace {
WindowSystem* g_current = nullptr;
}

std::uintptr_t nextHandleValue() {
    // Start well above small integers so that a stray number is never a handle.
    static std::atomic<std::uintptr_t> next{0x10000};
    return next.fetch_add(4);
}

WindowSystem::WindowSystem(display::Backend& backend, ResourceModules modules)
    : backend_(backend), resources_(std::move(modules)) {
    // The platform's own window classes; controls register theirs on top.
    registerDialogClass(*this);
    registerMenuClass(*this);
}

WindowSystem::~WindowSystem() {
    // Windows still alive when the session ends get no more messages: their
    // procedures may belong to objects that are gone already.
    for (HWND hwnd : topLevels_) {
        if (Window* w = window(hwnd); w && w->surface) backend_.destroySurface(w->surface);
    }
    if (g_current == this) g_current = nullptr;
}

WindowSystem* WindowSystem::current() { return g_current; }

WindowSystem* WindowSystem::install(WindowSystem* system) {
    WindowSystem* previous = g_current;
    g_current = system;
    return previous;
}

WindowSystem& ws() {
    if (!g_current) {
        std::fputs("windowing: the window system is used before it is installed\n", stderr);
        std::abort();
    }
    return *g_current;
}

Window* WindowSystem::window(HWND hwnd) {
    if (!hwnd) return nullptr;
    return windows_.get(hwnd);
}

HWND WindowSystem::addWindow(std::unique_ptr<Window> window) {
    Window* raw = window.get();
    HWND hwnd = windows_.add<HWND>(std::move(window));
    raw->handle = hwnd;
    if (!raw->isChild()) topLevels_.insert(topLevels_.begin(), hwnd);
    return hwnd;
}

void WindowSystem::removeWindow(HWND hwnd) {
    topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), hwnd), topLevels_.end());
    windows_.remove(hwnd);
}

std::vector<HWND> WindowSystem::topLevelWindows() const { return topLevels_; }

void WindowSystem::raiseTopLevel(HWND hwnd) {
    auto it = std::find(topLevels_.begin(), topLevels_.end(), hwnd);
    if (it == topLevels_.end()) return;
    topLevels_.erase(it);
    topLevels_.insert(topLevels_.begin(), hwnd);
}

bool WindowSystem::registerClass(const WindowClass& windowClass) {
    if (windowClass.name.empty() || !windowClass.proc || findClass(windowClass.name)) return false;
    classes_.push_back(std::make_unique<WindowClass>(windowClass));
    return true;
}

const WindowClass* WindowSystem::findClass(const std::string& name) const {
    for (const auto& c : classes_)
        if (strcasecmp(c->name.c_str(), name.c_str()) == 0) return c.get();
    return nullptr;
}

CreationHook WindowSystem::takeCreationHook() {
    CreationHook hook = std::move(creationHook_);
    creationHook_ = nullptr;
    return hook;
}

const graphics::IconImage* Icon::imageFor(int size) const {
    const graphics::IconImage* best = nullptr;
    for (const auto& image : images) {
        if (image.width == size) return &image;
        if (!best) {
            best = &image;
            continue;
        }
        bool larger = image.width > size;
        bool bestLarger = best->width > size;
        if (larger && (!bestLarger || image.width < best->width)) best = &image;
        else if (!larger && !bestLarger && image.width > best->width) best = &image;
    }
    return best;
}

}  // namespace windowing
