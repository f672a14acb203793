// Off-screen RGB24 pictures on cairo image surfaces, and PNG output.
#include "platform/graphics/Bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace graphics {

Bitmap::Bitmap(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      // cairo clears a new image surface to zero, which is black in RGB24.
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_)) {
    // A size cairo cannot allocate leaves an empty picture rather than one
    // whose pixel accessors point nowhere.
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        width_ = height_ = 0;
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 0, 0);
    }
}

Bitmap::~Bitmap() { cairo_surface_destroy(surface_); }

int Bitmap::stride() const { return cairo_image_surface_get_stride(surface_); }

std::uint32_t* Bitmap::pixels() {
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
}

const std::uint32_t* Bitmap::pixels() const {
    return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_));
}

std::uint32_t Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const auto* row = reinterpret_cast<const unsigned char*>(pixels()) + static_cast<std::size_t>(y) * stride();
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0x00FFFFFFu;
}

namespace {

bool writeSurface(cairo_surface_t* surface, const std::string& path, std::string* error) {
    cairo_surface_flush(surface);
    cairo_status_t status = cairo_surface_status(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_write_to_png(surface, path.c_str());
    if (status == CAIRO_STATUS_SUCCESS) return true;
    if (error) *error = "cannot write PNG file \"" + path + "\": " + cairo_status_to_string(status);
    return false;
}

}  // namespace

bool Bitmap::writePng(const std::string& path, std::string* error) const {
    if (width_ == 0 || height_ == 0) {
        if (error) *error = "cannot write PNG file \"" + path + "\": the picture is empty";
        return false;
    }
    return writeSurface(surface_, path, error);
}

bool writePng(const std::uint32_t* pixels, int width, int height, int stride, const std::string& path,
              std::string* error) {
    if (!pixels || width <= 0 || height <= 0 || stride < width * 4) {
        if (error) *error = "cannot write PNG file \"" + path + "\": no picture or a wrong size";
        return false;
    }
    // Copy into a surface of cairo's own stride: the caller's rows may be laid
    // out differently, and cairo must not write into the caller's memory.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        unsigned char* dst = cairo_image_surface_get_data(surface);
        const int dstStride = cairo_image_surface_get_stride(surface);
        const auto* src = reinterpret_cast<const unsigned char*>(pixels);
        for (int y = 0; y < height; ++y)
            std::memcpy(dst + static_cast<std::size_t>(y) * dstStride, src + static_cast<std::size_t>(y) * stride,
                        static_cast<std::size_t>(width) * 4);
        cairo_surface_mark_dirty(surface);
    }
    const bool ok = writeSurface(surface, path, error);
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace graphics
