// Helpers shared by the headless tests of the recorder window (spine,
// hardware detection, identity resources): what a user can see of the
// controls, places in the window computed from its rectangle, pixels of the
// presented frames, a second run of CRecorderDlg::DoModal that tells its end
// code, the end of every top-level window, and resource files derived from
// the program's own.
#pragma once

#include "platform/display/headless/HeadlessBackend.h"
#include "platform/resources/IconResource.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/WindowSystem.h"
#include "tests/resources/ByteWriter.h"
#include "tests/support/HeadlessProgram.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace recorder_test {

// --- the controls as a user sees them ---

// One control: everything that a click or a key could change.
struct ControlView {
    int id = 0;
    std::string className;
    std::string text;
    DWORD style = 0;          // push buttons without their default-look bit
    bool enabled = false;
    bool visible = false;
    LRESULT check = -1;       // radio buttons: BM_GETCHECK
    LRESULT selection = -1;   // combo box: CB_GETCURSEL
    std::vector<std::string> items;  // combo box: its list
    RECT rect{};              // in the dialog's client area

    bool operator==(const ControlView& other) const;
};
std::ostream& operator<<(std::ostream& out, const ControlView& view);

// Every control of `dialog` in template order.
std::vector<ControlView> viewOf(HWND dialog);
std::vector<HWND> childrenOf(HWND window);

// Whether `button` wears the default push button's look (BS_DEFPUSHBUTTON).
bool looksDefault(HWND button);

// --- places and pixels ---

// `hwnd`'s rectangle in the pixels of its top-level window's surface.
RECT rectInSurface(HWND hwnd);
// The screen point at (x, y) of the window rectangle of `top`.
POINT atWindow(HWND top, int x, int y);
// The caption's close box and icon, found from the window rectangle: the
// caption bar lies inside the 3-pixel frame and is 18 pixels tall; the close
// box is 16x14 at 2 pixels from the bar's right end and top; the icon is
// 16x16 at (2, 1) of the bar. Centres in screen coordinates.
POINT closeBoxCentre(HWND top);
POINT captionIconCentre(HWND top);
RECT captionIconInWindow(HWND top);  // the icon's place in window coordinates

// The pixels of `area` (surface coordinates) of the last frame presented.
std::vector<std::uint32_t> presentedPixels(const display::HeadlessBackend& screen, display::SurfaceId surface,
                                           const RECT& area);
// 0x00RRGGBB of a system colour.
std::uint32_t sysPixel(int colorIndex);

// The open popup menu (class "#32768"), or null.
HWND openMenu();
// The screen centre of the item of the open menu `popup` of `menu` whose
// text starts with `textStart`; {-1, -1} when there is none.
POINT menuItemCentre(HWND popup, HMENU menu, const std::string& textStart);

// --- the program's dialog, run once more ---

// Runs the program's recorder window class once, as the application object
// does (a local CRecorderDlg, DoModal), and returns what DoModal returned.
// Called from ApplicationRun::onStart, it runs on the session's window
// system and the test's script before the application object's own run.
int runRecorderDialog();

// Records the end of every top-level window of a session (installed from
// ApplicationRun::onStart): which windows were destroyed, and how many
// top-level windows were left when the last one went.
class WindowEnds {
public:
    void install(windowing::WindowSystem& system);
    const std::vector<HWND>& destroyed() const { return destroyed_; }
    // Top-level windows still alive right after the last destruction; -1
    // when none was destroyed.
    int leftAfterLast() const { return leftAfterLast_; }

private:
    std::vector<HWND> destroyed_;
    int leftAfterLast_ = -1;
};

// --- resources ---

// The program's own resources (the embedded .res) as entries to rebuild a
// resource file from, and that file built again.
std::vector<resources_test::ResEntry> programEntries();
std::vector<std::uint8_t> buildRes(const std::vector<resources_test::ResEntry>& entries);
// The data of a program resource, by type and name.
std::vector<std::uint8_t> programResource(std::uint16_t type, std::uint16_t name);
// A file's bytes; the test fails when it cannot be read.
std::vector<std::uint8_t> readFile(const std::string& path);
// One image of the program's icon, decoded.
resources::IconBitmap appIconImage(int size);

// Composes an icon image over a background colour as DrawIcon does: opaque
// pixels as they are, transparent ones show the background.
std::uint32_t iconOver(const resources::IconBitmap& icon, int x, int y, std::uint32_t background);

}  // namespace recorder_test
