// windowing::DialogData - what the dialog manager keeps for each dialog
// window (class "#32770").
#pragma once

#include "platform/windowing/WindowSystem.h"

namespace windowing {

struct DialogData : WindowExtra {
    DLGPROC dialogProc = nullptr;
    LPARAM messageResult = 0;   // DWLP_MSGRESULT
    LPARAM user = 0;            // DWLP_USER
    HWND focusSave = nullptr;   // the control that had the focus last
    int defaultId = IDOK;       // DM_GETDEFID
    HFONT font = nullptr;       // the dialog font, owned by the dialog
    SIZE baseUnits{};           // dialog base units of the font
    bool modalEnded = false;    // EndDialog was called (DialogBoxIndirectParamA)
    LPARAM modalResult = 0;
};

// The dialog data of a window, or null when it is not a dialog.
DialogData* dialogData(HWND hwnd);

// The dialog class's name and window procedure.
constexpr const char* kDialogClassName = "#32770";
void registerDialogClass(WindowSystem& system);

// Runs a modal loop over `dialog` until EndDialog: the owner is disabled
// meanwhile and enabled and activated again afterwards; the dialog is
// destroyed. Returns the EndDialog result (-1 if the dialog vanished).
LPARAM runDialogModal(HWND dialog, HWND owner);

// Converts dialog units to pixels with the given base units, rounding.
int dialogUnitsToPixelsX(int units, SIZE baseUnits);
int dialogUnitsToPixelsY(int units, SIZE baseUnits);

}  // namespace windowing
