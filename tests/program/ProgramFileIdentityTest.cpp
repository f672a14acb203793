// The identity resources as the built program file carries them: the
// `quilvane` executable is read from disk, its ELF section
// and symbol tables lead to the embedded resource file, and the project's
// parsers read the version information, the icon group and its images, and
// the About entry's string from it.
#include "resources/resource.h"

#include "platform/framework/ApplicationRun.h"
#include "platform/resources/IconResource.h"
#include "platform/resources/ResourceFile.h"
#include "platform/resources/StringTable.h"
#include "platform/resources/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

template <class T>
std::optional<T> readAt(const Bytes& file, std::uint64_t offset) {
    if (offset > file.size() || file.size() - offset < sizeof(T)) return std::nullopt;
    T value;
    std::memcpy(&value, file.data() + offset, sizeof(T));  // ELF of this machine: little-endian
    return value;
}

struct Section {
    std::string name;
    std::uint32_t type = 0;
    std::uint64_t addr = 0, offset = 0, size = 0;
    std::uint32_t link = 0;
    std::uint64_t entsize = 0;
};

std::string cString(const Bytes& file, std::uint64_t at) {
    std::string s;
    while (at < file.size() && file[at]) s += static_cast<char>(file[at++]);
    return s;
}

// The section headers of a 64-bit little-endian ELF file; empty when it is
// not one or its headers do not fit in it.
std::vector<Section> sectionsOf(const Bytes& file) {
    std::vector<Section> sections;
    if (file.size() < 64 || std::memcmp(file.data(), "\x7F" "ELF", 4) != 0 || file[4] != 2 || file[5] != 1)
        return sections;
    auto shoff = readAt<std::uint64_t>(file, 0x28);
    auto shentsize = readAt<std::uint16_t>(file, 0x3A);
    auto shnum = readAt<std::uint16_t>(file, 0x3C);
    auto shstrndx = readAt<std::uint16_t>(file, 0x3E);
    if (!shoff || !shentsize || !shnum || !shstrndx || *shentsize < 64) return sections;
    std::vector<std::uint32_t> nameOffsets;
    for (std::uint16_t i = 0; i < *shnum; ++i) {
        std::uint64_t at = *shoff + std::uint64_t{i} * *shentsize;
        auto name = readAt<std::uint32_t>(file, at);
        auto type = readAt<std::uint32_t>(file, at + 4);
        auto addr = readAt<std::uint64_t>(file, at + 16);
        auto offset = readAt<std::uint64_t>(file, at + 24);
        auto size = readAt<std::uint64_t>(file, at + 32);
        auto link = readAt<std::uint32_t>(file, at + 40);
        auto entsize = readAt<std::uint64_t>(file, at + 56);
        if (!name || !type || !addr || !offset || !size || !link || !entsize) return {};
        sections.push_back({"", *type, *addr, *offset, *size, *link, *entsize});
        nameOffsets.push_back(*name);
    }
    if (*shstrndx >= sections.size()) return {};
    for (std::size_t i = 0; i < sections.size(); ++i)
        sections[i].name = cString(file, sections[*shstrndx].offset + nameOffsets[i]);
    return sections;
}

// The bytes between the symbols <symbol>_begin and <symbol>_end, found in
// the file's symbol table; empty when there is no symbol table.
Bytes bytesBetweenSymbols(const Bytes& file, const std::vector<Section>& sections, const std::string& symbol) {
    std::optional<std::uint64_t> begin, end;
    std::uint16_t beginSection = 0;
    for (const Section& symtab : sections) {
        if (symtab.type != 2 || symtab.entsize < 24 || symtab.link >= sections.size()) continue;  // SHT_SYMTAB
        const Section& strtab = sections[symtab.link];
        for (std::uint64_t at = symtab.offset; at + 24 <= symtab.offset + symtab.size; at += symtab.entsize) {
            auto nameAt = readAt<std::uint32_t>(file, at);
            auto shndx = readAt<std::uint16_t>(file, at + 6);
            auto value = readAt<std::uint64_t>(file, at + 8);
            if (!nameAt || !shndx || !value) break;
            std::string name = cString(file, strtab.offset + *nameAt);
            if (name == symbol + "_begin") {
                begin = *value;
                beginSection = *shndx;
            } else if (name == symbol + "_end") {
                end = *value;
            }
        }
    }
    if (!begin || !end || *end < *begin || beginSection >= sections.size()) return {};
    const Section& holder = sections[beginSection];
    std::uint64_t offset = holder.offset + (*begin - holder.addr);
    if (offset > file.size() || file.size() - offset < *end - *begin) return {};
    return Bytes(file.begin() + static_cast<std::ptrdiff_t>(offset),
                 file.begin() + static_cast<std::ptrdiff_t>(offset + (*end - *begin)));
}

// The resource file embedded in the program file, read from disk.
const Bytes& programFileResources() {
    static const Bytes res = [] {
        std::ifstream in(QV_PROGRAM_FILE, std::ios::binary);
        EXPECT_TRUE(in.good()) << "cannot read the program file " << QV_PROGRAM_FILE;
        Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<Section> sections = sectionsOf(file);
        EXPECT_FALSE(sections.empty()) << QV_PROGRAM_FILE << " is not a 64-bit ELF file";
        bool hasRsrc = false;
        for (const Section& s : sections) hasRsrc = hasRsrc || s.name == ".rsrc";
        EXPECT_TRUE(hasRsrc) << "the program file has no .rsrc section";
        Bytes bytes = bytesBetweenSymbols(file, sections, "program_resources");
        EXPECT_FALSE(bytes.empty()) << "the program file's symbols do not bound its resources";
        return bytes;
    }();
    return res;
}

const resources::ResourceFile& programFile() {
    static const resources::ResourceFile parsed = [] {
        auto result = resources::ResourceFile::parse(programFileResources());
        EXPECT_TRUE(result.ok()) << result.error();
        return result.ok() ? result.value() : resources::ResourceFile{};
    }();
    return parsed;
}

std::span<const std::uint8_t> resource(std::uint16_t type, std::uint16_t name) {
    for (const resources::ResourceEntry& e : programFile().entries())
        if (e.type == resources::ResourceName::id(type) && e.name == resources::ResourceName::id(name)) {
            EXPECT_EQ(e.language, resources::kLangEnglishUS) << "type " << type << " name " << name;
            return e.data;
        }
    ADD_FAILURE() << "the program file has no resource of type " << type << " and name " << name;
    return {};
}

TEST(ProgramFile, CarriesTheProgramsResourceFile) {
    ASSERT_FALSE(programFileResources().empty());
    // The very file the tests run with.
    std::span<const std::uint8_t> linked = ApplicationRun::embeddedProgramResources();
    EXPECT_TRUE(std::equal(linked.begin(), linked.end(), programFileResources().begin(), programFileResources().end()));
}

TEST(ProgramFile, VersionInformationHoldsEveryFieldOfPart13InOrder) {
    auto parsed = resources::parseVersionInfo(resource(resources::kTypeVersion, 1));
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const resources::VersionInfo& version = parsed.value();

    struct Field {
        const char* name;
        std::uint32_t got;
        std::uint32_t want;
    };
    const resources::FixedFileInfo& f = version.fixed;
    const std::vector<Field> fixed = {
        {"signature", f.signature, 0xFEEF04BD},
        {"file version 1.0", f.fileVersionMS, 0x00010000},
        {"file version .0.1", f.fileVersionLS, 0x00000001},
        {"product version 1.0", f.productVersionMS, 0x00010000},
        {"product version .0.1", f.productVersionLS, 0x00000001},
        {"flags mask", f.fileFlagsMask, 0x3F},
        {"flags", f.fileFlags, 0},
        {"operating system (32-bit Windows)", f.fileOS, 0x4},
        {"file type (application)", f.fileType, 1},
        {"subtype", f.fileSubtype, 0},
    };
    for (const Field& field : fixed) EXPECT_EQ(field.got, field.want) << field.name;

    EXPECT_EQ(version.blockOrder, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
    ASSERT_EQ(version.stringTables.size(), 1u);
    EXPECT_EQ(version.stringTables[0].key, "040904B0");
    const std::vector<std::pair<std::string, std::string>> strings = {
        {"CompanyName", ""},
        {"FileDescription", "quilvane MFC Application"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "quilvane"},
        {"LegalCopyright", "(the project's notice)"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "quilvane.EXE"},
        {"ProductName", "quilvane Application"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    const auto& values = version.stringTables[0].values;
    ASSERT_EQ(values.size(), strings.size());
    for (std::size_t i = 0; i < strings.size(); ++i) {
        SCOPED_TRACE("string " + std::to_string(i) + " " + strings[i].first);
        EXPECT_EQ(values[i].first, strings[i].first);
        if (strings[i].first == "LegalCopyright")
            EXPECT_EQ(values[i].second.rfind("Copyright ", 0), 0u) << values[i].second;
        else
            EXPECT_EQ(values[i].second, strings[i].second);
    }
    EXPECT_EQ(version.translations, (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0x0409, 0x04B0}}));
}

TEST(ProgramFile, IconGroupHoldsTheTwoSixteenColourImages) {
    auto group = resources::parseIconGroup(resource(resources::kTypeGroupIcon, IDR_APP_ICON));
    ASSERT_TRUE(group.ok()) << group.error();
    struct Image {
        std::uint16_t id;
        int size;
        std::uint32_t bytes;
    };
    const std::vector<Image> images = {{1, 32, 744}, {2, 16, 296}};
    ASSERT_EQ(group->size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& want = images[i];
        const resources::GroupIconEntry& entry = (*group)[i];
        SCOPED_TRACE("image " + std::to_string(want.id));
        EXPECT_EQ(entry.id, want.id);
        EXPECT_EQ(entry.width, want.size);
        EXPECT_EQ(entry.height, want.size);
        EXPECT_EQ(entry.colorCount, 16);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 4);
        EXPECT_EQ(entry.bytesInRes, want.bytes);
        std::span<const std::uint8_t> data = resource(resources::kTypeIcon, want.id);
        EXPECT_EQ(data.size(), want.bytes);
        auto decoded = resources::decodeIconImage(data);
        ASSERT_TRUE(decoded.ok()) << decoded.error();
        EXPECT_EQ(decoded->width, want.size);
        EXPECT_EQ(decoded->height, want.size);
        EXPECT_EQ(decoded->bitCount, 4);
        EXPECT_EQ(decoded->planes, 1);
        // With a transparency mask: some pixels are transparent, some not.
        int transparent = 0;
        for (std::uint32_t p : decoded->argb) transparent += (p >> 24) == 0;
        EXPECT_GT(transparent, 0);
        EXPECT_LT(transparent, want.size * want.size);
    }
}

TEST(ProgramFile, AboutEntryStringIsTheOneString) {
    EXPECT_EQ(resources::loadString(programFile(), IDS_ABOUT_ENTRY), "&About quilvane...");
}

}  // namespace
