// The classic 3-D colour scheme, looked up by COLOR_* index.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/graphics/DrawConstants.h"

namespace graphics {

// Colour of a COLOR_* index; black for an index outside the table.
COLORREF sysColor(int index);

}  // namespace graphics
