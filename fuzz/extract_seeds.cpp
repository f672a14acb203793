// extract_seeds <out-dir> <file.res>...: writes the seed corpora of the
// fuzz targets: each .res whole into resource_file/, and each resource a
// parser reads into that parser's folder (dialog_template/, dlg_init/,
// string_block/, icon_group/, icon_image/, version_info/).
#include "platform/resources/ResourceFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* folderFor(const resources::ResourceName& type)
{
    if (!type.isOrdinal())
        return nullptr;
    switch (type.ordinal) {
    case resources::kTypeDialog: return "dialog_template";
    case resources::kTypeDlgInit: return "dlg_init";
    case resources::kTypeString: return "string_block";
    case resources::kTypeGroupIcon: return "icon_group";
    case resources::kTypeIcon: return "icon_image";
    case resources::kTypeVersion: return "version_info";
    default: return nullptr;
    }
}

std::string nameText(const resources::ResourceName& name)
{
    return name.isOrdinal() ? std::to_string(name.ordinal) : name.name;
}

bool write(const fs::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::fprintf(stderr, "extract_seeds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: extract_seeds <out-dir> <file.res>...\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* folder : {"resource_file", "dialog_template", "dlg_init", "string_block", "icon_group",
                               "icon_image", "version_info"})
        fs::create_directories(out / folder);

    for (int i = 2; i < argc; ++i) {
        const fs::path input = argv[i];
        std::ifstream in(input, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto file = resources::ResourceFile::parse(bytes);
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "extract_seeds: cannot read %s\n", input.c_str());
            return 1;
        }
        if (!file) {
            std::fprintf(stderr, "extract_seeds: %s: %s\n", input.c_str(), file.error().c_str());
            return 1;
        }
        const std::string stem = input.stem().string();
        if (!write(out / "resource_file" / (stem + ".res"), bytes.data(), bytes.size()))
            return 1;
        for (const resources::ResourceEntry& entry : file->entries()) {
            const char* folder = folderFor(entry.type);
            if (!folder)
                continue;
            const std::string seed = stem + "_" + nameText(entry.name) + "_" + std::to_string(entry.language);
            if (!write(out / folder / seed, entry.data.data(), entry.data.size()))
                return 1;
        }
    }
    return 0;
}
