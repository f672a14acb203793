// Bitmaps: initial contents, pixel reads and PNG output.
#include "PixelHelpers.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace graphics;
using namespace graphics::testing;

namespace {

std::filesystem::path tempPng(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("qv_graphics_" + name + ".png");
}

// Reads a PNG back as 0x00RRGGBB rows.
std::vector<std::uint32_t> readPng(const std::filesystem::path& path, int& width, int& height) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    std::vector<std::uint32_t> out;
    width = height = 0;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        width = cairo_image_surface_get_width(s);
        height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.push_back(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    }
    cairo_surface_destroy(s);
    return out;
}

}  // namespace

TEST(Bitmap, StartsBlackAndReadsZeroOutside) {
    Bitmap bitmap(7, 5);
    EXPECT_EQ(bitmap.width(), 7);
    EXPECT_EQ(bitmap.height(), 5);
    EXPECT_GE(bitmap.stride(), 7 * 4);
    EXPECT_EQ(inkBox(bitmap, whole(bitmap), 0), (RECT{0, 0, 0, 0}));
    fill(bitmap, RGB(1, 2, 3));
    EXPECT_EQ(bitmap.pixel(6, 4), 0x010203u);
    EXPECT_EQ(bitmap.pixel(-1, 0), 0u);
    EXPECT_EQ(bitmap.pixel(7, 0), 0u);
    EXPECT_EQ(bitmap.pixel(0, 5), 0u);
}

TEST(Bitmap, ImpossibleSizeGivesAnEmptyPicture) {
    Bitmap negative(-3, 10);
    EXPECT_EQ(negative.width(), 0);
    EXPECT_EQ(negative.pixel(0, 0), 0u);
    Bitmap huge(1 << 20, 1 << 20);  // more than cairo allows
    EXPECT_EQ(huge.width(), 0);
    EXPECT_EQ(huge.height(), 0);
    Canvas canvas(huge, {0, 0}, {0, 0, 100, 100});
    canvas.fillRect({0, 0, 100, 100}, RGB(255, 0, 0));  // must not write anywhere
    EXPECT_TRUE(rectEmpty(canvas.clip()));
}

TEST(Bitmap, WritesPngThatReadsBackIdentically) {
    Bitmap bitmap(9, 4);
    fill(bitmap, RGB(10, 20, 30));
    Canvas canvas(bitmap, {0, 0}, whole(bitmap));
    canvas.setPixel(8, 3, RGB(255, 128, 1));
    const auto path = tempPng("roundtrip");
    std::string error;
    ASSERT_TRUE(bitmap.writePng(path.string(), &error)) << error;
    int w, h;
    const auto back = readPng(path, w, h);
    ASSERT_EQ(w, 9);
    ASSERT_EQ(h, 4);
    EXPECT_EQ(back[0], 0x0A141Eu);
    EXPECT_EQ(back[3 * 9 + 8], 0xFF8001u);
    std::filesystem::remove(path);
}

TEST(Bitmap, PngWriteFailuresAreReported) {
    Bitmap bitmap(4, 4);
    std::string error;
    EXPECT_FALSE(bitmap.writePng("/nonexistent-folder/x.png", &error));
    EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos) << error;

    Bitmap empty(0, 0);
    error.clear();
    EXPECT_FALSE(empty.writePng(tempPng("empty").string(), &error));
    EXPECT_FALSE(error.empty());

    error.clear();
    std::uint32_t pixel = 0;
    EXPECT_FALSE(writePng(&pixel, 2, 1, 4, tempPng("short-stride").string(), &error));  // stride < width * 4
    EXPECT_FALSE(error.empty());
}

TEST(Bitmap, WritesForeignPixelBlocksWithTheirOwnStride) {
    // Rows of 3 pixels padded to 5 words, as a screen read-back may be laid out.
    std::vector<std::uint32_t> rows = {0x112233, 0x445566, 0x778899, 0xDEAD, 0xBEEF,
                                       0xAABBCC, 0xDDEEFF, 0x010101, 0xDEAD, 0xBEEF};
    const auto path = tempPng("foreign");
    std::string error;
    ASSERT_TRUE(writePng(rows.data(), 3, 2, 5 * 4, path.string(), &error)) << error;
    int w, h;
    const auto back = readPng(path, w, h);
    ASSERT_EQ(w, 3);
    ASSERT_EQ(h, 2);
    EXPECT_EQ(back, (std::vector<std::uint32_t>{0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010101}));
    std::filesystem::remove(path);
}
