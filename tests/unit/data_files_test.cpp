// The generated data: every file the program reads is there, in the layout the program expects, and
// looks the part (bright tiling textures, transparent where black, grey height images).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/test_files.h"
#include "textures/bmp_reader.h"

namespace {
const std::string kDataDir = RAMPIX_DATA_DIR;
const char* const kTerrain[] = {"metalplate128.bmp",  "sand.bmp",          "cloud2128.bmp",  "dirt128.bmp",
                                "marblewhite128.bmp", "metalrough128.bmp", "nuclear128.bmp", "rocks128.bmp",
                                "water128.bmp",       "wood128.bmp"};

uint32_t le(const Bytes& b, size_t at, int count) {
    uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
    return v;
}
BmpImage load(const std::string& name) {
    BmpImage image;
    EXPECT_TRUE(readBmpFile((kDataDir + "/" + name).c_str(), image)) << name;
    return image;
}
// Brightness (the program's alpha) at column x, row y counted from the TOP of the picture.
int brightness(const BmpImage& image, int x, int y) {
    const uint8_t* p = &image.rgb[((image.height - 1 - y) * image.width + x) * 3];
    return (p[0] + p[1] + p[2]) / 3;
}
}  // namespace

TEST(DataFiles, BitmapsAndSoundsHaveTheLayoutTheProgramReads) {
    std::vector<std::string> pictures = {"font_256.bmp", "controls_128.bmp", "sun_256.bmp", "bump_128.bmp",
                                         "bump3.bmp"};
    pictures.insert(pictures.end(), std::begin(kTerrain), std::end(kTerrain));
    for (const std::string& name : pictures) {
        // Up to the compression field: bottom-up rows of 24 bits, uncompressed, pixels after the header.
        const int size = name.find("_256") != std::string::npos ? 256 : 128;
        const Bytes b = readFile(kDataDir + "/" + name), plain = bmpBytes(size, size, Bgr{});
        ASSERT_EQ(b.size(), plain.size()) << name;
        EXPECT_EQ(Bytes(b.begin(), b.begin() + 34), Bytes(plain.begin(), plain.begin() + 34)) << name;
        EXPECT_EQ(load(name).width, size);
    }
    for (const auto& [name, seconds] : {std::pair{"WIND2.wav", 2.0}, {"hit.wav", 0.5}}) {
        const Bytes b = readFile(kDataDir + "/" + name);
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(Bytes(b.begin(), b.begin() + 44),
                  wavHeader(22050, 1, static_cast<uint32_t>(b.size() - 44)));
        const size_t count = (b.size() - 44) / 2;
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

TEST(DataFiles, FontCellsHoldTheirCharactersWithinTheirBorders) {
    const BmpImage font = load("font_256.bmp");
    ASSERT_EQ(font.width, 256);
    // Ink rows of a character's 16 x 32 cell: column code % 16, row (code - 32) / 16 from the top.
    int first, last, count;
    const auto inkRows = [&](int code) {
        const int cx = (code - 32) % 16 * 16, cy = (code - 32) / 16 * 32;
        first = 99, last = -1, count = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (brightness(font, cx + x, cy + y) == 0) continue;
                first = std::min(first, y), last = std::max(last, y), ++count;
                EXPECT_TRUE(x > 0 && x < 15 && y > 0 && y < 31) << "ink on the border of cell " << code;
            }
        }
    };
    for (int code = ' '; code < 160; ++code) {
        inkRows(code);
        EXPECT_EQ(count > 0, code > ' ' && code < 127) << code;
    }
    inkRows('A');
    const int baseline = last;
    EXPECT_GT(baseline - first, 14);  // capitals use most of the cell's height
    for (int code : {'H', 'x', 'n', '1'}) {
        inkRows(code);
        EXPECT_NEAR(last, baseline, 1) << static_cast<char>(code);
    }
    inkRows('g');
    EXPECT_GT(last, baseline + 3);  // descenders hang below it, the right way up
}

TEST(DataFiles, TerrainImagesAreBrightAndSeamless) {
    for (const char* name : kTerrain) {
        SCOPED_TRACE(name);
        const BmpImage image = load(name);
        long total = 0, dark = 0;
        for (int i = 0; i < 128 * 128; ++i) {
            total += brightness(image, i % 128, i / 128);
            dark += brightness(image, i % 128, i / 128) < 64;
        }
        EXPECT_GT(total / (128 * 128), 140);
        EXPECT_LT(dark, 128 * 128 / 50);
        // Mean brightness step across the boundary before column (or row) b, between the averages of
        // `width` lines on either side: where the texture wraps (b = 0) a seam is a step bigger than any
        // other.
        const auto step = [&image](int b, int width, bool columns) {
            double sum = 0;
            for (int k = 0; k < 128; ++k) {
                int before = 0, after = 0;
                for (int i = 0; i < width; ++i) {
                    const int x0 = (b - 1 - i + 128) % 128, x1 = (b + i) % 128;
                    before += columns ? brightness(image, x0, k) : brightness(image, k, x0);
                    after += columns ? brightness(image, x1, k) : brightness(image, k, x1);
                }
                sum += std::abs(before - after) / static_cast<double>(width);
            }
            return sum / 128;
        };
        for (bool columns : {true, false}) {
            for (int width : {1, 4}) {
                double inside = 0;
                for (int b = 1; b < 128; ++b) inside = std::max(inside, step(b, width, columns));
                EXPECT_LE(step(0, width, columns), 1.2 * inside) << (columns ? "left/right" : "top/bottom");
            }
        }
    }
}

TEST(DataFiles, HeightImagesSunAndWidgetSkin) {
    for (const char* name : {"bump_128.bmp", "bump3.bmp"}) {
        const BmpImage image = load(name);
        int highest = 0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                const uint8_t* p = &image.rgb[(y * 128 + x) * 3];
                ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << name;  // grey
                highest = std::max<int>(highest, image.green(x, y));
                const bool inside = x >= 4 && y >= 4 && x < 124 && y < 124;
                ASSERT_TRUE(inside || image.green(x, y) == 128) << name << " border " << x << "," << y;
            }
        }
        EXPECT_GT(highest, 180) << name;
    }

    const BmpImage sun = load("sun_256.bmp");  // bright, black (transparent) at every edge
    EXPECT_GT(brightness(sun, 128, 128), 240);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(
            brightness(sun, i, 0) + brightness(sun, i, 255) + brightness(sun, 0, i) + brightness(sun, 255, i),
            0);
    }
    // Skin cells by (column, row from the top): inked where used, black in the last row and three others.
    const BmpImage skin = load("controls_128.bmp");
    for (int cell = 0; cell < 16; ++cell) {
        int ink = 0;
        for (int i = 0; i < 32 * 32; ++i)
            ink += brightness(skin, cell % 4 * 32 + i % 32, cell / 4 * 32 + i / 32) > 13;
        const bool used = cell <= 6 || cell == 8 || cell == 9;
        if (used)
            EXPECT_GT(ink, 150) << cell;
        else
            EXPECT_EQ(ink, 0) << cell;
    }
    // The slider track is stretched sideways, so each of its rows must be one shade.
    for (int y = 0; y < 32; ++y) {
        for (int x = 1; x < 32; ++x) EXPECT_EQ(brightness(skin, x, y), brightness(skin, 0, y));
    }
}

TEST(DataFiles, IconIsAValidRgbaPngOfAZOnTransparency) {
    const Bytes b = readFile(kDataDir + "/../icons/rampix.png");
    ASSERT_GT(b.size(), 8u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    const auto be32 = [](const Bytes& bytes, size_t at) { return __builtin_bswap32(le(bytes, at, 4)); };
    const auto crc32 = [](const uint8_t* p, size_t n) {
        uint32_t crc = ~0u;
        for (size_t i = 0; i < n; ++i) {
            crc ^= p[i];
            for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        return ~crc;
    };
    Bytes zlib;
    size_t at = 8;
    EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "IHDR");
    EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 29),
              (Bytes{0, 0, 0, 128, 0, 0, 0, 128, 8, 6, 0, 0, 0}));  // RGBA
    while (at + 12 <= b.size()) {
        const uint32_t length = be32(b, at);
        ASSERT_LE(at + 12 + length, b.size());
        EXPECT_EQ(crc32(&b[at + 4], length + 4), be32(b, at + 8 + length)) << at;
        if (std::string(b.begin() + at + 4, b.begin() + at + 8) == "IDAT")
            zlib.insert(zlib.end(), b.begin() + at + 8, b.begin() + at + 8 + length);
        at += 12 + length;
    }
    EXPECT_EQ(at, b.size());
    EXPECT_EQ(std::string(b.end() - 8, b.end() - 4), "IEND");
    // Deflate "stored" blocks: a header byte, the length and its complement, the bytes.
    Bytes raw;
    for (at = 2; raw.size() < 128u * (1 + 128 * 4);) {
        ASSERT_LE(at + 5, zlib.size());
        const uint32_t length = le(zlib, at + 1, 2);
        ASSERT_EQ(length ^ le(zlib, at + 3, 2), 0xFFFFu);
        ASSERT_LE(at + 5 + length, zlib.size());
        raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + length);
        EXPECT_EQ(zlib[at] & 1, raw.size() == 128u * (1 + 128 * 4)) << "the last block is marked";
        at += 5 + length;
    }
    uint32_t a = 1, c = 0;
    for (uint8_t byte : raw) a = (a + byte) % 65521, c = (c + a) % 65521;
    EXPECT_EQ(be32(zlib, at), c << 16 | a);  // Adler-32
    const auto alpha = [&raw](int x, int y) { return raw[y * (1 + 128 * 4) + 1 + x * 4 + 3]; };
    for (auto [x, y] : {std::pair{64, 27}, {64, 101}, {64, 64}, {40, 86}})
        EXPECT_EQ(alpha(x, y), 255) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {127, 127}, {40, 50}, {90, 78}})
        EXPECT_EQ(alpha(x, y), 0) << x << "," << y;
}

TEST(DataGenerator, WritesTheSameBytesEveryRunAndValidFuzzingSeeds) {
    namespace fs = std::filesystem;
    TempFolder root;
    const std::string generator = std::string("\"") + RAMPIX_DATAGEN + "\" ";
    for (const char* run : {"a", "b"}) {
        const std::string command =
            generator + "--data \"" + root.file(run) + "\" --icon \"" + root.file(run) + "/rampix.png\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(root.file("a"))) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(readFile(entry.path().string()), readFile(root.file("b/" + name))) << name;
        // The build's own copy came from the same generator.
        EXPECT_TRUE(name == "rampix.png" ||
                    readFile(entry.path().string()) == readFile(kDataDir + "/" + name))
            << name;
        ++files;
    }
    EXPECT_EQ(files, 18);  // 15 pictures, 2 sounds, the icon

    ASSERT_EQ(std::system((generator + "--bmp-corpus \"" + root.file("corpus") + "\"").c_str()), 0);
    int seeds = 0, topDown = 0;
    for (const auto& entry : fs::directory_iterator(root.file("corpus"))) {
        const Bytes b = readFile(entry.path().string());
        BmpImage image;
        EXPECT_TRUE(decodeBmp(b.data(), b.size(), image)) << entry.path();
        topDown += static_cast<int32_t>(le(b, 22, 4)) < 0;
        ++seeds;
    }
    EXPECT_EQ(seeds, 4);
    EXPECT_EQ(topDown, 1);
}
