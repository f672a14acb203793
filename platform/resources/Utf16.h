// resources::utf16ToUtf8 - the text of resource data (UTF-16) as the UTF-8
// the rest of the program uses.
#pragma once

#include <span>
#include <string>

namespace resources {

// Converts UTF-16 code units to UTF-8. An unpaired surrogate cannot be
// represented and becomes U+FFFD, so any input gives valid UTF-8.
std::string utf16ToUtf8(std::span<const char16_t> units);

// Appends one code point (at most U+10FFFF, no surrogates) as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace resources
