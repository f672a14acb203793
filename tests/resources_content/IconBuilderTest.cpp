// The icon tool: refusals of malformed artwork (message naming file, line
// and column; non-zero exit; no output) and the layout of what it writes.

#include "platform/resources/IconResource.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string errors;
};

class IconBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "icon_builder_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string writeArt(const std::string& name, const std::string& text) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    std::string outputPath() const { return (dir_ / "out.ico").string(); }

    RunResult run(const std::vector<std::string>& arguments) {
        const fs::path errors = dir_ / "stderr.txt";
        std::string command = std::string("'") + QV_ICON_BUILDER + "'";
        for (const std::string& argument : arguments) command += " '" + argument + "'";
        command += " 2>'" + errors.string() + "'";
        const int status = std::system(command.c_str());
        RunResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream in(errors);
        std::ostringstream text;
        text << in.rdbuf();
        result.errors = text.str();
        return result;
    }

    fs::path dir_;
};

struct BadArt {
    const char* what;
    std::string text;
    std::string where;  // expected "line:column", or "" when the fault has no place
    const char* reason;
};

TEST_F(IconBuilderTest, RefusesMalformedArtNamingFileLineAndColumn) {
    const BadArt cases[] = {
        {"unknown character", "# a comment line counts\n....\n..x.\n....\n....\n", "3:3",
         "unknown colour character 'x'"},
        {"unprintable character", "....\n.\t..\n....\n....\n", "2:2", "unknown colour character 0x09"},
        {"short row", "kkkk\nkkk\nkkkk\nkkkk\n", "2:4", "row is 3 pixels wide, expected 4"},
        {"long row", "kkkk\nkkkk\nkkkkk\nkkkk\n", "3:5", "row is 5 pixels wide, expected 4"},
        {"blank line inside the art", "kkkk\n\nkkkk\nkkkk\nkkkk\n", "2:1", "row is 0 pixels wide, expected 4"},
        {"too few rows", "kkkk\nkkkk\nkkkk\n", "4:1", "only 3 rows, expected 4"},
        {"too many rows", "kk\nkk\nkk\n", "3:1", "more rows than the 2"},
        {"wider than any icon", std::string(257, 'k') + "\n", "1:257", "row is 257 pixels wide; icons are at most 256"},
        {"no rows at all", "# nothing but a comment\n\n", "", "no pixel rows"},
    };
    for (const BadArt& bad : cases) {
        SCOPED_TRACE(bad.what);
        const std::string art = writeArt("bad.txt", bad.text);
        const RunResult result = run({outputPath(), art});
        EXPECT_EQ(result.exitCode, 1);
        const std::string place = bad.where.empty() ? art + ": " : art + ":" + bad.where + ": ";
        EXPECT_NE(result.errors.find("icon_builder: " + place + bad.reason), std::string::npos)
            << "stderr: " << result.errors;
        EXPECT_FALSE(fs::exists(outputPath())) << "no icon is written from bad art";
    }
}

TEST_F(IconBuilderTest, RefusesMissingFilesAndRepeatedSizes) {
    const std::string missing = (dir_ / "missing.txt").string();
    RunResult result = run({outputPath(), missing});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find(missing + ": cannot read the file"), std::string::npos) << result.errors;

    const std::string first = writeArt("a.txt", "kk\nkk\n");
    const std::string second = writeArt("b.txt", "WW\nWW\n");
    result = run({outputPath(), first, second});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find(second + ": a 2x2 image was already given"), std::string::npos) << result.errors;

    result = run({outputPath()});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.errors.find("usage:"), std::string::npos) << result.errors;
    EXPECT_FALSE(fs::exists(outputPath()));
}

std::uint32_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes.at(at) | (std::uint32_t{bytes.at(at + 1)} << 8);
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return read16(bytes, at) | (read16(bytes, at + 2) << 16);
}

// An odd width exercises the row padding of both bitmaps and the low nibble
// of the last byte; distinct colours in each corner catch a flipped or
// mirrored image. Windows line ends are accepted.
TEST_F(IconBuilderTest, WritesIcoWhoseImageDecodesToTheArt) {
    const std::string art = writeArt("ok.txt", "# 3x3 fixture\r\nR.G\r\nBWk\r\n.CY\r\n");
    const RunResult result = run({outputPath(), art});
    ASSERT_EQ(result.exitCode, 0) << result.errors;

    std::ifstream in(outputPath(), std::ios::binary);
    const std::vector<std::uint8_t> ico{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Directory and entry: 3x3, 16 colours, 1 plane, 4 bits; header + palette +
    // 3 colour rows of 4 bytes + 3 mask rows of 4 bytes.
    const std::uint32_t imageSize = 40 + 64 + 12 + 12;
    ASSERT_EQ(ico.size(), 6u + 16u + imageSize);
    EXPECT_EQ(read16(ico, 0), 0u);
    EXPECT_EQ(read16(ico, 2), 1u);
    EXPECT_EQ(read16(ico, 4), 1u);
    EXPECT_EQ(ico[6], 3);
    EXPECT_EQ(ico[7], 3);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(read16(ico, 10), 1u);
    EXPECT_EQ(read16(ico, 12), 4u);
    EXPECT_EQ(read32(ico, 14), imageSize);
    EXPECT_EQ(read32(ico, 18), 22u);
    EXPECT_EQ(read32(ico, 22 + 8), 6u) << "biHeight counts colour bits and mask";

    auto image = resources::decodeIconImage(std::span<const std::uint8_t>(ico).subspan(22));
    ASSERT_TRUE(image) << image.error();
    ASSERT_EQ(image->width, 3);
    ASSERT_EQ(image->height, 3);
    const std::uint32_t kClear = 0;  // only the alpha matters for these
    const std::uint32_t expected[9] = {
        0xFFFF0000, kClear,     0xFF00FF00,  // R . G
        0xFF0000FF, 0xFFFFFFFF, 0xFF000000,  // B W k
        kClear,     0xFF00FFFF, 0xFFFFFF00,  // . C Y
    };
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE("pixel " + std::to_string(i % 3) + "," + std::to_string(i / 3));
        if (expected[i] == kClear) {
            EXPECT_EQ(image->argb[static_cast<std::size_t>(i)] >> 24, 0u);
        } else {
            EXPECT_EQ(image->argb[static_cast<std::size_t>(i)], expected[i]);
        }
    }
}

}  // namespace
