// graphics::detail::prepareText - turns text as DrawText receives it into
// what pango lays out: prefix characters resolved, line ends and tabs
// handled as the format asks, and the bytes made valid UTF-8.
//
// Internal to the graphics library.
#pragma once

#include "platform/graphics/Canvas.h"

namespace graphics::detail {

// `shown` is valid UTF-8; `underlineIndex` is the byte index in it of the
// character to underline, or -1.
PrefixedText prepareText(std::string_view text, UINT format);

}  // namespace graphics::detail
