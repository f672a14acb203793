// What an installation of quilvane must hold, checked the same way for a
// `cmake --install` prefix and for the contents of the Debian package:
// the program, its menu entry and its icons in the hicolor theme, and the
// program starting from there on a private X server.
#pragma once

#include "platform/resources/IconResource.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace install_test {

// Every file an installation holds, relative to its prefix, sorted.
extern const std::vector<std::string> kInstalledFiles;
// The sizes of the icon in the hicolor theme: those of the program's icon.
extern const std::vector<int> kIconSizes;

// Files (and links) under `root`, relative to it, sorted; folders left out.
std::vector<std::string> filesUnder(const std::filesystem::path& root);

// The keys of the [Desktop Entry] group; nullopt with `error` set when the
// file cannot be read or has no such group.
std::optional<std::map<std::string, std::string>> readDesktopEntry(const std::filesystem::path& path,
                                                                   std::string* error);

struct PngPicture {
    int width = 0;
    int height = 0;
    bool hasAlphaChannel = false;     // colour type 6 (RGBA) in the file's header
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, straight alpha, 0 where fully transparent
};
std::optional<PngPicture> readPng(const std::filesystem::path& path, std::string* error);

// The program's own icon image of `size` x `size`, decoded from the compiled
// resource file with the project's parsers.
std::optional<resources::IconBitmap> programIconImage(int size, std::string* error);

// GoogleTest checks of the files under `prefix` (a `cmake --install` prefix,
// or usr/ of the unpacked package); call under ASSERT_NO_FATAL_FAILURE.
void expectProgramFile(const std::filesystem::path& prefix);
void expectMenuEntry(const std::filesystem::path& prefix);
void expectThemeIcons(const std::filesystem::path& prefix);

// Starts `program` on a private Xvfb, waits for its window (whose class must
// name the menu entry), presses Escape and expects the program to end with
// exit status 0.
void expectStartsAndClosesWithEscape(const std::filesystem::path& program);

}  // namespace install_test
