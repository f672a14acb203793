#include "tests/install/InstalledFiles.h"

#include "platform/resources/ResourceFile.h"
#include "resources/resource.h"
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"
#include "tests/install/Command.h"

#include <X11/keysym.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace install_test {

const std::vector<std::string> kInstalledFiles = {
    "bin/quilvane",
    "share/applications/quilvane.desktop",
    "share/icons/hicolor/16x16/apps/quilvane.png",
    "share/icons/hicolor/32x32/apps/quilvane.png",
};

const std::vector<int> kIconSizes = {16, 32};

namespace {

constexpr e2e::Millis kWindowAppears{15000};
constexpr e2e::Millis kProgramEnds{10000};
constexpr const char* kWindowTitle = "QUILVANE v2.03";

std::string sizeName(int size) { return std::to_string(size) + "x" + std::to_string(size); }

std::vector<std::uint8_t> readBytes(const fs::path& path, bool* ok) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    *ok = in.good() || in.eof();
    return bytes;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Items of a desktop-entry list value ("A;B;C;").
std::vector<std::string> listItems(const std::string& value) {
    std::vector<std::string> items;
    std::istringstream in(value);
    for (std::string item; std::getline(in, item, ';');) {
        if (!item.empty()) items.push_back(item);
    }
    return items;
}

std::uint32_t unpremultiplied(std::uint32_t pixel) {
    const std::uint32_t a = pixel >> 24;
    if (a == 0) return 0;
    if (a == 255) return pixel;
    const auto scale = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (scale((pixel >> 16) & 0xFF) << 16) | (scale((pixel >> 8) & 0xFF) << 8) | scale(pixel & 0xFF);
}

}  // namespace

std::vector<std::string> filesUnder(const fs::path& root) {
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_directory(ec) || it->is_symlink(ec)) files.push_back(fs::relative(it->path(), root).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::map<std::string, std::string>> readDesktopEntry(const fs::path& path, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = "cannot read " + path.string();
        return std::nullopt;
    }
    std::map<std::string, std::string> keys;
    bool inGroup = false;
    bool sawGroup = false;
    for (std::string line; std::getline(in, line);) {
        line = trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            sawGroup = sawGroup || inGroup;
            continue;
        }
        const auto equals = line.find('=');
        if (inGroup && equals != std::string::npos) keys[trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
    }
    if (!sawGroup) {
        *error = path.string() + " has no [Desktop Entry] group";
        return std::nullopt;
    }
    return keys;
}

std::optional<PngPicture> readPng(const fs::path& path, std::string* error) {
    bool ok = false;
    const std::vector<std::uint8_t> bytes = readBytes(path, &ok);
    // Signature (8), IHDR length (4) and type (4), width, height, bit depth,
    // colour type.
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!ok || bytes.size() < 26 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()) ||
        !std::equal(bytes.begin() + 12, bytes.begin() + 16, "IHDR")) {
        *error = path.string() + " is not a PNG file";
        return std::nullopt;
    }
    PngPicture picture;
    picture.hasAlphaChannel = bytes[25] == 6;

    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        *error = path.string() + ": " + cairo_status_to_string(cairo_surface_status(surface));
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    cairo_surface_flush(surface);
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    const bool withAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x)
            picture.argb.push_back(withAlpha ? unpremultiplied(row[x]) : (row[x] | 0xFF000000u));
    }
    cairo_surface_destroy(surface);
    return picture;
}

std::optional<resources::IconBitmap> programIconImage(int size, std::string* error) {
    using resources::ResourceName;
    bool ok = false;
    const std::vector<std::uint8_t> bytes = readBytes(QV_PROGRAM_RES, &ok);
    if (!ok) {
        *error = "cannot read " QV_PROGRAM_RES;
        return std::nullopt;
    }
    auto file = resources::ResourceFile::parse(bytes);
    if (!file) {
        *error = file.error();
        return std::nullopt;
    }
    const auto* groupEntry =
        file->find(ResourceName::id(resources::kTypeGroupIcon), ResourceName::id(IDR_APP_ICON));
    if (!groupEntry) {
        *error = "the program has no icon group IDR_APP_ICON";
        return std::nullopt;
    }
    auto group = resources::parseIconGroup(groupEntry->data);
    if (!group) {
        *error = group.error();
        return std::nullopt;
    }
    const auto entry = std::find_if(group->begin(), group->end(),
                                     [size](const auto& e) { return e.width == size && e.height == size; });
    if (entry == group->end()) {
        *error = "the program's icon has no " + sizeName(size) + " image";
        return std::nullopt;
    }
    const auto* imageEntry = file->find(ResourceName::id(resources::kTypeIcon), ResourceName::id(entry->id));
    if (!imageEntry) {
        *error = "the program's icon image " + std::to_string(entry->id) + " is missing";
        return std::nullopt;
    }
    auto image = resources::decodeIconImage(imageEntry->data);
    if (!image) {
        *error = image.error();
        return std::nullopt;
    }
    return *image;
}

void expectProgramFile(const fs::path& prefix) {
    const fs::path program = prefix / "bin/quilvane";
    struct stat info {};
    ASSERT_EQ(::stat(program.c_str(), &info), 0) << program << " is missing";
    EXPECT_TRUE(S_ISREG(info.st_mode)) << program << " is not a regular file";
    // Everyone may run it; only the owner may change it.
    EXPECT_EQ(info.st_mode & 0777, 0755u) << program << " has mode 0" << std::oct << (info.st_mode & 0777);

    const CommandResult type = runCommand({"file", "--brief", program.string()});
    ASSERT_TRUE(type.succeeded) << type.report;
    EXPECT_EQ(type.standardOutput.rfind("ELF ", 0), 0u) << type.standardOutput;
    EXPECT_NE(type.standardOutput.find("executable"), std::string::npos) << type.standardOutput;
}

void expectMenuEntry(const fs::path& prefix) {
    const fs::path path = prefix / "share/applications/quilvane.desktop";
    std::string error;
    const auto entry = readDesktopEntry(path, &error);
    ASSERT_TRUE(entry) << error;

    // Exec names the installed program and Icon the theme icon's file name:
    // that is how the menu finds both.
    const struct {
        const char* key;
        const char* value;
    } exact[] = {
        {"Type", "Application"}, {"Name", "quilvane"}, {"Exec", "quilvane"},
        {"Icon", "quilvane"},    {"Terminal", "false"},
    };
    for (const auto& row : exact) {
        const auto found = entry->find(row.key);
        ASSERT_NE(found, entry->end()) << path << " has no " << row.key;
        EXPECT_EQ(found->second, row.value) << row.key;
    }
    ASSERT_TRUE(entry->count("Comment")) << path << " has no Comment";
    EXPECT_NE(entry->at("Comment").find("multi-channel data-acquisition recorder"), std::string::npos)
        << "Comment=" << entry->at("Comment");
    ASSERT_TRUE(entry->count("Categories")) << path << " has no Categories";
    const std::vector<std::string> categories = listItems(entry->at("Categories"));
    EXPECT_TRUE(std::find(categories.begin(), categories.end(), "Science") != categories.end())
        << "no main category Science in Categories=" << entry->at("Categories");

    // The validator prints errors, warnings and hints alike; an entry that
    // is right draws none of them.
    const CommandResult validation = runCommand({"desktop-file-validate", path.string()});
    EXPECT_TRUE(validation.succeeded) << validation.report;
    EXPECT_EQ(validation.standardOutput, "") << validation.report;
}

void expectThemeIcons(const fs::path& prefix) {
    for (const int size : kIconSizes) {
        SCOPED_TRACE("icon " + sizeName(size));
        std::string error;
        const auto expected = programIconImage(size, &error);
        ASSERT_TRUE(expected) << error;
        // The artwork has a transparent outline around an opaque picture; a
        // PNG that lost its alpha would show a black square behind it.
        const auto transparent = std::count_if(expected->argb.begin(), expected->argb.end(),
                                               [](std::uint32_t p) { return (p >> 24) == 0; });
        ASSERT_GT(transparent, 0);
        ASSERT_LT(static_cast<std::size_t>(transparent), expected->argb.size());

        const fs::path path = prefix / ("share/icons/hicolor/" + sizeName(size) + "/apps/quilvane.png");
        const auto png = readPng(path, &error);
        ASSERT_TRUE(png) << error;
        EXPECT_TRUE(png->hasAlphaChannel) << path << " has no alpha channel";
        ASSERT_EQ(png->width, size);
        ASSERT_EQ(png->height, size);
        ASSERT_EQ(png->argb.size(), expected->argb.size());
        const auto diff = std::mismatch(png->argb.begin(), png->argb.end(), expected->argb.begin());
        if (diff.first != png->argb.end()) {
            const auto at = diff.first - png->argb.begin();
            ADD_FAILURE() << "pixel (" << at % size << "," << at / size << ") of " << path << " is 0x" << std::hex
                          << *diff.first << ", the program's icon has 0x" << *diff.second;
        }
    }
}

void expectStartsAndClosesWithEscape(const fs::path& program) {
    e2e::XvfbServer server;
    ASSERT_TRUE(server.running()) << server.error();
    e2e::ScreenClient screen(server.displayName());
    ASSERT_TRUE(screen.connected()) << screen.error();

    e2e::ProgramRun run(program.string(), {}, {server.displayName(), {}});
    ASSERT_TRUE(run.started()) << run.error();
    const auto window = screen.findWindow(kWindowTitle, kWindowAppears);
    ASSERT_TRUE(window) << "no window titled \"" << kWindowTitle << "\" from " << program
                        << "\nstderr:\n" << run.standardError();

    // Desktops tie a window to its menu entry by the window's class, which
    // must be the entry's file name without ".desktop".
    const CommandResult windowClass =
        runCommand({"xprop", "-display", server.displayName(), "-id", std::to_string(*window), "WM_CLASS"});
    EXPECT_TRUE(windowClass.succeeded) << windowClass.report;
    EXPECT_EQ(windowClass.standardOutput, "WM_CLASS(STRING) = \"quilvane\", \"quilvane\"\n");

    ASSERT_TRUE(screen.pressKey(XK_Escape));
    const auto status = run.waitForExit(kProgramEnds);
    ASSERT_TRUE(status) << program << " kept running after Escape";
    EXPECT_EQ(status->describe(), "exit status 0") << run.standardError();
}

}  // namespace install_test
