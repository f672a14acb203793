#include "platform/display/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstring>

namespace display {

HeadlessBackend::HeadlessBackend(std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {
    if (monitors_.empty()) monitors_ = defaultMonitors();
}

std::vector<Monitor> HeadlessBackend::defaultMonitors() {
    return {{{0, 0, 1024, 768}, {0, 0, 1024, 738}}};
}

void HeadlessBackend::then(std::function<void()> step) { script_.push_back(std::move(step)); }

void HeadlessBackend::push(Event event) {
    event.time = clock_;
    queue_.push_back(event);
}

void HeadlessBackend::pushKey(EventType type, unsigned vk, unsigned modifiers) {
    Event e;
    e.type = type;
    e.surface = focused_;
    e.vk = vk;
    e.modifiers = modifiers;
    push(e);
}

void HeadlessBackend::pushMouse(EventType type, POINT screen, MouseButton button) {
    Event e;
    e.type = type;
    e.surface = surfaceAt(screen);
    e.point = screen;
    e.button = button;
    push(e);
}

void HeadlessBackend::keyDown(unsigned vk, unsigned modifiers) { pushKey(EventType::KeyDown, vk, modifiers); }
void HeadlessBackend::keyUp(unsigned vk, unsigned modifiers) { pushKey(EventType::KeyUp, vk, modifiers); }

void HeadlessBackend::key(unsigned vk, unsigned modifiers) {
    keyDown(vk, modifiers);
    keyUp(vk, modifiers);
}

void HeadlessBackend::mouseMove(POINT screen) { pushMouse(EventType::MouseMove, screen, MouseButton::Left); }
void HeadlessBackend::buttonDown(POINT screen, MouseButton button) { pushMouse(EventType::ButtonDown, screen, button); }
void HeadlessBackend::buttonUp(POINT screen, MouseButton button) { pushMouse(EventType::ButtonUp, screen, button); }

void HeadlessBackend::click(POINT screen, MouseButton button) {
    mouseMove(screen);
    buttonDown(screen, button);
    buttonUp(screen, button);
}

void HeadlessBackend::requestClose(SurfaceId id) {
    Event e;
    e.type = EventType::CloseRequested;
    e.surface = id;
    push(e);
}

void HeadlessBackend::setMinimized(SurfaceId id, bool minimized) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    it->second.minimized = minimized;
    Event e;
    e.type = minimized ? EventType::Minimized : EventType::Restored;
    e.surface = id;
    push(e);
}

const HeadlessBackend::SurfaceState* HeadlessBackend::surface(SurfaceId id) const {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
}

std::vector<SurfaceId> HeadlessBackend::shownSurfaces() const { return stacking_; }

SurfaceId HeadlessBackend::surfaceAt(POINT p) const {
    for (SurfaceId id : stacking_) {
        const RECT& r = surfaces_.at(id).rect;
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return id;
    }
    return 0;
}

std::uint32_t HeadlessBackend::pixel(SurfaceId id, int x, int y) const {
    const SurfaceState* s = surface(id);
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height || s->pixels.empty()) return 0;
    return s->pixels[static_cast<std::size_t>(y) * s->width + x] & 0x00FFFFFF;
}

std::vector<Monitor> HeadlessBackend::monitors() { return monitors_; }

SurfaceId HeadlessBackend::createSurface(const SurfaceSpec& request) {
    SurfaceId id = nextId_++;
    SurfaceState& s = surfaces_[id];
    s.request = request;
    s.rect = request.rect;
    s.title = request.title;
    log_.push_back("create " + std::to_string(id));
    return id;
}

void HeadlessBackend::destroySurface(SurfaceId id) {
    if (!surfaces_.count(id)) return;
    hideSurface(id);
    surfaces_.erase(id);
    log_.push_back("destroy " + std::to_string(id));
}

void HeadlessBackend::raise(SurfaceId id) {
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), id), stacking_.end());
    stacking_.insert(stacking_.begin(), id);
    // Popup menus never take the keyboard focus.
    if (surfaces_.at(id).request.kind != SurfaceKind::PopupMenu) focused_ = id;
}

void HeadlessBackend::showSurface(SurfaceId id) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    it->second.shown = true;
    raise(id);
    log_.push_back("show " + std::to_string(id));
}

void HeadlessBackend::hideSurface(SurfaceId id) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end() || !it->second.shown) return;
    it->second.shown = false;
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), id), stacking_.end());
    if (focused_ == id) {
        SurfaceId owner = it->second.request.owner;
        focused_ = surfaces_.count(owner) && surfaces_.at(owner).shown ? owner : 0;
    }
    log_.push_back("hide " + std::to_string(id));
}

void HeadlessBackend::moveSurface(SurfaceId id, POINT topLeft) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    RECT& r = it->second.rect;
    r = {topLeft.x, topLeft.y, topLeft.x + (r.right - r.left), topLeft.y + (r.bottom - r.top)};
}

void HeadlessBackend::resizeSurface(SurfaceId id, int width, int height) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end() || width <= 0 || height <= 0) return;
    RECT& r = it->second.rect;
    r.right = r.left + width;
    r.bottom = r.top + height;
    log_.push_back("resize " + std::to_string(id) + " " + std::to_string(width) + "x" + std::to_string(height));
}

void HeadlessBackend::raiseSurface(SurfaceId id) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end() || !it->second.shown) return;
    raise(id);
}

void HeadlessBackend::setTitle(SurfaceId id, const std::string& title) {
    if (auto it = surfaces_.find(id); it != surfaces_.end()) it->second.title = title;
}

void HeadlessBackend::setIcons(SurfaceId id, const std::vector<IconPixels>& icons) {
    if (auto it = surfaces_.find(id); it != surfaces_.end()) it->second.icons = icons;
}

bool HeadlessBackend::isMinimized(SurfaceId id) {
    auto it = surfaces_.find(id);
    return it != surfaces_.end() && it->second.minimized;
}

void HeadlessBackend::present(SurfaceId id, const PixelView& view, const RECT& dirty) {
    (void)dirty;
    auto it = surfaces_.find(id);
    if (it == surfaces_.end() || !view.data) return;
    SurfaceState& s = it->second;
    s.width = view.width;
    s.height = view.height;
    s.pixels.resize(static_cast<std::size_t>(view.width) * view.height);
    for (int y = 0; y < view.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(view.data) + static_cast<std::size_t>(y) * view.stride;
        std::memcpy(&s.pixels[static_cast<std::size_t>(y) * view.width], row, static_cast<std::size_t>(view.width) * 4);
    }
    ++s.presents;
    log_.push_back("present " + std::to_string(id));
}

void HeadlessBackend::setCursor(Cursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    log_.push_back(cursor == Cursor::Wait ? "cursor wait" : "cursor arrow");
}

bool HeadlessBackend::nextEvent(Event& event, bool wait) {
    while (queue_.empty()) {
        if (!wait) return false;
        if (script_.empty())
            throw ScriptExhausted("the program waits for input after the last step of the test script");
        auto step = std::move(script_.front());
        script_.pop_front();
        step();
    }
    event = queue_.front();
    queue_.pop_front();
    return true;
}

void HeadlessBackend::sleep(std::uint32_t ms) {
    clock_ += ms;
    sleeps_.push_back(ms);
    log_.push_back("sleep " + std::to_string(ms));
    if (sleepHook_) sleepHook_(ms);
}

}  // namespace display
