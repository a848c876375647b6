// The generated data: every file the program reads is there, in the layout the program expects, and
// looks the part (bright tiling textures, transparent where black, grey height images).
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "textures/bmp_reader.h"

namespace {
using Bytes = std::vector<uint8_t>;
const std::string kDataDir = RAMPIX_DATA_DIR;
const char* const kTerrain[] = {"metalplate128.bmp",  "sand.bmp",          "cloud2128.bmp",  "dirt128.bmp",
                                "marblewhite128.bmp", "metalrough128.bmp", "nuclear128.bmp", "rocks128.bmp",
                                "water128.bmp",       "wood128.bmp"};

Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
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

TEST(DataFiles, BitmapsHaveTheLayoutTheProgramReads) {
    std::vector<std::pair<std::string, int>> pictures = {{"font_256.bmp", 256},
                                                         {"controls_128.bmp", 128},
                                                         {"sun_256.bmp", 256},
                                                         {"bump_128.bmp", 128},
                                                         {"bump3.bmp", 128}};
    for (const char* name : kTerrain) pictures.emplace_back(name, 128);
    for (const auto& [name, size] : pictures) {
        SCOPED_TRACE(name);
        const Bytes b = readAll(kDataDir + "/" + name);
        ASSERT_EQ(b.size(), 54u + size * size * 3);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(le(b, 2, 4), b.size());
        EXPECT_EQ(le(b, 10, 4), 54u);                                  // pixels right after the header
        EXPECT_EQ(le(b, 14, 4), 40u);                                  // BITMAPINFOHEADER
        EXPECT_EQ(le(b, 18, 4), static_cast<uint32_t>(size));          // width, a multiple of 4
        EXPECT_EQ(le(b, 22, 4), static_cast<uint32_t>(size));          // positive: bottom-up rows
        EXPECT_EQ(le(b, 26, 2) | le(b, 28, 2) << 16, 1u | 24u << 16);  // one plane, 24 bits
        EXPECT_EQ(le(b, 30, 4), 0u);                                   // uncompressed
        EXPECT_EQ(load(name).width, size);
    }
}

TEST(DataFiles, SoundsArePcmWavesThatSdlLoads) {
    const struct {
        const char* name;
        double minSeconds, maxSeconds;
    } sounds[] = {{"WIND2.wav", 1.5, 2.5}, {"hit.wav", 0.3, 0.7}};
    for (const auto& sound : sounds) {
        SCOPED_TRACE(sound.name);
        const std::string path = kDataDir + "/" + sound.name;
        const Bytes b = readAll(path);
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(le(b, 4, 4), b.size() - 8);
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(le(b, 16, 4), 16u);
        EXPECT_EQ(le(b, 20, 2), 1u);  // PCM
        EXPECT_EQ(le(b, 22, 2), 1u);  // mono
        EXPECT_EQ(le(b, 24, 4), 22050u);
        EXPECT_EQ(le(b, 28, 4), 44100u);
        EXPECT_EQ(le(b, 32, 2), 2u);
        EXPECT_EQ(le(b, 34, 2), 16u);
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        EXPECT_EQ(le(b, 40, 4), b.size() - 44);

        SDL_AudioSpec spec;
        Uint8* samples = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV(path.c_str(), &spec, &samples, &length), nullptr) << SDL_GetError();
        EXPECT_EQ(spec.freq, 22050);
        EXPECT_EQ(spec.format, AUDIO_S16LSB);
        EXPECT_EQ(spec.channels, 1);
        const double seconds = length / 2 / 22050.0;
        EXPECT_GT(seconds, sound.minSeconds);
        EXPECT_LT(seconds, sound.maxSeconds);
        const int16_t* s = reinterpret_cast<const int16_t*>(samples);
        int peak = 0;
        for (Uint32 i = 0; i < length / 2; ++i) peak = std::max(peak, std::abs(s[i]));
        EXPECT_GT(peak, 8000);                        // audible
        EXPECT_LT(std::abs(s[0]), 300);               // no click when it starts...
        EXPECT_LT(std::abs(s[length / 2 - 1]), 300);  // ...or stops
        SDL_FreeWAV(samples);
    }
}

TEST(DataFiles, FontCellsHoldTheirCharactersWithinTheirBorders) {
    const BmpImage font = load("font_256.bmp");
    ASSERT_EQ(font.width, 256);
    // Ink rows of a character's 16 x 32 cell: column code % 16, row (code - 32) / 16 from the top.
    const auto inkRows = [&font](int code, int* first, int* last, int* count) {
        const int cx = (code - 32) % 16 * 16, cy = (code - 32) / 16 * 32;
        *first = 99, *last = -1, *count = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (brightness(font, cx + x, cy + y) == 0) continue;
                *first = std::min(*first, y), *last = std::max(*last, y), ++*count;
                EXPECT_TRUE(x > 0 && x < 15 && y > 0 && y < 31) << "ink on the border of cell " << code;
            }
        }
    };
    int first, last, count, baseline;
    for (int code : {32, 127, 140, 159}) {
        inkRows(code, &first, &last, &count);
        EXPECT_EQ(count, 0) << code;
    }
    for (int code = '!'; code <= '~'; ++code) {
        inkRows(code, &first, &last, &count);
        EXPECT_GT(count, 0) << code;
    }
    inkRows('A', &first, &baseline, &count);
    EXPECT_GT(count, 40);
    EXPECT_GT(baseline - first, 14);  // capitals use most of the cell's height
    for (int code : {'H', 'x', 'n', '1'}) {
        inkRows(code, &first, &last, &count);
        EXPECT_NEAR(last, baseline, 1) << static_cast<char>(code);  // one baseline for all
    }
    inkRows('g', &first, &last, &count);
    EXPECT_GT(last, baseline + 3);  // descenders hang below it, the right way up
}

TEST(DataFiles, TerrainImagesAreBrightAndSeamless) {
    for (const char* name : kTerrain) {
        SCOPED_TRACE(name);
        const BmpImage image = load(name);
        long total = 0, dark = 0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                total += brightness(image, x, y);
                dark += brightness(image, x, y) < 64;
            }
        }
        EXPECT_GT(total / (128 * 128), 140);
        EXPECT_LT(dark, 128 * 128 / 50);
        // Mean brightness step across the boundary before column (or row) b, between the averages
        // of `width` lines on either side. Where the texture wraps (b = 0) it must look like any
        // other boundary: a seam shows as a step bigger than all the others.
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

TEST(DataFiles, HeightImagesAreGreyWithGroundLevelBorders) {
    for (const char* name : {"bump_128.bmp", "bump3.bmp"}) {
        SCOPED_TRACE(name);
        const BmpImage image = load(name);
        int highest = 0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                const uint8_t* p = &image.rgb[(y * 128 + x) * 3];
                ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]);
                highest = std::max<int>(highest, image.green(x, y));
                const bool border = x < 4 || y < 4 || x >= 124 || y >= 124;
                if (border) {
                    ASSERT_EQ(image.green(x, y), 128) << x << "," << y;
                }
            }
        }
        EXPECT_GT(highest, 180);
    }
}

TEST(DataFiles, SunAndWidgetSkinAreBlackWhereTransparent) {
    const BmpImage sun = load("sun_256.bmp");
    EXPECT_GT(brightness(sun, 128, 128), 240);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(
            brightness(sun, i, 0) + brightness(sun, i, 255) + brightness(sun, 0, i) + brightness(sun, 255, i),
            0);
    }
    // Skin cells by (column, row from the top); the last row and three other cells are unused.
    const BmpImage skin = load("controls_128.bmp");
    const auto cellInk = [&skin](int column, int row) {
        int ink = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) ink += brightness(skin, column * 32 + x, row * 32 + y) > 13;
        return ink;
    };
    for (auto [column, row] :
         {std::pair{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}}) {
        EXPECT_GT(cellInk(column, row), 150) << column << "," << row;
    }
    for (auto [column, row] : {std::pair{3, 1}, {2, 2}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}) {
        EXPECT_EQ(cellInk(column, row), 0) << column << "," << row;
    }
    // The slider track is stretched sideways, so each of its rows must be one shade.
    for (int y = 0; y < 32; ++y) {
        for (int x = 1; x < 32; ++x) EXPECT_EQ(brightness(skin, x, y), brightness(skin, 0, y));
    }
}

TEST(DataFiles, IconIsAValidRgbaPngOfAZOnTransparency) {
    const Bytes b = readAll(kDataDir + "/../icons/rampix.png");
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
    std::string types;
    Bytes zlib;
    size_t at = 8;
    while (at + 12 <= b.size()) {
        const uint32_t length = be32(b, at);
        ASSERT_LE(at + 12 + length, b.size());
        const std::string type(b.begin() + at + 4, b.begin() + at + 8);
        EXPECT_EQ(crc32(&b[at + 4], length + 4), be32(b, at + 8 + length)) << type;
        if (type == "IHDR") {  // 128 x 128, 8-bit RGBA
            EXPECT_EQ(Bytes(b.begin() + at + 8, b.begin() + at + 21),
                      (Bytes{0, 0, 0, 128, 0, 0, 0, 128, 8, 6, 0, 0, 0}));
        }
        if (type == "IDAT") zlib.insert(zlib.end(), b.begin() + at + 8, b.begin() + at + 8 + length);
        types += type + " ";
        at += 12 + length;
    }
    EXPECT_EQ(at, b.size());
    EXPECT_EQ(types.substr(0, 5), "IHDR ");
    EXPECT_EQ(types.substr(types.size() - 5), "IEND ");
    // The image data is deflate "stored" blocks: a header byte, the length and its complement, the bytes.
    Bytes raw;
    bool last = false;
    for (at = 2; !last;) {
        ASSERT_LE(at + 5, zlib.size());
        last = zlib[at] & 1;
        const uint32_t length = le(zlib, at + 1, 2);
        ASSERT_EQ(length ^ le(zlib, at + 3, 2), 0xFFFFu);
        ASSERT_LE(at + 5 + length, zlib.size());
        raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + length);
        at += 5 + length;
    }
    ASSERT_EQ(raw.size(), 128u * (1 + 128 * 4));
    uint32_t a = 1, c = 0;
    for (uint8_t byte : raw) a = (a + byte) % 65521, c = (c + a) % 65521;
    EXPECT_EQ(be32(zlib, at), c << 16 | a);  // Adler-32
    const auto alpha = [&raw](int x, int y) { return raw[y * (1 + 128 * 4) + 1 + x * 4 + 3]; };
    for (auto [x, y] : {std::pair{64, 27}, {64, 101}, {64, 64}, {40, 86}})
        EXPECT_EQ(alpha(x, y), 255) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {127, 127}, {40, 50}, {90, 78}})
        EXPECT_EQ(alpha(x, y), 0) << x << "," << y;
}

TEST(DataGenerator, WritesTheSameBytesEveryRun) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(testing::TempDir()) / "rampix_datagen_test";
    fs::remove_all(root);
    for (const char* run : {"a", "b"}) {
        const std::string command = std::string("\"") + RAMPIX_DATAGEN + "\" --data \"" +
                                    (root / run).string() + "\" --icon \"" +
                                    (root / run / "rampix.png").string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(root / "a")) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(readAll(entry.path().string()), readAll((root / "b" / name).string())) << name;
        // The build's own copy came from the same generator.
        if (name != "rampix.png") {
            EXPECT_EQ(readAll(entry.path().string()), readAll(kDataDir + "/" + name)) << name;
        }
        ++files;
    }
    EXPECT_EQ(files, 18);  // 15 pictures, 2 sounds, the icon

    // The fuzzing seeds are valid bitmaps, one of them stored top-down.
    const std::string corpus = (root / "corpus").string();
    ASSERT_EQ(
        std::system(("\"" + std::string(RAMPIX_DATAGEN) + "\" --bmp-corpus \"" + corpus + "\"").c_str()), 0);
    int seeds = 0, topDown = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        const Bytes b = readAll(entry.path().string());
        BmpImage image;
        EXPECT_TRUE(decodeBmp(b.data(), b.size(), image)) << entry.path();
        topDown += static_cast<int32_t>(le(b, 22, 4)) < 0;
        ++seeds;
    }
    EXPECT_EQ(seeds, 4);
    EXPECT_EQ(topDown, 1);
    fs::remove_all(root);
}
