#include "tests/reliability/StormInput.h"

#include "resources/resource.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/windowing/WindowSystem.h"

#include <functional>
#include <sstream>
#include <utility>
#include <vector>

namespace storm {

struct StormInput::Plan {
    std::string what;
    bool mayEndProgram = false;
    std::function<void()> queue;
};

namespace {

using display::MouseButton;

// Of the actions that may end the program while the recorder window is
// alone on screen, one in this many is let through.
constexpr int kEndingActionOneIn = 25;

struct KeyChoice {
    unsigned vk;
    const char* name;
    int weight;
};

// Keys of the storm, with how often each comes.
const std::vector<KeyChoice> kKeys = {
    {VK_TAB, "Tab", 8},       {VK_RETURN, "Enter", 4},   {VK_SPACE, "Space", 6},  {VK_ESCAPE, "Escape", 4},
    {VK_LEFT, "Left", 2},     {VK_UP, "Up", 2},          {VK_RIGHT, "Right", 2},  {VK_DOWN, "Down", 2},
    {VK_F1, "F1", 4},         {VK_F4, "F4", 2},          {VK_F10, "F10", 1},      {VK_MENU, "Alt", 1},
    {'A', "A", 2},            {'C', "C", 1},             {'D', "D", 1},           {'H', "H", 1},
    {'M', "M", 1},            {'O', "O", 1},             {'X', "X", 1},           {'1', "1", 1},
    {VK_BACK, "Backspace", 1}, {VK_HOME, "Home", 1},     {VK_DELETE, "Delete", 1},
};

// Keys while a popup menu is open: mostly the ones a menu answers to.
const std::vector<KeyChoice> kMenuKeys = {
    {VK_UP, "Up", 4},    {VK_DOWN, "Down", 4},      {VK_RETURN, "Enter", 4}, {VK_ESCAPE, "Escape", 2},
    {'A', "A", 4},       {'M', "M", 2},             {'C', "C", 1},           {VK_SPACE, "Space", 1},
    {VK_F1, "F1", 1},    {VK_MENU, "Alt", 1},       {VK_TAB, "Tab", 1},      {VK_LEFT, "Left", 1},
};

std::string modifierText(unsigned modifiers) {
    std::string s;
    if (modifiers & display::ModCtrl) s += "Ctrl+";
    if (modifiers & display::ModAlt) s += "Alt+";
    if (modifiers & display::ModShift) s += "Shift+";
    return s;
}

std::string pointText(POINT p) {
    std::ostringstream out;
    out << "(" << p.x << "," << p.y << ")";
    return out.str();
}

const char* buttonText(MouseButton b) {
    switch (b) {
    case MouseButton::Left: return "left";
    case MouseButton::Right: return "right";
    case MouseButton::Middle: return "middle";
    }
    return "?";
}

// Points of the caption row of a top-level window, by what a click there
// hits (caption, its icon, its close box), found through WM_NCHITTEST.
std::vector<std::pair<LRESULT, POINT>> captionPoints(HWND hwnd) {
    std::vector<std::pair<LRESULT, POINT>> points;
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return points;
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    if (client.y <= r.top + 4) return points;
    int y = (r.top + client.y) / 2;
    for (int x = r.left; x < r.right; ++x) {
        LRESULT hit = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKEPOINTLPARAM(x, y));
        if (hit == HTCAPTION || hit == HTSYSMENU || hit == HTCLOSE) points.push_back({hit, POINT{x, y}});
    }
    return points;
}

bool recorderAlone(const SeenWindows& seen) {
    return seen.windows.size() == 1 && seen.windows.front().role == WindowRole::Recorder;
}

}  // namespace

int StormInput::uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
bool StormInput::chance(int oneIn) { return uniform(1, oneIn) == 1; }

POINT StormInput::anyScreenPoint() {
    RECT screen = screen_.monitors().front().bounds;
    return pointIn(screen);
}

POINT StormInput::pointIn(const RECT& r) {
    return {uniform(r.left, std::max(r.left, r.right - 1)), uniform(r.top, std::max(r.top, r.bottom - 1))};
}

POINT StormInput::pointAround(const RECT& r) {
    int gap = uniform(1, 12);
    switch (uniform(0, 3)) {
    case 0: return {r.left - gap, uniform(r.top, r.bottom)};
    case 1: return {r.right - 1 + gap, uniform(r.top, r.bottom)};
    case 2: return {uniform(r.left, r.right), r.top - gap};
    default: return {uniform(r.left, r.right), r.bottom - 1 + gap};
    }
}

MouseButton StormInput::anyButton() {
    int n = uniform(1, 10);
    return n <= 7 ? MouseButton::Left : n <= 9 ? MouseButton::Right : MouseButton::Middle;
}

const SeenWindow& StormInput::anyWindow(const SeenWindows& seen) {
    return seen.windows[static_cast<std::size_t>(uniform(0, static_cast<int>(seen.windows.size()) - 1))];
}

void StormInput::click(POINT at, MouseButton button) {
    screen_.click(at, button);
    events_ += 3;
}

void StormInput::key(unsigned vk, unsigned modifiers) {
    screen_.key(vk, modifiers);
    events_ += 2;
}

StormInput::Plan StormInput::planClick(const SeenWindows& seen) {
    POINT at;
    std::string where;
    int kind = uniform(0, 2);
    if (kind == 0 || seen.windows.empty()) {
        at = anyScreenPoint();
        where = "anywhere";
    } else {
        const SeenWindow& w = anyWindow(seen);
        at = kind == 1 ? pointIn(w.rect) : pointAround(w.rect);
        where = std::string(kind == 1 ? "in " : "beside ") + roleName(w.role);
    }
    MouseButton button = anyButton();
    HWND target = WindowFromPoint(at);
    bool onClose = target && GetDlgCtrlID(target) == IDOK;
    return {std::string(buttonText(button)) + " click " + where + " " + pointText(at), onClose,
            [this, at, button] { click(at, button); }};
}

StormInput::Plan StormInput::planControlClick(const SeenWindows& seen) {
    const SeenWindow& w = anyWindow(seen);
    std::vector<HWND> controls;
    for (HWND c = GetWindow(w.hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) controls.push_back(c);
    if (controls.empty()) return planClick(seen);
    HWND control = controls[static_cast<std::size_t>(uniform(0, static_cast<int>(controls.size()) - 1))];
    RECT r;
    GetWindowRect(control, &r);
    POINT at = chance(2) ? HeadlessProgram::centre(control) : pointIn(r);
    MouseButton button = chance(6) ? MouseButton::Right : MouseButton::Left;
    std::string what = std::string(buttonText(button)) + " click on control " + std::to_string(GetDlgCtrlID(control)) +
                       " \"" + HeadlessProgram::text(control) + "\" of " + roleName(w.role) + " " + pointText(at);
    return {what, GetDlgCtrlID(control) == IDOK, [this, at, button] { click(at, button); }};
}

StormInput::Plan StormInput::planCaptionClick(const SeenWindows& seen) {
    const SeenWindow& w = anyWindow(seen);
    auto points = captionPoints(w.hwnd);
    if (points.empty()) return planClick(seen);
    // Each part equally often, whatever its width.
    LRESULT part = std::vector<LRESULT>{HTCAPTION, HTSYSMENU, HTCLOSE}[static_cast<std::size_t>(uniform(0, 2))];
    std::vector<POINT> candidates;
    for (auto& [hit, p] : points)
        if (hit == part) candidates.push_back(p);
    if (candidates.empty()) return planClick(seen);
    POINT at = candidates[static_cast<std::size_t>(uniform(0, static_cast<int>(candidates.size()) - 1))];
    MouseButton button = chance(4) ? MouseButton::Right : MouseButton::Left;
    const char* partName = part == HTCAPTION ? "caption" : part == HTSYSMENU ? "caption icon" : "close box";
    return {std::string(buttonText(button)) + " click on the " + partName + " of " + roleName(w.role) + " " + pointText(at),
            part == HTCLOSE, [this, at, button] { click(at, button); }};
}

StormInput::Plan StormInput::planDrag(const SeenWindows& seen) {
    const SeenWindow& w = anyWindow(seen);
    auto points = captionPoints(w.hwnd);
    POINT from = !points.empty() && chance(2) ? points[static_cast<std::size_t>(uniform(0, static_cast<int>(points.size()) - 1))].second
                                              : pointIn(w.rect);
    POINT to = chance(2) ? POINT{from.x + uniform(-60, 60), from.y + uniform(-60, 60)} : anyScreenPoint();
    MouseButton button = chance(5) ? MouseButton::Right : MouseButton::Left;
    int moves = uniform(1, 3);
    return {std::string(buttonText(button)) + " drag from " + roleName(w.role) + " " + pointText(from) + " to " + pointText(to),
            true, [this, from, to, button, moves] {
                screen_.mouseMove(from);
                screen_.buttonDown(from, button);
                for (int i = 1; i <= moves; ++i)
                    screen_.mouseMove({from.x + (to.x - from.x) * i / moves, from.y + (to.y - from.y) * i / moves});
                screen_.buttonUp(to, button);
                events_ += 3 + static_cast<std::size_t>(moves);
            }};
}

StormInput::DrawnKey StormInput::drawKey(bool menuOpen) {
    const std::vector<KeyChoice>& keys = menuOpen ? kMenuKeys : kKeys;
    int total = 0;
    for (const KeyChoice& k : keys) total += k.weight;
    int pick = uniform(1, total);
    const KeyChoice* chosen = &keys.front();
    for (const KeyChoice& k : keys) {
        pick -= k.weight;
        if (pick <= 0) {
            chosen = &k;
            break;
        }
    }
    // Half the keys come alone, the others with one of the seven
    // combinations of Shift, Ctrl and Alt.
    unsigned modifiers = chance(2) ? 0u : static_cast<unsigned>(uniform(1, 7));
    if (!menuOpen && chosen->vk == VK_SPACE && chance(4)) modifiers = display::ModAlt;  // the system menu
    return {chosen->vk, modifiers, modifierText(modifiers) + chosen->name};
}

namespace {
bool mayEndProgram(unsigned vk) {
    return vk == VK_ESCAPE || vk == VK_RETURN || vk == VK_SPACE || vk == VK_F4 || vk == 'C';
}
}  // namespace

StormInput::Plan StormInput::planKey(bool menuOpen) {
    DrawnKey k = drawKey(menuOpen);
    return {"key " + k.name, mayEndProgram(k.vk), [this, k] { key(k.vk, k.modifiers); }};
}

StormInput::Plan StormInput::planMenuChoice(const SeenWindows& seen) {
    const SeenWindow* popup = seen.find(WindowRole::PopupMenu);
    if (!popup) return planKey(false);
    POINT at = pointIn(popup->rect);
    MouseButton button = chance(8) ? MouseButton::Right : MouseButton::Left;
    return {std::string(buttonText(button)) + " click in the popup menu " + pointText(at), true,
            [this, at, button] { click(at, button); }};
}

StormInput::Plan StormInput::planWindowManager(const SeenWindows& seen) {
    const SeenWindow& w = anyWindow(seen);
    display::SurfaceId surface = 0;
    if (windowing::Window* window = windowing::live(w.hwnd)) surface = window->surface;
    std::string whom = roleName(w.role);
    bool mayEnd = w.role == WindowRole::Recorder;
    // Now and then the event names a window that is gone: a window
    // manager's news can arrive after the program destroyed the window.
    for (const SeenWindow& now : seen.windows)
        if (windowing::Window* window = windowing::live(now.hwnd)) surfacesSeen_.insert(window->surface);
    std::vector<display::SurfaceId> gone;
    for (display::SurfaceId id : surfacesSeen_)
        if (!screen_.surface(id)) gone.push_back(id);
    if (!gone.empty() && chance(6)) {
        surface = gone[static_cast<std::size_t>(uniform(0, static_cast<int>(gone.size()) - 1))];
        whom = "a window that is gone";
        mayEnd = false;
    }
    auto event = [this](display::EventType type, display::SurfaceId id, POINT at = {}) {
        display::Event e;
        e.type = type;
        e.surface = id;
        e.point = at;
        screen_.push(e);
        ++events_;
    };
    switch (uniform(0, 4)) {
    case 0:
        return {"window manager closes " + whom, mayEnd, [this, surface] {
                    screen_.requestClose(surface);
                    ++events_;
                }};
    case 1:
        return {"another program takes the focus, then " + whom + " gets it back", false, [this, event, surface] {
                    event(display::EventType::FocusLost, screen_.focusedSurface());
                    event(display::EventType::FocusGained, surface);
                }};
    case 2: {
        bool minimized = screen_.isMinimized(surface);
        return {std::string("window manager ") + (minimized ? "restores " : "minimises ") + whom, false,
                [this, event, surface, minimized] {
                    if (!screen_.surface(surface)) {
                        event(minimized ? display::EventType::Restored : display::EventType::Minimized, surface);
                        return;
                    }
                    screen_.setMinimized(surface, !minimized);
                    ++events_;
                }};
    }
    case 3: {
        POINT to = anyScreenPoint();
        // The window manager moves the native window, then says so.
        return {"window manager moves " + whom + " to " + pointText(to), false, [this, event, surface, to] {
                    screen_.moveSurface(surface, to);
                    event(display::EventType::Moved, surface, to);
                }};
    }
    default:
        return {"window manager asks " + whom + " to be drawn again", false,
                [event, surface] { event(display::EventType::Exposed, surface); }};
    }
}

StormInput::Plan StormInput::planPress(const SeenWindows& seen) {
    const SeenWindow& w = anyWindow(seen);
    auto points = captionPoints(w.hwnd);
    POINT at;
    switch (uniform(0, 2)) {
    case 0: at = points.empty() ? pointIn(w.rect) : points[static_cast<std::size_t>(uniform(0, static_cast<int>(points.size()) - 1))].second; break;
    case 1: {
        HWND child = GetWindow(w.hwnd, GW_CHILD);
        for (int skip = uniform(0, 30); child && skip > 0; --skip)
            if (HWND next = GetWindow(child, GW_HWNDNEXT)) child = next;
        at = child ? HeadlessProgram::centre(child) : pointIn(w.rect);
        break;
    }
    default: at = pointIn(w.rect); break;
    }
    display::MouseButton button = chance(4) ? MouseButton::Right : MouseButton::Left;
    for (display::MouseButton held : heldButtons_)
        if (held == button) return planRelease();
    return {std::string(buttonText(button)) + " button pressed on " + roleName(w.role) + " " + pointText(at) + " and held",
            true, [this, at, button] {
                screen_.mouseMove(at);
                screen_.buttonDown(at, button);
                heldButtons_.push_back(button);
                events_ += 2;
            }};
}

StormInput::Plan StormInput::planRelease() {
    POINT at = anyScreenPoint();
    std::size_t index = static_cast<std::size_t>(uniform(0, static_cast<int>(heldButtons_.size()) - 1));
    display::MouseButton button = heldButtons_[index];
    return {std::string(buttonText(button)) + " button released at " + pointText(at), true, [this, at, button, index] {
                screen_.mouseMove(at);
                screen_.buttonUp(at, button);
                heldButtons_.erase(heldButtons_.begin() + static_cast<std::ptrdiff_t>(index));
                events_ += 2;
            }};
}

StormInput::Plan StormInput::planKeyDown() {
    DrawnKey k = drawKey(false);
    return {"key " + k.name + " pressed and held", mayEndProgram(k.vk), [this, k] {
                screen_.keyDown(k.vk, k.modifiers);
                heldKeys_.push_back(k);
                events_ += 1;
            }};
}

StormInput::Plan StormInput::planKeyUp() {
    std::size_t index = static_cast<std::size_t>(uniform(0, static_cast<int>(heldKeys_.size()) - 1));
    DrawnKey k = heldKeys_[index];
    return {"held key " + k.name + " released", k.vk == VK_SPACE, [this, index, k] {
                screen_.keyUp(k.vk, k.modifiers);
                heldKeys_.erase(heldKeys_.begin() + static_cast<std::ptrdiff_t>(index));
                events_ += 1;
            }};
}

StormInput::Plan StormInput::plan(const SeenWindows& seen) {
    if (seen.windows.empty()) return planKey(false);
    bool menuOpen = seen.find(WindowRole::PopupMenu) != nullptr;
    // Kinds of action and their weights; a menu choice only with a menu open.
    struct Kind {
        int weight;
        std::function<Plan()> make;
    };
    std::vector<Kind> kinds = {
        {menuOpen ? 4 : 8, [&] { return planClick(seen); }},
        {menuOpen ? 4 : 14, [&] { return planControlClick(seen); }},
        {menuOpen ? 2 : 8, [&] { return planCaptionClick(seen); }},
        {2, [&] { return planDrag(seen); }},
        {menuOpen ? 14 : 24, [&] { return planKey(menuOpen); }},
        {menuOpen ? 14 : 0, [&] { return planMenuChoice(seen); }},
        {1, [&] { return planWindowManager(seen); }},
        {2, [&] { return planPress(seen); }},
        {2, [&] { return planKeyDown(); }},
    };
    if (!heldButtons_.empty()) kinds.push_back({4, [&] { return planRelease(); }});
    if (!heldKeys_.empty()) kinds.push_back({4, [&] { return planKeyUp(); }});
    if (const SeenWindow* recorder = seen.find(WindowRole::Recorder); recorder && recorder->enabled && !menuOpen) {
        // Detection cycles on purpose, besides those the random input starts.
        kinds.push_back({5, [this, recorder] {
                             HWND button = GetDlgItem(recorder->hwnd, IDC_DETECT_HARDWARE);
                             POINT at = HeadlessProgram::centre(button);
                             return Plan{"click on Detect Hardware " + pointText(at), false,
                                         [this, at] { click(at, MouseButton::Left); }};
                         }});
    }
    int total = 0;
    for (const Kind& k : kinds) total += k.weight;
    int pick = uniform(1, total);
    for (const Kind& k : kinds) {
        pick -= k.weight;
        if (pick <= 0) return k.make();
    }
    return kinds.front().make();
}

std::string StormInput::next(const SeenWindows& seen) {
    Plan chosen = plan(seen);
    // Keep the recorder window alone on screen from ending the run too soon.
    for (int attempt = 0; attempt < 20 && chosen.mayEndProgram && recorderAlone(seen) && !chance(kEndingActionOneIn);
         ++attempt)
        chosen = plan(seen);
    chosen.queue();
    return chosen.what;
}

}  // namespace storm
