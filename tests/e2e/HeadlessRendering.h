// What the program shows in a named state when it runs on the headless
// backend: render_headless is run for the state, on a screen of the same
// size and work area as the test's Xvfb, and its picture and the window's
// place are read back.
#pragma once

#include "tests/e2e/Picture.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"

#include <map>
#include <optional>
#include <string>

namespace e2e {

struct ScreenLayout {
    int width = 1024;
    int height = 768;
    WorkArea workArea{0, 0, 1024, 738};
};

struct HeadlessRendering {
    Picture picture;                              // the window as it presented itself
    WindowGeometry window;                        // its place on the screen
    std::multimap<int, WindowGeometry> controls;  // control identifier -> place in the window
};

// States: initial, tab, detecting, warning, after-detect, about, help,
// about-help (render_headless.cpp says what each one is). Nullopt with
// a message when the rendering failed.
std::optional<HeadlessRendering> renderHeadless(const std::string& state, const ScreenLayout& layout,
                                                std::string* error);

}  // namespace e2e
