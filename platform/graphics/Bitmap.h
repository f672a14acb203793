// graphics::Bitmap - an off-screen picture in cairo's RGB24 layout
// (0x00RRGGBB words in native byte order). Every top-level window draws into
// one; the display backend shows its pixels; tests read them or save them as
// PNG.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace graphics {

class Bitmap {
public:
    Bitmap(int width, int height);  // filled with black
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const;  // bytes per row
    std::uint32_t* pixels();
    const std::uint32_t* pixels() const;
    std::uint32_t pixel(int x, int y) const;  // 0x00RRGGBB; 0 outside

    // Writes the picture as a PNG file; false (and `error` set) on failure.
    bool writePng(const std::string& path, std::string* error = nullptr) const;

    cairo_surface_t* cairoSurface() const { return surface_; }

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
};

// Writes any RGB24 pixel block as PNG (used for pixels read back from a screen).
bool writePng(const std::uint32_t* pixels, int width, int height, int stride,
              const std::string& path, std::string* error = nullptr);

}  // namespace graphics
