#include <gtest/gtest.h>

#include "textures/bmp_reader.h"
#include "textures/procedural_texture.h"
#include "textures/texture_catalogue.h"
#include "textures/texture_loader.h"

TEST(ProceduralPattern, CheckerboardAndGrid) {
    const struct {
        int kind, x, y, value;
    } texels[] = {{kCheckerboardKind, 0, 0, 0}, {kCheckerboardKind, 8, 0, 255},
                  {kCheckerboardKind, 8, 8, 0}, {kCheckerboardKind, 7, 15, 255},
                  {kGridKind, 0, 5, 255},       {kGridKind, 5, 4, 255},
                  {kGridKind, 5, 5, 0},         {kGridKind, 124, 127, 255}};
    for (const auto& t : texels) EXPECT_EQ(proceduralPattern(t.kind, t.x, t.y), t.value) << t.x << "," << t.y;
}

TEST(RgbaPixels, LumaAndColourKeyAlpha) {
    BmpImage image;
    image.width = 4;
    image.height = 1;
    image.rgb = {255, 0, 0, 255, 255, 255, 0, 0, 0, 1, 2, 2};
    const auto luma = makeRgbaPixels(image, -1, 0);
    ASSERT_EQ(luma.size(), 16u);
    EXPECT_EQ(luma[0], 255);
    EXPECT_EQ(luma[2], 0);
    // (r + g + b) / 3 truncated; with a key: 0 only where every channel is below the threshold.
    const int expected[3][4] = {{85, 255, 0, 1}, {200, 200, 0, 200}, {200, 200, 0, 0}};
    const auto keyed = makeRgbaPixels(image, 200, 2), keyed3 = makeRgbaPixels(image, 200, 3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(luma[i * 4 + 3], expected[0][i]) << i;
        EXPECT_EQ(keyed[i * 4 + 3], expected[1][i]) << i;
        EXPECT_EQ(keyed3[i * 4 + 3], expected[2][i]) << i;
    }
}

TEST(TextureCatalogue, OutOfRangeGivesNoTextureAndOverflowIsIgnored) {
    TextureCatalogue catalogue;
    EXPECT_EQ(catalogue.catalogueTexture(0), 0u);
    for (unsigned name : {7u, 0u, 9u}) catalogue.addToCatalogue(name);  // a failed load keeps its slot
    EXPECT_EQ(catalogue.textureCount, 3);
    EXPECT_EQ(catalogue.catalogueTexture(2), 9u);
    for (int slot : {3, -1, 1000000}) EXPECT_EQ(catalogue.catalogueTexture(slot), 0u) << slot;
    for (unsigned name = 100; name < 130; ++name) catalogue.addToCatalogue(name);
    EXPECT_EQ(catalogue.textureCount, TextureCatalogue::kCapacity);
    EXPECT_EQ(catalogue.catalogueTexture(19), 116u);
    EXPECT_EQ(catalogue.catalogueTexture(20), 0u);
}
