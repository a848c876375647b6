// The generated data: every file the program reads is there in the form it reads, and looks the part
// (printable glyphs in their cells, bright seamless ground, grey height images, the icon's Z).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_files.h"
#include "textures/bmp_reader.h"

namespace {
const std::string kDataDir = RAMPIX_DATA_DIR;
const char* const kTerrain[] = {"metalplate128.bmp",  "sand.bmp",          "cloud2128.bmp",  "dirt128.bmp",
                                "marblewhite128.bmp", "metalrough128.bmp", "nuclear128.bmp", "rocks128.bmp",
                                "water128.bmp",       "wood128.bmp"};

// Brightness (the program's alpha) at column x, row y counted from the TOP of the picture.
int brightness(const BmpImage& image, int x, int y) {
    const uint8_t* p = &image.rgb[((image.height - 1 - y) * image.width + x) * 3];
    return (p[0] + p[1] + p[2]) / 3;
}
BmpImage load(const std::string& name, int size) {
    BmpImage image;
    EXPECT_TRUE(readBmpFile((kDataDir + "/" + name).c_str(), image)) << name;
    EXPECT_TRUE(image.width == size && image.height == size) << name;
    return image;
}
}  // namespace

TEST(DataFiles, PicturesAndSoundsLookThePart) {
    // Glyph cells of 16 x 32 by code: ink inside the borders, for printable characters only.
    const BmpImage font = load("font_256.bmp", 256);
    for (int code = ' '; code < 160; ++code) {
        int ink = 0, onBorder = 0;
        for (int i = 0; i < 16 * 32; ++i) {
            const int x = i % 16, y = i / 16;
            const bool lit = brightness(font, (code - 32) % 16 * 16 + x, (code - 32) / 16 * 32 + y) > 0;
            ink += lit;
            onBorder += lit && (x == 0 || x == 15 || y == 0 || y == 31);
        }
        EXPECT_EQ(ink > 0, code > ' ' && code < 127) << code;
        EXPECT_EQ(onBorder, 0) << code;
    }
    for (const char* name : kTerrain) {  // bright, and no seam where the texture wraps
        const BmpImage image = load(name, 128);
        long total = 0;
        double wrapStep = 0, innerStep = 0;
        for (int b = 0; b < 128; ++b) {
            double step = 0;
            for (int k = 0; k < 128; ++k) {
                total += brightness(image, b, k);
                step += std::abs(brightness(image, (b + 127) % 128, k) - brightness(image, b, k)) +
                        std::abs(brightness(image, k, (b + 127) % 128) - brightness(image, k, b));
            }
            (b == 0 ? wrapStep : innerStep) = std::max(b == 0 ? wrapStep : innerStep, step);
        }
        EXPECT_GT(total / (128 * 128), 140) << name;
        EXPECT_LE(wrapStep, 1.2 * innerStep) << name;
    }
    for (const char* name : {"bump_128.bmp", "bump3.bmp"}) {  // grey, level 128 on a 4-pixel border
        const BmpImage image = load(name, 128);
        int highest = 0, wrong = 0;
        for (int i = 0; i < 128 * 128; ++i) {
            const int x = i % 128, y = i / 128, g = image.green(x, y);
            const uint8_t* p = &image.rgb[i * 3];
            highest = std::max(highest, g);
            wrong += p[0] != p[1] || p[1] != p[2] || (g != 128 && (x < 4 || y < 4 || x >= 124 || y >= 124));
        }
        EXPECT_GT(highest, 180) << name;
        EXPECT_EQ(wrong, 0) << name;
    }
    const BmpImage sun = load("sun_256.bmp", 256);
    EXPECT_GT(brightness(sun, 128, 128), 240);
    EXPECT_EQ(brightness(sun, 0, 0) + brightness(sun, 255, 128), 0);
    load("controls_128.bmp", 128);
    for (const auto& [name, seconds] : {std::pair{"WIND2.wav", 2.0}, {"hit.wav", 0.5}}) {
        const Bytes b = readFile(kDataDir + "/" + name);
        ASSERT_GE(b.size(), 44u);
        const size_t count = (b.size() - 44) / 2;
        const Bytes mono22050 = encodeWav(std::vector<float>(count), 22050);
        EXPECT_TRUE(std::equal(b.begin(), b.begin() + 44, mono22050.begin())) << name;
        EXPECT_NEAR(count / 22050.0, seconds, seconds * 0.4) << name;
        const auto sample = [&b](size_t i) {
            return std::abs(static_cast<int16_t>(b[44 + 2 * i] | b[45 + 2 * i] << 8));
        };
        int peak = 0;
        for (size_t i = 0; i < count; ++i) peak = std::max(peak, sample(i));
        EXPECT_GT(peak, 8000) << name;  // audible, without a click at either end
        EXPECT_LT(std::max(sample(0), sample(count - 1)), 300) << name;
    }
}

TEST(DataGenerator, WritesTheSameBytesEveryRunAndTheIconIsAZOnTransparency) {
    TempFolder root;
    const std::string generator = std::string("\"") + RAMPIX_DATAGEN + "\" ";
    const std::string command =
        generator + "--data \"" + root.path + "\" --icon \"" + root.file("rampix.png") + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root.path)) {
        const std::string name = entry.path().filename().string();
        const std::string built =
            name == "rampix.png" ? kDataDir + "/../icons/rampix.png" : kDataDir + "/" + name;
        EXPECT_EQ(readFile(entry.path().string()), readFile(built)) << name;
        ++files;
    }
    EXPECT_EQ(files, 18);  // 15 pictures, 2 sounds, the icon
    int width = 0, height = 0;
    Bytes rgba;
    ASSERT_TRUE(decodeStoredPng(root.file("rampix.png"), &width, &height, &rgba, 4));
    ASSERT_EQ(width * height, 128 * 128);
    const auto alpha = [&rgba](int x, int y) { return rgba[(y * 128 + x) * 4 + 3]; };
    for (auto [x, y] : {std::pair{64, 27}, {64, 101}, {64, 64}, {40, 86}})
        EXPECT_EQ(alpha(x, y), 255) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {127, 127}, {40, 50}, {90, 78}})
        EXPECT_EQ(alpha(x, y), 0) << x << "," << y;
}
