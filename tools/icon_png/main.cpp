// icon_png: writes one size of the program's icon (IDR_APP_ICON in the
// compiled resource file) as a PNG for the desktop's icon theme.
//
//   icon_png <program.res> <size> <output.png>
//
// The size must be one the icon group holds; the image is not scaled. Any
// failure is reported on stderr with exit status 1, and no output is written.

#include "resources/resource.h"
#include "tools/icon_png/IconPng.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool parseSize(const std::string& text, int& size) {
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, size);
    return ec == std::errc() && at == end && size > 0 && size <= 256;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: icon_png <program.res> <size> <output.png>\n";
        return 2;
    }
    const std::string resPath = argv[1];
    const std::string output = argv[3];
    int size = 0;
    if (!parseSize(argv[2], size)) {
        std::cerr << "icon_png: \"" << argv[2] << "\" is not an icon size (1 to 256)\n";
        return 2;
    }

    std::vector<std::uint8_t> bytes;
    if (!readFile(resPath, bytes)) {
        std::cerr << "icon_png: " << resPath << ": cannot read the file\n";
        return 1;
    }
    auto file = resources::ResourceFile::parse(bytes);
    if (!file) {
        std::cerr << "icon_png: " << resPath << ": " << file.error() << "\n";
        return 1;
    }
    auto image = icon_png::iconImageOfSize(*file, IDR_APP_ICON, size);
    if (!image) {
        std::cerr << "icon_png: " << resPath << ": " << image.error() << "\n";
        return 1;
    }
    std::string error;
    if (!icon_png::writeIconPng(*image, output, &error)) {
        std::cerr << "icon_png: " << error << "\n";
        return 1;
    }
    return 0;
}
