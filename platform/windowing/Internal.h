// Operations shared by the files of the windowing layer and not part of its
// public face.
#pragma once

#include "platform/display/Backend.h"
#include "platform/windowing/WindowSystem.h"

namespace windowing {

// --- Painting.cpp ---
// Marks `clientRect` (client coordinates; null for all) of the window, and
// of its descendants it covers, as needing WM_PAINT.
void invalidateClient(Window& w, const RECT* clientRect, bool erase);
// Marks a top-level window's frame (caption, border) as needing repainting.
void invalidateFrame(Window& w);
// Records that `bitmapRect` of a top-level window's pixels changed.
void markDirty(Window& topLevel, const RECT& bitmapRect);
// Shows every top-level window's changed pixels (and surfaces waiting to be
// shown); called whenever the thread is about to block.
void presentAll();
// The first window that waits for WM_PAINT, parents before children; null
// when none does.
HWND findWindowNeedingPaint();
// Paints the window's pending parts now (WM_NCPAINT, WM_PAINT), then its
// children's.
void updateNow(HWND hwnd);
// Makes a top-level window's bitmap and surface match its size.
void resizeBitmap(Window& w);

// --- DialogNavigation.cpp ---
// The mnemonic letter of a text, lower-cased ("&About" gives 'a'), or 0.
char mnemonicOf(const std::string& text);

// --- NonClient.cpp ---
LRESULT nonClientHitTest(Window& w, POINT screen);
void paintNonClient(HWND hwnd);
// Runs the close box's press: returns whether the button was released over it.
bool trackCloseButton(HWND hwnd);

// --- Focus.cpp ---
// Makes `hwnd` (a top-level window) the active window, sending the
// activation messages; raises it on screen when `raise`.
void activate(HWND hwnd, WORD how, bool raise);
// Clears references to a window that is being hidden or destroyed: focus,
// capture, activation (passed to the owner or the next window). A window
// hidden without passing the activation keeps all three.
void forgetWindow(HWND hwnd, bool destroying, bool passActivation = true);

// --- Input.cpp ---
// Turns a backend event into input messages (into ws().input) and state
// changes. Returns whether it produced a message.
bool translateEvent(const display::Event& event);
// The top-level window of a surface.
HWND windowOfSurface(display::SurfaceId surface);

// --- MessageApi.cpp ---
// Takes the next backend event: one a tracking loop passed on first, then
// the backend's. Returns false when none is pending (wait=false).
bool nextBackendEvent(display::Event& event, bool wait);

// --- DialogManager.cpp ---
bool isDialogWindow(const Window& w);
// Called whenever the focus changes: keeps each dialog's remembered focus
// control and the default push button's look.
void dialogFocusChanged(HWND oldFocus, HWND newFocus);
// Called when a window is enabled again: a control that was its dialog's
// focus before it was disabled gets the focus back if nothing has it.
void dialogControlEnabled(HWND hwnd);
// Called when a dialog is activated or deactivated.
void dialogActivated(HWND dialog, bool active);

// --- SystemMenu.cpp ---
// Opens the window's system menu at `screen` and carries out the chosen
// command with WM_SYSCOMMAND.
void openSystemMenu(HWND hwnd, POINT screen, bool fromKeyboard);
// Where the system menu opens when asked for by keyboard or the icon.
POINT systemMenuAnchor(const Window& w);

// --- MoveLoop.cpp ---
// Moves a top-level window with the mouse (the caption held down) or the
// keyboard (arrow keys, Enter keeps, Escape goes back).
void runMoveLoop(HWND hwnd, bool byMouse, POINT start);

// --- Icons.cpp ---
// The icons given to the backend for a top-level window (big and small).
void updateSurfaceIcons(Window& w);

}  // namespace windowing
