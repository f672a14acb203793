// What the input storm sees of the running program at each step: its
// top-level windows sorted into the roles the program can show, and the
// state of every control of the recorder window.
//
//   WindowRole, SeenWindow, SeenWindows - the top-level windows by role
//   ControlState                        - one control of the recorder window
#pragma once

#include "platform/windowing/Api.h"

#include <string>
#include <vector>

namespace storm {

enum class WindowRole {
    Recorder,    // the main window
    About,       // the About box
    Warning,     // the detection warning
    HelpFailed,  // "Failed to launch help."
    PopupMenu,   // an open popup menu (the system menu of one of the others)
    Unknown,     // anything else: always a fault
};

const char* roleName(WindowRole role);

struct SeenWindow {
    HWND hwnd = nullptr;
    WindowRole role = WindowRole::Unknown;
    std::string title;
    bool visible = false;
    bool enabled = false;
    HWND owner = nullptr;
    RECT rect{};  // screen rectangle
};

struct SeenWindows {
    std::vector<SeenWindow> windows;  // stacking order, top first

    const SeenWindow* find(WindowRole role) const;
    int count(WindowRole role) const;
    std::vector<WindowRole> roles() const;  // sorted
    std::string describe() const;           // "Recorder(disabled), Warning"
};

// Every top-level window of the installed window system, shown or not.
SeenWindows lookAtWindows();

// One control of a dialog as a user could tell it apart.
struct ControlState {
    int id = 0;
    std::string className;
    std::string text;
    bool enabled = false;
    bool visible = false;
    DWORD style = 0;
    long check = 0;         // BM_GETCHECK, buttons only
    long selection = 0;     // CB_GETCURSEL, combo boxes only
    long itemCount = 0;     // CB_GETCOUNT, combo boxes only
    long droppedDown = 0;   // CB_GETDROPPEDSTATE, combo boxes only

    bool operator==(const ControlState&) const = default;
    std::string describe() const;
};

// Every control of `dialog`, in template order.
std::vector<ControlState> controlsOf(HWND dialog);

}  // namespace storm
