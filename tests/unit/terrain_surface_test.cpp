#include "terrain/terrain_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "terrain/heightmap.h"

namespace {
float cells[kHeightCells];

struct SurfaceFixture : ::testing::Test {
    Heightmap map;
    std::unique_ptr<TerrainSurface> surface = std::make_unique<TerrainSurface>();
    void SetUp() override {
        for (float& h : cells) h = 0.0f;
        map.heights = cells;
    }
};
}  // namespace

using TerrainMesh = SurfaceFixture;

TEST_F(TerrainMesh, StartsAt32AndHoldsResolutionTo2Through100) {
    EXPECT_EQ(surface->columns, 32);
    EXPECT_EQ(surface->rows, 32);
    EXPECT_EQ(surface->extent, 6.0f);
    EXPECT_EQ(surface->textureRepeat, 1.0f);
    const int asked[] = {0, 1, 500, -7, 63, 100, 101};
    const int held[] = {2, 2, 100, 2, 63, 100, 100};
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

TEST_F(TerrainMesh, PositionsSpanTheExtentShiftedByThreeQuartersOfAStep) {
    map.generate(Heightmap::kPlayground, 128);
    surface->setResolution(63);
    surface->build(map);
    const SurfaceVertex& first = surface->vertices[0][0];
    EXPECT_NEAR(first.x, -3.0726, 5e-5);
    EXPECT_NEAR(first.z, -3.0726, 5e-5);
    EXPECT_NEAR(surface->vertices[62][0].x, 3.0f - 0.75f * 6.0f / 62.0f, 1e-5);
    EXPECT_NEAR(surface->vertices[0][62].z, 3.0f - 0.75f * 6.0f / 62.0f, 1e-5);
    // Heights are the heightmap's, sampled at c / columns and r / rows, times 0.1.
    EXPECT_EQ(surface->vertices[10][20].y,
              static_cast<float>(map.sampleHeight(10.0f / 63, 20.0f / 63) * 0.1));
    EXPECT_EQ(surface->vertices[62][5].y, static_cast<float>(map.sampleHeight(62.0f / 63, 5.0f / 63) * 0.1));
}

TEST_F(TerrainMesh, FlatGroundFacesStraightUp) {
    for (float& h : cells) h = 2.0f;
    surface->setResolution(31);
    surface->build(map);
    for (int c = 0; c < 31; ++c) {
        for (int r = 0; r < 31; ++r) {
            const SurfaceVertex& vertex = surface->vertices[c][r];
            ASSERT_FLOAT_EQ(vertex.y, 0.2f);
            ASSERT_EQ(vertex.nx, 0.0f);
            ASSERT_EQ(vertex.ny, 1.0f);
            ASSERT_EQ(vertex.nz, 0.0f);
        }
    }
    float sx = 1.0f;
    float sz = 1.0f;
    surface->slopeAt(0.4f, 0.7f, sx, sz);
    EXPECT_EQ(sx, 0.0f);
    EXPECT_EQ(sz, 0.0f);
}

TEST_F(TerrainMesh, NormalsLeanDownhillAsTheSlopeSays) {
    map.generate(Heightmap::kPlayground, 128);
    surface->setResolution(99);
    surface->build(map);
    int leaning = 0;
    for (int c = 0; c < 99; ++c) {
        for (int r = 0; r < 99; ++r) {
            float sx = 0.0f;
            float sz = 0.0f;
            surface->slopeAt(static_cast<float>(c) / 99, static_cast<float>(r) / 99, sx, sz);
            const float length = std::sqrt(sx * sx + 1.0f + sz * sz);
            const SurfaceVertex& vertex = surface->vertices[c][r];
            ASSERT_EQ(vertex.nx, sx / length) << c << "," << r;
            ASSERT_EQ(vertex.ny, 1.0f / length) << c << "," << r;
            ASSERT_EQ(vertex.nz, sz / length) << c << "," << r;
            leaning += vertex.ny < 0.99f;
        }
    }
    EXPECT_GT(leaning, 500);
    // Downhill: on a surface rising along +u the slope points to -u.
    for (int c = 0; c < 100; ++c) {
        for (int r = 0; r < 100; ++r) surface->vertices[c][r].y = 0.01f * c;
    }
    float sx = 0.0f;
    float sz = 0.0f;
    surface->slopeAt(0.5f, 0.5f, sx, sz);
    EXPECT_LT(sx, 0.0f);
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
    EXPECT_EQ(surface->heightAt(1.0f, 1.0f), 33.0f);
    EXPECT_EQ(surface->heightAt(0.9f, 0.9f), 33.0f + 0.0f);  // the border neighbour is the vertex itself
    EXPECT_EQ(surface->heightAt(NAN, 1.0f), 3.0f);
    EXPECT_EQ(surface->heightAt(1.0f, NAN), 30.0f);
    EXPECT_EQ(surface->heightAt(INFINITY, -INFINITY), 30.0f);
    float sx = 0.0f;
    float sz = 0.0f;
    surface->slopeAt(NAN, NAN, sx, sz);
    EXPECT_TRUE(std::isfinite(sx) && std::isfinite(sz));
}
