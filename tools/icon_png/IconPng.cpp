#include "tools/icon_png/IconPng.h"

#include <cairo.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace icon_png {

namespace {

std::string sizeName(int size) { return std::to_string(size) + "x" + std::to_string(size); }

// cairo's ARGB32 keeps colours premultiplied by alpha; its PNG writer divides
// them out again.
std::uint32_t premultiplied(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 255) return argb;
    const auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

}  // namespace

resources::Result<resources::IconBitmap> iconImageOfSize(const resources::ResourceFile& file,
                                                         std::uint16_t groupId, int size) {
    using resources::ParseError;
    using resources::ResourceName;
    const std::string groupName = "icon group " + std::to_string(groupId);

    const resources::ResourceEntry* groupEntry =
        file.find(ResourceName::id(resources::kTypeGroupIcon), ResourceName::id(groupId));
    if (!groupEntry) return ParseError{"the resource file has no " + groupName};
    auto group = resources::parseIconGroup(groupEntry->data);
    if (!group) return ParseError{groupName + ": " + group.error()};

    // The closest entry is the exact size, with the most colours, when the
    // group has that size at all.
    const resources::GroupIconEntry* chosen = resources::chooseIconImage(*group, size, size);
    if (!chosen || chosen->width != size || chosen->height != size)
        return ParseError{groupName + " has no " + sizeName(size) + " image"};

    const std::string imageName = "icon image " + std::to_string(chosen->id);
    const resources::ResourceEntry* imageEntry =
        file.find(ResourceName::id(resources::kTypeIcon), ResourceName::id(chosen->id));
    if (!imageEntry) return ParseError{groupName + " names " + imageName + ", which the resource file does not hold"};
    auto image = resources::decodeIconImage(imageEntry->data);
    if (!image) return ParseError{imageName + ": " + image.error()};
    if (image->width != size || image->height != size)
        return ParseError{imageName + " is " + std::to_string(image->width) + "x" + std::to_string(image->height) +
                          ", but " + groupName + " lists it as " + sizeName(size)};
    return image;
}

bool writeIconPng(const resources::IconBitmap& image, const std::string& path, std::string* error) {
    const auto fail = [&](const std::string& reason) {
        if (error) *error = "cannot write PNG file \"" + path + "\": " + reason;
        return false;
    };
    if (image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return fail("the image is empty or its pixels do not match its size");

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    cairo_status_t status = cairo_surface_status(surface);
    if (status == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < image.height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
            for (int x = 0; x < image.width; ++x)
                row[x] = premultiplied(image.argb[static_cast<std::size_t>(y) * image.width + x]);
        }
        cairo_surface_mark_dirty(surface);
    }
    const std::string temporary = path + ".tmp";
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_write_to_png(surface, temporary.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::remove(temporary.c_str());
        return fail(cairo_status_to_string(status));
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return fail(reason);
    }
    return true;
}

}  // namespace icon_png
