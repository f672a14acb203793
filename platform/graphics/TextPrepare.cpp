// Mnemonic prefixes and the text clean-up done before layout.
#include "platform/graphics/TextPrepare.h"

#include <glib.h>

namespace graphics {

PrefixedText parsePrefix(std::string_view text, UINT format) {
    PrefixedText result;
    if (format & DT_NOPREFIX) {
        result.shown.assign(text);
        return result;
    }
    result.shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result.shown.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size()) break;  // a lone '&' at the end shows nothing
        if (text[i + 1] == '&') {
            result.shown.push_back('&');
            ++i;
            continue;
        }
        // The first mnemonic is the one underlined; later ones are only removed.
        if (result.underlineIndex < 0 && !(format & DT_HIDEPREFIX))
            result.underlineIndex = static_cast<int>(result.shown.size());
    }
    return result;
}

namespace detail {

namespace {

// Windows-1252 code points for bytes 0x80-0x9F; the other bytes map to the
// same Latin-1 code point. Unassigned bytes show as U+FFFD.
constexpr gunichar kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void appendCodePoint(std::string& out, gunichar c) {
    char buffer[6];
    out.append(buffer, static_cast<std::size_t>(g_unichar_to_utf8(c, buffer)));
}

}  // namespace

PrefixedText prepareText(std::string_view text, UINT format) {
    const PrefixedText parsed = parsePrefix(text, format);
    const std::string& in = parsed.shown;
    const bool singleLine = (format & DT_SINGLELINE) != 0;

    PrefixedText out;
    out.shown.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        if (static_cast<int>(i) == parsed.underlineIndex) out.underlineIndex = static_cast<int>(out.shown.size());
        const unsigned char byte = static_cast<unsigned char>(in[i]);
        if (byte == 0) break;  // text ends at a NUL, as a C string does
        if (byte == '\r' || byte == '\n') {
            // One line end, whichever of CR, LF or CR LF marks it. A single
            // line keeps no line ends: they show as a space.
            if (byte == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
            out.shown.push_back(singleLine ? ' ' : '\n');
            ++i;
        } else if (byte == '\t') {
            out.shown.push_back((format & DT_EXPANDTABS) ? '\t' : ' ');
            ++i;
        } else if (byte < 0x80) {
            out.shown.push_back(static_cast<char>(byte));
            ++i;
        } else {
            const gunichar c = g_utf8_get_char_validated(in.data() + i, static_cast<gssize>(in.size() - i));
            if (c != static_cast<gunichar>(-1) && c != static_cast<gunichar>(-2)) {
                const std::size_t length = static_cast<std::size_t>(g_utf8_skip[byte]);
                out.shown.append(in, i, length);
                i += length;
            } else {
                // Not UTF-8: text from the classic platform's resources is
                // Windows-1252, so read the byte as such.
                appendCodePoint(out.shown, byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
                ++i;
            }
        }
    }
    return out;
}

}  // namespace detail
}  // namespace graphics
