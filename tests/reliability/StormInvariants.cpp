#include "tests/reliability/StormInvariants.h"

#include "resources/resource.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/framework/CWnd.h"
#include "platform/framework/FrameworkState.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <sstream>

namespace storm {

using R = WindowRole;

// Sorted by role, as SeenWindows::roles() gives them.
const std::vector<std::vector<WindowRole>> kAllowedWindowSets = {
    {R::Recorder},
    {R::Recorder, R::PopupMenu},                               // the recorder's system menu
    {R::Recorder, R::HelpFailed},                              // F1 in the recorder
    {R::Recorder, R::HelpFailed, R::PopupMenu},                // and that box's system menu
    {R::Recorder, R::About},
    {R::Recorder, R::About, R::PopupMenu},                     // the About box's system menu
    {R::Recorder, R::About, R::HelpFailed},                    // F1 in the About box
    {R::Recorder, R::About, R::HelpFailed, R::PopupMenu},
    {R::Recorder, R::Warning},
    {R::Recorder, R::Warning, R::PopupMenu},                   // the Warning box's system menu
    {R::Recorder, R::Warning, R::HelpFailed},                  // F1 in the Warning box
    {R::Recorder, R::Warning, R::HelpFailed, R::PopupMenu},
};

namespace {

std::string hex(const void* handle) {
    std::ostringstream out;
    out << handle;
    return out.str();
}

std::string join(const std::vector<WindowRole>& roles) {
    std::string s;
    for (WindowRole r : roles) s += std::string(s.empty() ? "" : "+") + roleName(r);
    return s;
}

// The windows of the modal chain, bottom first: the recorder, the About or
// Warning box over it, the help failure box over those.
std::vector<const SeenWindow*> modalChain(const SeenWindows& seen) {
    std::vector<const SeenWindow*> chain;
    for (WindowRole role : {R::Recorder, R::About, R::Warning, R::HelpFailed})
        if (const SeenWindow* w = seen.find(role)) chain.push_back(w);
    return chain;
}

bool isInside(HWND hwnd, HWND top) { return hwnd && (hwnd == top || IsChild(top, hwnd)); }

}  // namespace

void StormChecker::startRun() { warningsThisRun_.clear(); }

void StormChecker::windowDestroyed(HWND hwnd) {
    windowing::Window* w = windowing::live(hwnd);
    if (w && !w->isChild() && w->text == "Warning") warningsThisRun_.insert(hwnd);
}

std::vector<std::string> StormChecker::check(const SeenWindows& seen, const display::HeadlessBackend& screen) {
    std::vector<std::string> faults;
    checkWindowSet(seen, faults);
    checkModalChain(seen, faults);
    checkRecorderControls(seen, faults);
    checkDetection(seen, screen, faults);
    checkHandles(faults);
    return faults;
}

void StormChecker::checkWindowSet(const SeenWindows& seen, std::vector<std::string>& faults) const {
    std::vector<WindowRole> roles = seen.roles();
    if (std::find(kAllowedWindowSets.begin(), kAllowedWindowSets.end(), roles) == kAllowedWindowSets.end())
        faults.push_back("these windows cannot exist together: " + join(roles) + " (" + seen.describe() + ")");
    for (const SeenWindow& w : seen.windows)
        if (!w.visible) faults.push_back(std::string("the ") + roleName(w.role) + " window exists but is hidden");
}

void StormChecker::checkModalChain(const SeenWindows& seen, std::vector<std::string>& faults) const {
    std::vector<const SeenWindow*> chain = modalChain(seen);
    if (chain.empty() || chain.front()->role != R::Recorder) return;  // reported by the window set
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const SeenWindow& w = *chain[i];
        bool top = i + 1 == chain.size();
        if (i > 0 && w.owner != chain[i - 1]->hwnd)
            faults.push_back(std::string("the ") + roleName(w.role) + " box is not owned by the " +
                             roleName(chain[i - 1]->role) + " window");
        if (top && !w.enabled)
            faults.push_back(std::string("the ") + roleName(w.role) + " window is disabled with no box over it");
        if (!top && w.enabled)
            faults.push_back(std::string("the ") + roleName(w.role) + " window is enabled while the " +
                             roleName(chain[i + 1]->role) + " box is up over it");
    }
    const SeenWindow& top = *chain.back();
    if (const SeenWindow* popup = seen.find(R::PopupMenu); popup && popup->owner != top.hwnd)
        faults.push_back(std::string("the popup menu does not belong to the ") + roleName(top.role) + " window");
    // Names the top-level window holding `hwnd`, for the messages.
    auto whose = [&seen](HWND hwnd) -> std::string {
        if (!hwnd) return "nothing";
        HWND top = GetAncestorTopLevel(hwnd);
        for (const SeenWindow& w : seen.windows)
            if (w.hwnd == top) return std::string(hwnd == top ? "" : "a control of ") + "the " + roleName(w.role) + " window";
        return "an unknown window";
    };
    if (GetActiveWindow() != top.hwnd)
        faults.push_back("the active window is " + whose(GetActiveWindow()) + ", not the " + roleName(top.role) +
                         " window at the top");
    if (!isInside(GetFocus(), top.hwnd))
        faults.push_back("the keyboard focus is on " + whose(GetFocus()) + ", not in the " + roleName(top.role) +
                         " window at the top");
}

void StormChecker::checkRecorderControls(const SeenWindows& seen, std::vector<std::string>& faults) {
    const SeenWindow* recorder = seen.find(R::Recorder);
    if (!recorder) return;
    std::vector<ControlState> now = controlsOf(recorder->hwnd);
    // Close and Detect Hardware are the two controls in use: the default
    // button's look moves between them with the focus (a style bit), and
    // Detect Hardware changes during detection (checked on its own).
    auto comparable = [](std::vector<ControlState> controls) {
        for (ControlState& c : controls) {
            if (c.id == IDOK || c.id == IDC_DETECT_HARDWARE) c.style &= ~0xFu;
            if (c.id == IDC_DETECT_HARDWARE) {
                c.style &= ~WS_DISABLED;
                c.text.clear();
                c.enabled = false;
            }
        }
        return controls;
    };
    if (!recorderAtStart_) {
        recorderAtStart_ = now;
        return;
    }
    std::vector<ControlState> expected = comparable(*recorderAtStart_);
    std::vector<ControlState> actual = comparable(now);
    if (expected.size() != actual.size()) {
        faults.push_back("the recorder window has " + std::to_string(actual.size()) + " controls instead of " +
                         std::to_string(expected.size()));
        return;
    }
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (!(expected[i] == actual[i]))
            faults.push_back("a recorder control changed: " + now[i].describe() + ", was " +
                             (*recorderAtStart_)[i].describe());
}

void StormChecker::checkDetection(const SeenWindows& seen, const display::HeadlessBackend& screen,
                                  std::vector<std::string>& faults) {
    const SeenWindow* warning = seen.find(R::Warning);
    if (warning) warningsThisRun_.insert(warning->hwnd);
    const std::vector<std::uint32_t>& sleeps = screen.sleeps();
    if (sleeps.size() != warningsThisRun_.size())
        faults.push_back(std::to_string(sleeps.size()) + " waits for " + std::to_string(warningsThisRun_.size()) +
                         " Warning boxes");
    if (std::any_of(sleeps.begin(), sleeps.end(), [](std::uint32_t ms) { return ms != 2500; }))
        faults.push_back("a wait that is not 2500 ms");

    const SeenWindow* recorder = seen.find(R::Recorder);
    if (!recorder) return;
    HWND button = GetDlgItem(recorder->hwnd, IDC_DETECT_HARDWARE);
    std::string text = HeadlessProgram::text(button);
    bool enabled = IsWindowEnabled(button) != FALSE;
    if (!warning && (text != "Detect Hardware" || !enabled))
        faults.push_back("with no Warning box up, Detect Hardware reads \"" + text + "\" and is " +
                         (enabled ? "enabled" : "disabled"));
    if (warning && (text != "Detecting..." || enabled))
        faults.push_back("while the Warning box is up, Detect Hardware reads \"" + text + "\" and is " +
                         (enabled ? "enabled" : "disabled"));
}

void StormChecker::checkHandles(std::vector<std::string>& faults) const {
    windowing::WindowSystem& system = windowing::ws();
    for (auto [name, hwnd] : {std::pair{"focus", system.focus}, {"active window", system.active}})
        if (hwnd && !windowing::live(hwnd)) faults.push_back(std::string("the ") + name + " is a dead window " + hex(hwnd));
    if (system.capture && !windowing::live(system.capture))
        faults.push_back("the mouse capture is held by a dead window " + hex(system.capture));
    bool buttonHeld = (system.keyState[VK_LBUTTON] | system.keyState[VK_RBUTTON] | system.keyState[VK_MBUTTON]) & 0x80;
    if (system.capture && !buttonHeld)
        faults.push_back("the mouse capture is still held by " + hex(system.capture) + " with no mouse button down");
    if (system.dcs.size() != 0)
        faults.push_back(std::to_string(system.dcs.size()) + " device contexts are still open between inputs");
    for (HWND top : system.topLevelWindows()) {
        windowing::Window* w = windowing::live(top);
        if (!w) {
            faults.push_back("a dead window " + hex(top) + " is in the stacking order");
            continue;
        }
        for (HWND child : w->children)
            if (!windowing::live(child)) faults.push_back("a dead child window " + hex(child) + " is in " + hex(top));
        if (w->owner && !windowing::live(w->owner)) faults.push_back("a window is owned by a dead window " + hex(w->owner));
    }
    for (const auto& [hwnd, object] : afxState().permanentWindows)
        if (!windowing::live(hwnd) || object->m_hWnd != hwnd)
            faults.push_back("the class library keeps an object for the dead window " + hex(hwnd));
}

}  // namespace storm
