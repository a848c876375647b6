// The height grid (shapes, height images, bump options, the wrapping sampler) and the mesh built on it.
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
    // Cell (i, j) of the shape formulas, which are stored mirrored on both axes.
    float shapeCell(int i, int j) const { return cells[(map.size - 1 - i) * map.size + (map.size - 1 - j)]; }
    void build(int resolution) {
        surface->setResolution(resolution);
        surface->build(map);
    }
};

// A BMP whose green channel is given; blue and red must not matter.
Bytes greenImage(int width, int height, const std::function<uint8_t(int, int)>& green) {
    return bmpBytes(width, height, [&green](int c, int r) { return Colour{200, green(c, r), 7}; });
}
const auto flat = [](int, int) -> uint8_t { return 128; };
}  // namespace

// The shapes, chosen by bump option: 0 Mounds, 1 Rings, 4 Playground; 2 and 3 read bump_128.bmp and
// bump3.bmp; other numbers change nothing.
TEST_F(TerrainGrid, ShapesAndBumpOptions) {
    TempFolder folder(true);
    const auto zero = [](int, int) -> uint8_t { return 0; };
    folder.write("bump_128.bmp", greenImage(4, 4, zero));
    folder.write("bump3.bmp", greenImage(8, 8, zero));
    // The option, then the grid's side and first cell after it.
    for (const auto& [option, size, cell0] :
         {std::tuple{2, 4, -3.0f}, {3, 8, -7.0f}, {5, 8, -7.0f}, {-1, 8, -7.0f}}) {
        map.applyBumpOption(option);
        EXPECT_EQ(std::make_pair(map.size, cells[0]), std::make_pair(size, cell0)) << option;
    }
    map.applyBumpOption(0);
    EXPECT_EQ(map.size, 128);
    EXPECT_FLOAT_EQ(cells[63 * 128 + 63], 1.0f);  // option 0: Mounds
    EXPECT_FLOAT_EQ(shapeCell(64, 54), static_cast<float>(std::cos(-1.0)));

    map.applyBumpOption(1);  // Rings
    EXPECT_EQ(*std::max_element(cells, cells + kHeightCells), 0.25f);
    EXPECT_EQ(shapeCell(64, 64), 0.0f);
    EXPECT_NEAR(shapeCell(64, 74), 0.14112f, 1e-5);   // sin(0.3 x 10), below the flat crests
    EXPECT_NEAR(shapeCell(64, 76), -0.44252f, 1e-5);  // sin(0.3 x 12)

    map.applyBumpOption(4);  // Playground
    // Ramp steps ((i - 20) / 64 is not whole), corners, the bowl centre, the trough bottom.
    const struct {
        int i, j;
        float height;
    } playground[] = {
        {20, 5, 5.0f},  {52, 5, 2.5f},   {84, 5, 0.0f},    {127, 127, 2.0f},
        {127, 0, 2.0f}, {62, 59, -6.0f}, {60, 100, -2.0f}, {0, 0, 12.0f * std::cos(-0.3f) - 7.0f}};
    for (const auto& p : playground) EXPECT_NEAR(shapeCell(p.i, p.j), p.height, 1e-5) << p.i << "," << p.j;

    EXPECT_EQ(map.generate(Heightmap::kMounds, 128), 0);
    EXPECT_EQ(map.generate(Heightmap::kRings, 0), 0);  // unusable sides change nothing
    EXPECT_EQ(map.generate(Heightmap::kRings, 257), 0);
    EXPECT_EQ(map.size, 128);
    Heightmap bare;  // no storage
    EXPECT_EQ(bare.generate(Heightmap::kMounds, 128), 0);
    EXPECT_EQ(bare.sampleHeight(0.5f, 0.5f), 0.0f);
}

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

TEST_F(TerrainGrid, SamplingUsesThreeCornersWrapsAndAnswersWildInputs) {
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
    for (float t : {NAN, INFINITY, -INFINITY, 3.0e38f, -3.0e38f, 16777216.0f, -16777217.0f})
        EXPECT_TRUE(std::isfinite(map.sampleHeight(t, 0.5f)) && std::isfinite(map.sampleHeight(0.5f, t)))
            << t;
    EXPECT_EQ(map.sampleHeight(1000.375f, 0.0f), map.sampleHeight(0.375f, 0.0f));
    EXPECT_EQ(map.sampleHeight(-1000.0f, 0.0f), map.sampleHeight(0.0f, 0.0f));
    map.size = 100000;  // a side the storage cannot hold is not sampled
    EXPECT_EQ(map.sampleHeight(0.99f, 0.99f), 0.0f);
}

// The mesh resolution is held to 2..100, also when the counts are written straight into the fields.
TEST_F(TerrainGrid, MeshResolutionIsHeldTo2Through100) {
    EXPECT_EQ(surface->columns, 32);
    for (const auto& [asked, held] :
         {std::pair{0, 2}, {1, 2}, {500, 100}, {-7, 2}, {63, 63}, {100, 100}, {101, 100}}) {
        surface->setResolution(asked);
        EXPECT_EQ(std::make_pair(surface->columns, surface->rows), std::make_pair(held, held)) << asked;
    }
    surface->columns = 1000;
    surface->rows = -3;
    EXPECT_TRUE(std::isfinite(surface->heightAt(1.0f, 1.0f)));
    surface->build(map);
    EXPECT_EQ(std::make_pair(surface->columns, surface->rows), std::make_pair(100, 2));
}

// The shaded mesh itself is pinned by the reference pictures; here the extent and the slope's direction.
TEST_F(TerrainGrid, MeshVerticesSpanTheExtentAndTheSlopePointsDownhill) {
    std::fill(cells, cells + kHeightCells, 2.0f);
    build(31);
    float sx = 1.0f, sz = 1.0f;
    surface->slopeAt(0.4f, 0.7f, sx, sz);
    EXPECT_EQ(std::make_tuple(surface->vertices[30][30].y, surface->vertices[30][30].ny, sx, sz),
              std::make_tuple(0.2f, 1.0f, 0.0f, 0.0f));

    map.generate(Heightmap::kPlayground, 128);
    build(63);  // shifted by three quarters of a step; heights sampled at c / columns, times 0.1
    EXPECT_NEAR(surface->vertices[0][0].x, -3.0726, 5e-5);
    EXPECT_NEAR(surface->vertices[0][0].z, -3.0726, 5e-5);
    EXPECT_NEAR(surface->vertices[62][0].x, 3.0f - 0.75f * 6.0f / 62.0f, 1e-5);
    EXPECT_EQ(surface->vertices[10][20].y,
              static_cast<float>(map.sampleHeight(10.0f / 63, 20.0f / 63) * 0.1));
    for (int c = 0; c < 100; ++c)
        for (int r = 0; r < 100; ++r) surface->vertices[c][r].y = 0.01f * c;
    surface->slopeAt(0.5f, 0.5f, sx, sz);
    EXPECT_LT(sx, 0.0f) << "downhill: on a surface rising along +u the slope points to -u";
    EXPECT_EQ(sz, 0.0f);
}

TEST_F(TerrainGrid, MeshHeightClampsAndInterpolatesThreeCorners) {
    surface->setResolution(4);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) surface->vertices[c][r].y = static_cast<float>(c * 10 + r);
    EXPECT_EQ(surface->heightAt(0.375f, 0.125f), 10.0f + 10.0f * 0.5f + 1.0f * 0.5f);
    EXPECT_EQ(surface->heightAt(-5.0f, 2.0f), surface->heightAt(0.0f, 1.0f));
    EXPECT_EQ(surface->heightAt(0.0f, 1.0f), 3.0f);
    EXPECT_EQ(surface->heightAt(0.9f, 0.9f), 33.0f);  // the border neighbour is the vertex itself
    EXPECT_EQ(surface->heightAt(NAN, 1.0f), 3.0f);
    EXPECT_EQ(surface->heightAt(1.0f, NAN), 30.0f);
    EXPECT_EQ(surface->heightAt(INFINITY, -INFINITY), 30.0f);
    float sx = 0.0f, sz = 0.0f;
    surface->slopeAt(NAN, NAN, sx, sz);
    EXPECT_TRUE(std::isfinite(sx) && std::isfinite(sz));
}
