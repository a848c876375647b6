#include "terrain/heightmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace {
float cells[kHeightCells];

struct HeightmapTest : ::testing::Test {
    Heightmap map;
    void SetUp() override {
        std::fill(cells, cells + kHeightCells, 0.0f);
        map.heights = cells;
    }
    // Cell (i, j) of the shape formulas, which are stored mirrored on both axes.
    float shapeCell(int i, int j) const { return cells[(map.size - 1 - i) * map.size + (map.size - 1 - j)]; }
};

// Blue and red must not matter.
Bytes greenImage(int width, int height, const std::function<uint8_t(int, int)>& green) {
    return bmpBytes(width, height, [&green](int c, int r) { return Colour{200, green(c, r), 7}; });
}
}  // namespace

TEST_F(HeightmapTest, Shapes) {
    EXPECT_EQ(map.generate(Heightmap::kMounds, 128), 0);
    EXPECT_FLOAT_EQ(cells[63 * 128 + 63], 1.0f);
    EXPECT_FLOAT_EQ(shapeCell(64, 54), static_cast<float>(std::cos(-1.0)));

    map.generate(Heightmap::kRings, 128);
    EXPECT_EQ(*std::max_element(cells, cells + kHeightCells), 0.25f);
    EXPECT_EQ(shapeCell(64, 64), 0.0f);
    EXPECT_NEAR(shapeCell(64, 74), 0.14112f, 1e-5);   // sin(0.3 x 10), below the flat crests
    EXPECT_NEAR(shapeCell(64, 76), -0.44252f, 1e-5);  // sin(0.3 x 12)

    map.generate(Heightmap::kPlayground, 128);
    // Ramp steps ((i - 20) / 64 is not whole), corners, the bowl centre, the trough bottom.
    const struct {
        int i, j;
        float height;
    } playground[] = {
        {20, 5, 5.0f},  {52, 5, 2.5f},   {84, 5, 0.0f},    {127, 127, 2.0f},
        {127, 0, 2.0f}, {62, 59, -6.0f}, {60, 100, -2.0f}, {0, 0, 12.0f * std::cos(-0.3f) - 7.0f}};
    for (const auto& p : playground) EXPECT_NEAR(shapeCell(p.i, p.j), p.height, 1e-5) << p.i << "," << p.j;

    EXPECT_EQ(map.generate(Heightmap::kRings, 0), 0);  // unusable sides change nothing
    EXPECT_EQ(map.generate(Heightmap::kRings, 257), 0);
    EXPECT_EQ(map.size, 128);
    Heightmap bare;  // no storage
    EXPECT_EQ(bare.generate(Heightmap::kMounds, 128), 0);
    EXPECT_EQ(bare.sampleHeight(0.5f, 0.5f), 0.0f);
}

TEST_F(HeightmapTest, HeightImagesGiveGreenHeightsTopRowFirstAndBadOnesLeaveTheGrid) {
    TempFolder folder;
    const auto flat = [](int, int) -> uint8_t { return 128; };
    std::fill(cells, cells + kHeightCells, 9.0f);
    EXPECT_EQ(map.loadFromBmp(folder.write("flat.bmp", greenImage(128, 128, flat)).c_str(), 3.0f), 0);
    EXPECT_EQ(cells[0], 0.0f);
    EXPECT_EQ(cells[128 * 128 - 1], 0.0f);
    EXPECT_EQ(cells[128 * 128], 9.0f);
    // File row 0 (the bottom) green 0, the top row 255, column 3 at 64.
    const std::string ramp = folder.write("ramp.bmp", greenImage(8, 8, [](int column, int row) -> uint8_t {
                                              return column == 3 ? 64 : row == 0 ? 0 : row == 7 ? 255 : 128;
                                          }));
    EXPECT_EQ(map.loadFromBmp(ramp.c_str(), 3.0f), 0);
    EXPECT_EQ(map.size, 8);
    EXPECT_EQ(cells[7 * 8 + 0], -3.0f);
    EXPECT_EQ(cells[0 * 8 + 0], 0.9921875f * 3.0f);
    EXPECT_EQ(cells[4 * 8 + 5], 0.0f);
    EXPECT_EQ(cells[2 * 8 + 3], -1.5f);

    map.generate(Heightmap::kMounds, 128);
    const std::vector<float> before(cells, cells + kHeightCells);
    const Bytes eight = greenImage(8, 8, flat);
    const Bytes refused[] = {greenImage(257, 256, flat), patched(eight, 18, 0),  greenImage(65535, 1, flat),
                             greenImage(16, 8, flat),    greenImage(2, 2, flat), patched(eight, 18, -8u)};
    for (const Bytes& image : refused) {
        const std::string file = folder.write("refused.bmp", image);
        EXPECT_EQ(map.loadFromBmp(file.c_str(), 3.0f), 0) << &image - refused;
        EXPECT_EQ(map.size, 128);
    }
    EXPECT_EQ(map.loadFromBmp(folder.file("missing.bmp").c_str(), 3.0f), 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), cells));
}

TEST_F(HeightmapTest, BumpOptionsPickShapeOrImage) {
    TempFolder folder(true);
    const auto zero = [](int, int) -> uint8_t { return 0; };
    folder.write("bump_128.bmp", greenImage(4, 4, zero));
    folder.write("bump3.bmp", greenImage(8, 8, zero));
    const struct {
        int option, size;
        float cell0;
    } steps[] = {{2, 4, -3.0f}, {3, 8, -7.0f}, {5, 8, -7.0f}, {-1, 8, -7.0f}, {0, 128, 0.0f}};
    for (const auto& step : steps) {
        map.applyBumpOption(step.option);
        EXPECT_EQ(map.size, step.size) << step.option;
        if (step.size < 128) {
            EXPECT_EQ(cells[0], step.cell0) << step.option;
        }
    }
    EXPECT_FLOAT_EQ(cells[63 * 128 + 63], 1.0f);  // option 0: Mounds
    map.applyBumpOption(4);
    EXPECT_FLOAT_EQ(shapeCell(62, 59), -6.0f);  // Playground
    map.applyBumpOption(1);
    EXPECT_NEAR(shapeCell(64, 74), 0.14112f, 1e-5);  // Rings
}

TEST_F(HeightmapTest, SamplingUsesThreeCornersWrapsAndAnswersWildInputs) {
    map.size = 4;
    for (int k = 0; k < 16; ++k) cells[k] = static_cast<float>(k * k);
    // h0 + (right - h0) fx + (below - h0) fy, not bilinear; the last column and row wrap to the first.
    EXPECT_FLOAT_EQ(map.sampleHeight(0.375f, 0.125f), 1.0f + (4.0f - 1.0f) * 0.5f + (25.0f - 1.0f) * 0.5f);
    EXPECT_FLOAT_EQ(map.sampleHeight(0.875f, 0.875f),
                    225.0f + (144.0f - 225.0f) * 0.5f + (9.0f - 225.0f) * 0.5f);
    EXPECT_EQ(map.sampleHeight(1.0f, 0.5f), cells[2 * 4 + 3]);  // the last column with no fraction
    EXPECT_EQ(map.sampleHeight(-0.25f, 0.0f), map.sampleHeight(0.75f, 0.0f));
    EXPECT_EQ(map.sampleHeight(3.0f, 0.0f), map.sampleHeight(1.0f, 0.0f));
    EXPECT_EQ(map.sampleHeight(-2.625f, 5.125f), map.sampleHeight(0.375f, 0.125f));

    map.generate(Heightmap::kPlayground, 128);
    for (float t : {NAN, INFINITY, -INFINITY, 3.0e38f, -3.0e38f, 16777216.0f, -16777217.0f}) {
        EXPECT_TRUE(std::isfinite(map.sampleHeight(t, 0.5f))) << t;
        EXPECT_TRUE(std::isfinite(map.sampleHeight(0.5f, t))) << t;
    }
    EXPECT_EQ(map.sampleHeight(1000.375f, 0.0f), map.sampleHeight(0.375f, 0.0f));
    EXPECT_EQ(map.sampleHeight(-1000.0f, 0.0f), map.sampleHeight(0.0f, 0.0f));
    map.size = 100000;  // a side the storage cannot hold is not sampled
    EXPECT_EQ(map.sampleHeight(0.99f, 0.99f), 0.0f);
}
