#include "tests/reliability/StormWindows.h"

#include "tests/support/HeadlessProgram.h"

#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <sstream>

namespace storm {

namespace {

constexpr const char* kAboutTitle = "About quilvane";
constexpr const char* kWarningTitle = "Warning";
constexpr const char* kHelpFailedText = "Failed to launch help.";
constexpr const char* kPopupMenuClass = "#32768";

bool hasChildWithText(HWND parent, const std::string& text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HeadlessProgram::text(child) == text) return true;
    return false;
}

WindowRole roleOf(HWND hwnd, const std::string& title) {
    if (HeadlessProgram::className(hwnd) == kPopupMenuClass) return WindowRole::PopupMenu;
    if (title == HeadlessProgram::kRecorderTitle) return WindowRole::Recorder;
    if (title == kAboutTitle) return WindowRole::About;
    if (title == kWarningTitle) return WindowRole::Warning;
    if (hasChildWithText(hwnd, kHelpFailedText)) return WindowRole::HelpFailed;
    return WindowRole::Unknown;
}

}  // namespace

const char* roleName(WindowRole role) {
    switch (role) {
    case WindowRole::Recorder: return "Recorder";
    case WindowRole::About: return "About";
    case WindowRole::Warning: return "Warning";
    case WindowRole::HelpFailed: return "HelpFailed";
    case WindowRole::PopupMenu: return "PopupMenu";
    case WindowRole::Unknown: return "Unknown";
    }
    return "?";
}

const SeenWindow* SeenWindows::find(WindowRole role) const {
    for (const SeenWindow& w : windows)
        if (w.role == role) return &w;
    return nullptr;
}

int SeenWindows::count(WindowRole role) const {
    return static_cast<int>(std::count_if(windows.begin(), windows.end(), [role](const SeenWindow& w) { return w.role == role; }));
}

std::vector<WindowRole> SeenWindows::roles() const {
    std::vector<WindowRole> result;
    for (const SeenWindow& w : windows) result.push_back(w.role);
    std::sort(result.begin(), result.end());
    return result;
}

std::string SeenWindows::describe() const {
    std::ostringstream out;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const SeenWindow& w = windows[i];
        if (i) out << ", ";
        out << roleName(w.role);
        if (w.role == WindowRole::Unknown) out << " \"" << w.title << "\"";
        if (!w.visible) out << "(hidden)";
        if (!w.enabled) out << "(disabled)";
    }
    return windows.empty() ? "no windows" : out.str();
}

SeenWindows lookAtWindows() {
    SeenWindows seen;
    windowing::WindowSystem* system = windowing::WindowSystem::current();
    if (!system) return seen;
    for (HWND hwnd : system->topLevelWindows()) {
        SeenWindow w;
        w.hwnd = hwnd;
        w.title = HeadlessProgram::text(hwnd);
        w.role = roleOf(hwnd, w.title);
        w.visible = IsWindowVisible(hwnd) != FALSE;
        w.enabled = IsWindowEnabled(hwnd) != FALSE;
        w.owner = GetWindow(hwnd, GW_OWNER);
        GetWindowRect(hwnd, &w.rect);
        seen.windows.push_back(w);
    }
    return seen;
}

std::string ControlState::describe() const {
    std::ostringstream out;
    out << "control " << id << " (" << className << ") text \"" << text << "\"" << (enabled ? " enabled" : " disabled")
        << (visible ? "" : " hidden") << " style 0x" << std::hex << style << std::dec;
    if (className == "Button") out << " check " << check;
    if (className == "ComboBox")
        out << " selection " << selection << " of " << itemCount << (droppedDown ? " dropped down" : "");
    return out.str();
}

std::vector<ControlState> controlsOf(HWND dialog) {
    std::vector<ControlState> result;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ControlState c;
        c.id = GetDlgCtrlID(child);
        c.className = HeadlessProgram::className(child);
        c.text = HeadlessProgram::text(child);
        c.enabled = IsWindowEnabled(child) != FALSE;
        c.visible = IsWindowVisible(child) != FALSE;
        c.style = HeadlessProgram::style(child);
        if (c.className == "Button") c.check = static_cast<long>(SendMessageA(child, BM_GETCHECK, 0, 0));
        if (c.className == "ComboBox") {
            c.selection = static_cast<long>(SendMessageA(child, CB_GETCURSEL, 0, 0));
            c.itemCount = static_cast<long>(SendMessageA(child, CB_GETCOUNT, 0, 0));
            c.droppedDown = static_cast<long>(SendMessageA(child, CB_GETDROPPEDSTATE, 0, 0));
        }
        result.push_back(c);
    }
    return result;
}

}  // namespace storm
