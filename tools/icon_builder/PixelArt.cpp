#include "tools/icon_builder/PixelArt.h"

#include "tools/icon_builder/Palette.h"

#include <cctype>
#include <cstdio>

namespace icon_builder {

namespace {

constexpr int kMaxIconSize = 256;

struct Line {
    int number;
    std::string text;
};

// Splits `text` into lines, dropping a '\r' before each '\n' and the empty
// lines at the end.
std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    int number = 1;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back({number, std::move(line)});
        start = end + 1;
        ++number;
    }
    while (!lines.empty() && lines.back().text.empty()) lines.pop_back();
    return lines;
}

std::string quoteCharacter(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (std::isprint(byte)) return std::string("'") + c + "'";
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
    return buffer;
}

}  // namespace

std::string ArtError::describe() const {
    std::string where = file;
    if (line > 0) {
        where += ":" + std::to_string(line);
        if (column > 0) where += ":" + std::to_string(column);
    }
    return where + ": " + message;
}

std::variant<PixelArt, ArtError> parsePixelArt(const std::string& fileName, const std::string& text) {
    auto fail = [&](int line, int column, std::string message) {
        return ArtError{fileName, line, column, std::move(message)};
    };

    PixelArt art;
    int rows = 0;
    int lastLine = 0;
    for (const Line& line : splitLines(text)) {
        lastLine = line.number;
        if (!line.text.empty() && line.text.front() == '#') continue;

        const int length = static_cast<int>(line.text.size());
        if (rows == 0) {
            if (length == 0) return fail(line.number, 1, "empty row; the first row sets the width");
            if (length > kMaxIconSize) {
                return fail(line.number, kMaxIconSize + 1,
                            "row is " + std::to_string(length) + " pixels wide; icons are at most " +
                                std::to_string(kMaxIconSize));
            }
            art.size = length;
        } else if (rows == art.size) {
            return fail(line.number, 1,
                        "more rows than the " + std::to_string(art.size) + " the width allows (icons are square)");
        } else if (length != art.size) {
            return fail(line.number, (length < art.size ? length : art.size) + 1,
                        "row is " + std::to_string(length) + " pixels wide, expected " + std::to_string(art.size));
        }

        for (int column = 0; column < length; ++column) {
            const char symbol = line.text[static_cast<std::size_t>(column)];
            if (symbol == kTransparentSymbol) {
                art.pixels.push_back(PixelArt::kTransparent);
            } else if (auto index = paletteIndexOf(symbol)) {
                art.pixels.push_back(*index);
            } else {
                return fail(line.number, column + 1, "unknown colour character " + quoteCharacter(symbol));
            }
        }
        ++rows;
    }

    if (rows == 0) return fail(0, 0, "no pixel rows");
    if (rows != art.size) {
        return fail(lastLine + 1, 1,
                    "only " + std::to_string(rows) + " rows, expected " + std::to_string(art.size) +
                        " (icons are square)");
    }
    return art;
}

}  // namespace icon_builder
