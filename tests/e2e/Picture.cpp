#include "tests/e2e/Picture.h"

#include "platform/graphics/Bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace e2e {

Picture Picture::region(int x, int y, int regionWidth, int regionHeight) const {
    Picture part;
    part.width = regionWidth;
    part.height = regionHeight;
    part.pixels.reserve(static_cast<std::size_t>(regionWidth) * static_cast<std::size_t>(regionHeight));
    for (int row = y; row < y + regionHeight; ++row) {
        for (int column = x; column < x + regionWidth; ++column) part.pixels.push_back(at(column, row));
    }
    return part;
}

std::optional<Picture> readPng(const std::string& path, std::string* error) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        if (error) *error = "cannot read PNG file \"" + path + "\": " + cairo_status_to_string(cairo_surface_status(surface));
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) {
        if (error) *error = "PNG file \"" + path + "\" is not a 24- or 32-bit picture";
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    Picture picture;
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) picture.pixels.push_back(row[x] & 0xFFFFFFu);
    }
    cairo_surface_destroy(surface);
    return picture;
}

bool writePng(const Picture& picture, const std::string& path, std::string* error) {
    return graphics::writePng(picture.pixels.data(), picture.width, picture.height, picture.width * 4, path, error);
}

std::string differences(const Picture& shown, const Picture& expected, std::size_t listed) {
    char line[160];
    if (shown.width != expected.width || shown.height != expected.height) {
        std::snprintf(line, sizeof line, "the sizes differ: shown %dx%d, expected %dx%d", shown.width, shown.height,
                      expected.width, expected.height);
        return line;
    }
    std::size_t count = 0;
    int left = shown.width, top = shown.height, right = -1, bottom = -1;
    std::string firstOnes;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            if (shown.at(x, y) == expected.at(x, y)) continue;
            if (count < listed) {
                std::snprintf(line, sizeof line, "\n  (%d,%d) shown 0x%06X expected 0x%06X", x, y, shown.at(x, y),
                              expected.at(x, y));
                firstOnes += line;
            }
            ++count;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    if (count == 0) return "";
    std::snprintf(line, sizeof line, "%zu of %d pixels differ, within x %d..%d, y %d..%d; the first ones:", count,
                  shown.width * shown.height, left, right, top, bottom);
    return line + firstOnes;
}

}  // namespace e2e
