#include "terrain/terrain_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

#include "terrain/heightmap.h"

namespace {
float cells[kHeightCells];

struct TerrainMesh : ::testing::Test {
    Heightmap map;
    std::unique_ptr<TerrainSurface> surface = std::make_unique<TerrainSurface>();
    void SetUp() override {
        std::fill(cells, cells + kHeightCells, 0.0f);
        map.heights = cells;
    }
    void build(int resolution) {
        surface->setResolution(resolution);
        surface->build(map);
    }
};
}  // namespace

TEST_F(TerrainMesh, ResolutionIsHeldTo2Through100) {
    EXPECT_EQ(surface->columns, 32);
    const int asked[] = {0, 1, 500, -7, 63, 100, 101}, held[] = {2, 2, 100, 2, 63, 100, 100};
    for (int k = 0; k < 7; ++k) {
        surface->setResolution(asked[k]);
        EXPECT_EQ(surface->columns, held[k]) << asked[k];
        EXPECT_EQ(surface->rows, held[k]) << asked[k];
    }
    // Counts written straight into the fields are held again by build and never reach past the grid.
    surface->columns = 1000;
    surface->rows = -3;
    EXPECT_TRUE(std::isfinite(surface->heightAt(1.0f, 1.0f)));
    surface->build(map);
    EXPECT_EQ(surface->columns, 100);
    EXPECT_EQ(surface->rows, 2);
}

// The shaded mesh itself is pinned by the reference pictures; here the extent and the slope's direction.
TEST_F(TerrainMesh, VerticesSpanTheExtentAndTheSlopePointsDownhill) {
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
    for (int c = 0; c < 100; ++c) {
        for (int r = 0; r < 100; ++r) surface->vertices[c][r].y = 0.01f * c;
    }
    surface->slopeAt(0.5f, 0.5f, sx, sz);
    EXPECT_LT(sx, 0.0f) << "downhill: on a surface rising along +u the slope points to -u";
    EXPECT_EQ(sz, 0.0f);
}

TEST_F(TerrainMesh, HeightAtClampsAndInterpolatesThreeCorners) {
    surface->setResolution(4);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) surface->vertices[c][r].y = static_cast<float>(c * 10 + r);
    }
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
