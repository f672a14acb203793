// icon_builder: turns icon artwork kept as text into a .ico file.
//
//   icon_builder <output.ico> <image.txt>...
//
// Each text file holds one square image (see PixelArt.h and Palette.h);
// the .ico holds them in the order given. Malformed art is refused with
// "file:line:column: reason" and exit status 1, and no output is written.

#include "tools/icon_builder/IcoWriter.h"
#include "tools/icon_builder/PixelArt.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = buffer.str();
    return !in.bad();
}

// Writes to a temporary file beside `path` and renames it, so a failed run
// never leaves a half-written icon that the build would take as up to date.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: icon_builder <output.ico> <image.txt>...\n";
        return 2;
    }
    const std::string output = argv[1];

    std::vector<icon_builder::PixelArt> images;
    std::set<int> sizes;
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        std::string text;
        if (!readFile(path, text)) {
            std::cerr << "icon_builder: " << path << ": cannot read the file\n";
            return 1;
        }
        auto parsed = icon_builder::parsePixelArt(path, text);
        if (auto* error = std::get_if<icon_builder::ArtError>(&parsed)) {
            std::cerr << "icon_builder: " << error->describe() << "\n";
            return 1;
        }
        auto& art = std::get<icon_builder::PixelArt>(parsed);
        if (!sizes.insert(art.size).second) {
            std::cerr << "icon_builder: " << path << ": a " << art.size << "x" << art.size
                      << " image was already given; an icon holds one image per size\n";
            return 1;
        }
        images.push_back(std::move(art));
    }

    if (!writeFile(output, icon_builder::encodeIconFile(images))) {
        std::cerr << "icon_builder: " << output << ": cannot write the file\n";
        return 1;
    }
    return 0;
}
