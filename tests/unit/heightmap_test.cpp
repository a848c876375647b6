#include "terrain/heightmap.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {
float cells[kHeightCells];

struct GridFixture : ::testing::Test {
    Heightmap map;
    void SetUp() override {
        for (float& h : cells) h = 0.0f;
        map.heights = cells;
    }
    // Cell (i, j) of the shape formulas, which are stored mirrored on both axes.
    float shapeCell(int i, int j) const {
        const int n = map.size;
        return cells[(n - 1 - i) * n + (n - 1 - j)];
    }
};

// A scratch folder with 24-bit BMP files written byte by byte.
struct ImageFolder {
    std::string path;
    ImageFolder() {
        std::string pattern = ::testing::TempDir() + "heightmapXXXXXX";
        path = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ImageFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    // greenAt(column, rowFromBottom); the header sizes are written as given.
    template <typename Green>
    std::string write(const char* name, int32_t width, int32_t height, Green greenAt) const {
        const int64_t rowBytes = (static_cast<int64_t>(width > 0 ? width : 0) * 3 + 3) / 4 * 4;
        const int64_t rowCount = height > 0 ? height : 0;
        std::vector<uint8_t> bytes(static_cast<size_t>(54 + rowBytes * rowCount), 0);
        auto put32 = [&](size_t at, uint32_t value) {
            for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put32(2, static_cast<uint32_t>(bytes.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, static_cast<uint32_t>(width));
        put32(22, static_cast<uint32_t>(height));
        bytes[26] = 1;
        bytes[28] = 24;
        for (int64_t r = 0; r < rowCount; ++r) {
            for (int c = 0; c < width; ++c) {
                const size_t at = static_cast<size_t>(54 + r * rowBytes + c * 3);
                bytes[at] = 7;  // blue and red must not matter
                bytes[at + 1] = greenAt(c, static_cast<int>(r));
                bytes[at + 2] = 200;
            }
        }
        const std::string file = path + "/" + name;
        FILE* out = std::fopen(file.c_str(), "wb");
        if (out) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
        }
        return file;
    }
};

uint8_t flat128(int, int) {
    return 128;
}
}  // namespace

using HeightmapShapes = GridFixture;
using HeightImages = GridFixture;
using HeightSampling = GridFixture;

TEST_F(HeightmapShapes, MoundsAndRings) {
    EXPECT_EQ(map.generate(Heightmap::kMounds, 128), 0);
    EXPECT_EQ(map.size, 128);
    EXPECT_FLOAT_EQ(cells[63 * 128 + 63], 1.0f);
    EXPECT_FLOAT_EQ(shapeCell(64, 64), 1.0f);
    EXPECT_FLOAT_EQ(shapeCell(64, 54), static_cast<float>(std::cos(-1.0)));

    map.generate(Heightmap::kRings, 128);
    float highest = -1.0f;
    for (float h : cells) highest = std::max(highest, h);
    EXPECT_EQ(highest, 0.25f);
    EXPECT_EQ(shapeCell(64, 64), 0.0f);
}

TEST_F(HeightmapShapes, PlaygroundLayout) {
    map.generate(Heightmap::kPlayground, 128);
    EXPECT_FLOAT_EQ(shapeCell(20, 5), 5.0f);
    EXPECT_FLOAT_EQ(shapeCell(52, 5), 2.5f);  // halfway down the ramp: (i - 20) / 64 is not whole
    EXPECT_EQ(shapeCell(84, 5), 0.0f);
    EXPECT_FLOAT_EQ(shapeCell(127, 127), 2.0f);
    EXPECT_FLOAT_EQ(shapeCell(127, 0), 2.0f);
    EXPECT_FLOAT_EQ(shapeCell(62, 59), -6.0f);  // bowl centre
    EXPECT_FLOAT_EQ(shapeCell(24, 50), 5.0f);
    EXPECT_FLOAT_EQ(shapeCell(60, 100), -2.0f);  // trough bottom
    EXPECT_EQ(shapeCell(10, 120), 0.0f);
    EXPECT_FLOAT_EQ(shapeCell(0, 0), static_cast<float>(12.0 * std::cos(-0.3) - 7.0));
}

TEST_F(HeightmapShapes, UnusableSidesAndMissingStorageAreHarmless) {
    map.generate(Heightmap::kMounds, 128);
    EXPECT_EQ(map.generate(Heightmap::kRings, 0), 0);
    EXPECT_EQ(map.generate(Heightmap::kRings, 257), 0);
    EXPECT_EQ(map.size, 128);
    EXPECT_FLOAT_EQ(cells[63 * 128 + 63], 1.0f);

    Heightmap bare;
    EXPECT_EQ(bare.generate(Heightmap::kMounds, 128), 0);
    EXPECT_EQ(bare.sampleHeight(0.5f, 0.5f), 0.0f);
    EXPECT_EQ(bare.loadFromBmp("no such file.bmp", 1.0f), 1);
}

TEST_F(HeightImages, GreenBytesGiveHeightsWithTheTopRowFirst) {
    ImageFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string flat = folder.write("flat.bmp", 128, 128, flat128);
    for (float& h : cells) h = 9.0f;
    EXPECT_EQ(map.loadFromBmp(flat.c_str(), 3.0f), 0);
    EXPECT_EQ(cells[0], 0.0f);
    EXPECT_EQ(cells[128 * 128 - 1], 0.0f);
    EXPECT_EQ(cells[128 * 128], 9.0f);

    // Bottom row (file row 0) green 0, top row green 255, one column 64: the bottom row lands last.
    const std::string ramp = folder.write("ramp.bmp", 8, 8, [](int column, int row) -> uint8_t {
        if (column == 3) return 64;
        return row == 0 ? 0 : row == 7 ? 255 : 128;
    });
    EXPECT_EQ(map.loadFromBmp(ramp.c_str(), 3.0f), 0);
    EXPECT_EQ(map.size, 8);
    EXPECT_EQ(cells[7 * 8 + 0], -3.0f);
    EXPECT_EQ(cells[0 * 8 + 0], 0.9921875f * 3.0f);
    EXPECT_EQ(cells[4 * 8 + 5], 0.0f);
    EXPECT_EQ(cells[2 * 8 + 3], -1.5f);
}

TEST_F(HeightImages, RefusedOrMissingImagesLeaveTheGrid) {
    ImageFolder folder;
    ASSERT_FALSE(folder.path.empty());
    map.generate(Heightmap::kMounds, 128);
    const std::vector<float> before(cells, cells + kHeightCells);
    const std::string refused[] = {
        folder.write("wide.bmp", 257, 256, flat128), folder.write("empty.bmp", 0, 128, flat128),
        folder.write("line.bmp", 65535, 1, flat128), folder.write("oblong.bmp", 16, 8, flat128),
        folder.write("tiny.bmp", 2, 2, flat128),     folder.write("negative.bmp", -8, 8, flat128),
    };
    for (const std::string& file : refused) {
        EXPECT_EQ(map.loadFromBmp(file.c_str(), 3.0f), 0) << file;
        EXPECT_EQ(map.size, 128) << file;
    }
    const std::string missing = folder.path + "/missing.bmp";
    EXPECT_EQ(map.loadFromBmp(missing.c_str(), 3.0f), 1);
    EXPECT_EQ(map.size, 128);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), cells));
}

TEST_F(HeightImages, BumpOptionsPickShapeOrImage) {
    ImageFolder folder;
    ASSERT_FALSE(folder.path.empty());
    folder.write("bump_128.bmp", 4, 4, [](int, int) -> uint8_t { return 0; });
    folder.write("bump3.bmp", 8, 8, [](int, int) -> uint8_t { return 0; });
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(chdir(folder.path.c_str()), 0);

    map.applyBumpOption(2);
    EXPECT_EQ(map.size, 4);
    EXPECT_EQ(cells[0], -3.0f);
    map.applyBumpOption(3);
    EXPECT_EQ(map.size, 8);
    EXPECT_EQ(cells[0], -7.0f);
    map.applyBumpOption(5);
    map.applyBumpOption(-1);
    EXPECT_EQ(map.size, 8);
    EXPECT_EQ(cells[0], -7.0f);
    map.applyBumpOption(0);
    EXPECT_EQ(map.size, 128);
    EXPECT_FLOAT_EQ(cells[63 * 128 + 63], 1.0f);
    map.applyBumpOption(4);
    EXPECT_FLOAT_EQ(shapeCell(62, 59), -6.0f);
    map.applyBumpOption(1);
    EXPECT_EQ(shapeCell(64, 64), 0.0f);

    ASSERT_EQ(chdir(previous), 0);
}

TEST_F(HeightSampling, ThreeCornersWithWrapAround) {
    map.size = 4;
    for (int k = 0; k < 16; ++k) cells[k] = static_cast<float>(k * k);
    // Between cells: h0 + (right - h0) fx + (below - h0) fy, not bilinear.
    EXPECT_FLOAT_EQ(map.sampleHeight(0.375f, 0.125f), 1.0f + (4.0f - 1.0f) * 0.5f + (25.0f - 1.0f) * 0.5f);
    // The right and bottom neighbours of the last column and row are the first ones.
    EXPECT_FLOAT_EQ(map.sampleHeight(0.875f, 0.875f),
                    225.0f + (144.0f - 225.0f) * 0.5f + (9.0f - 225.0f) * 0.5f);
    // 1.0 stays 1.0 and falls on the last column with no fraction.
    EXPECT_EQ(map.sampleHeight(1.0f, 0.5f), map.sampleHeight(0.75f, 0.5f));
    EXPECT_EQ(map.sampleHeight(1.0f, 0.5f), cells[2 * 4 + 3]);
    EXPECT_EQ(map.sampleHeight(-0.25f, 0.0f), map.sampleHeight(0.75f, 0.0f));
    EXPECT_EQ(map.sampleHeight(3.0f, 0.0f), map.sampleHeight(1.0f, 0.0f));
    EXPECT_EQ(map.sampleHeight(-2.625f, 5.125f), map.sampleHeight(0.375f, 0.125f));
}

TEST_F(HeightSampling, WildInputsAnswerAtOnce) {
    map.generate(Heightmap::kPlayground, 128);
    const float wild[] = {NAN, INFINITY, -INFINITY, 3.0e38f, -3.0e38f, 16777216.0f, -16777217.0f};
    for (float t : wild) {
        EXPECT_TRUE(std::isfinite(map.sampleHeight(t, 0.5f))) << t;
        EXPECT_TRUE(std::isfinite(map.sampleHeight(0.5f, t))) << t;
    }
    EXPECT_EQ(map.sampleHeight(1000.375f, 0.0f), map.sampleHeight(0.375f, 0.0f));
    EXPECT_EQ(map.sampleHeight(1000.0f, 0.0f), map.sampleHeight(1.0f, 0.0f));
    EXPECT_EQ(map.sampleHeight(-1000.0f, 0.0f), map.sampleHeight(0.0f, 0.0f));
    map.size = 100000;  // a side the storage cannot hold is not sampled
    EXPECT_EQ(map.sampleHeight(0.99f, 0.99f), 0.0f);
}
