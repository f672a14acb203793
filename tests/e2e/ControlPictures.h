// How a control looks on its own, painted by the classic look into a
// picture of the control's size: what the screen must show where the
// control lies.
#pragma once

#include "tests/e2e/Picture.h"

#include <string>

namespace e2e {

// The default push button of a message box holding the focus: its black
// frame, raised edges, the text in the message font and the focus
// rectangle. The button lies at (x, y) of its window: the dotted focus
// rectangle's dots keep to the window's pixel grid.
Picture focusedDefaultButton(const std::string& text, int x, int y, int width, int height);

}  // namespace e2e
