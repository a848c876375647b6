// Height images read into the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/test_files.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"

namespace {
float cells[kHeightCells];

struct TerrainGrid : ::testing::Test {
    Heightmap map;
    std::unique_ptr<TerrainSurface> surface = std::make_unique<TerrainSurface>();
    void SetUp() override {
        std::fill(cells, cells + kHeightCells, 0.0f);
        map.heights = cells;
    }
};

// A BMP whose green channel is given; blue and red must not matter.
Bytes greenImage(int width, int height, const std::function<uint8_t(int, int)>& green) {
    return bmpBytes(width, height, [&green](int c, int r) { return Colour{200, green(c, r), 7}; });
}
const auto flat = [](int, int) -> uint8_t { return 128; };
}  // namespace

TEST_F(TerrainGrid, HeightImagesGiveGreenHeightsTopRowFirstAndBadOnesLeaveTheGrid) {
    TempFolder folder;
    std::fill(cells, cells + kHeightCells, 9.0f);
    EXPECT_EQ(map.loadFromBmp(folder.write("flat.bmp", greenImage(128, 128, flat)).c_str(), 3.0f), 0);
    EXPECT_EQ(std::make_tuple(cells[0], cells[128 * 128 - 1], cells[128 * 128]),
              std::make_tuple(0.0f, 0.0f, 9.0f));
    // File row 0 (the bottom) green 0, the top row 255, column 3 at 64.
    const std::string ramp = folder.write("ramp.bmp", greenImage(8, 8, [](int column, int row) -> uint8_t {
                                              return column == 3 ? 64 : row == 0 ? 0 : row == 7 ? 255 : 128;
                                          }));
    EXPECT_EQ(map.loadFromBmp(ramp.c_str(), 3.0f), 0);
    EXPECT_EQ(
        std::make_tuple(map.size, cells[7 * 8 + 0], cells[0 * 8 + 0], cells[4 * 8 + 5], cells[2 * 8 + 3]),
        std::make_tuple(8, -3.0f, 0.9921875f * 3.0f, 0.0f, -1.5f));

    map.generate(Heightmap::kMounds, 128);
    const std::vector<float> before(cells, cells + kHeightCells);
    const Bytes eight = greenImage(8, 8, flat);
    const Bytes refused[] = {greenImage(257, 256, flat), patched(eight, 18, 0),  greenImage(65535, 1, flat),
                             greenImage(16, 8, flat),    greenImage(2, 2, flat), patched(eight, 18, -8u)};
    for (const Bytes& image : refused) {
        EXPECT_EQ(map.loadFromBmp(folder.write("refused.bmp", image).c_str(), 3.0f), 0) << &image - refused;
        EXPECT_EQ(map.size, 128);
    }
    EXPECT_EQ(map.loadFromBmp(folder.file("missing.bmp").c_str(), 3.0f), 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), cells));
    EXPECT_EQ(map.loadFromBmp(folder.write("largest.bmp", greenImage(256, 256, flat)).c_str(), 3.0f), 0);
    EXPECT_EQ(map.size, 256);
}

// A height grid without storage stays flat.
TEST_F(TerrainGrid, AGridWithoutStorageIsFlat) {
    Heightmap bare;
    EXPECT_EQ(bare.generate(Heightmap::kMounds, 128), 0);
    EXPECT_EQ(bare.sampleHeight(0.5f, 0.5f), 0.0f);
}
