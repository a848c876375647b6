#include <gtest/gtest.h>

#include "textures/bmp_reader.h"
#include "textures/procedural_texture.h"
#include "textures/texture_catalogue.h"
#include "textures/texture_loader.h"

TEST(ProceduralPattern, CheckerboardAndGrid) {
    EXPECT_EQ(proceduralPattern(kCheckerboardKind, 0, 0), 0);
    EXPECT_EQ(proceduralPattern(kCheckerboardKind, 8, 0), 255);
    EXPECT_EQ(proceduralPattern(kCheckerboardKind, 8, 8), 0);
    EXPECT_EQ(proceduralPattern(kCheckerboardKind, 7, 15), 255);
    EXPECT_EQ(proceduralPattern(kCheckerboardKind, 127, 127), 0);

    EXPECT_EQ(proceduralPattern(kGridKind, 0, 5), 255);
    EXPECT_EQ(proceduralPattern(kGridKind, 5, 4), 255);
    EXPECT_EQ(proceduralPattern(kGridKind, 5, 5), 0);
    EXPECT_EQ(proceduralPattern(kGridKind, 124, 127), 255);
    EXPECT_EQ(proceduralPattern(kGridKind, 127, 127), 0);
}

TEST(RgbaPixels, LumaAndColourKeyAlpha) {
    BmpImage image;
    image.width = 4;
    image.height = 1;
    image.rgb = {255, 0, 0, 255, 255, 255, 0, 0, 0, 1, 2, 2};
    const auto luma = makeRgbaPixels(image, -1, 0);
    ASSERT_EQ(luma.size(), 16u);
    EXPECT_EQ(luma[0], 255);
    EXPECT_EQ(luma[1], 0);
    EXPECT_EQ(luma[2], 0);
    EXPECT_EQ(luma[3], 85);
    EXPECT_EQ(luma[7], 255);
    EXPECT_EQ(luma[11], 0);
    EXPECT_EQ(luma[15], 1);  // 5 / 3.0 truncated

    const auto keyed = makeRgbaPixels(image, 200, 2);
    EXPECT_EQ(keyed[3], 200);  // one channel at or above the threshold keeps the pixel
    EXPECT_EQ(keyed[7], 200);
    EXPECT_EQ(keyed[11], 0);
    EXPECT_EQ(keyed[15], 200);  // 2 is not below 2
    EXPECT_EQ(makeRgbaPixels(image, 200, 3)[15], 0);
}

TEST(TextureCatalogue, OutOfRangeGivesNoTextureAndOverflowIsIgnored) {
    TextureCatalogue catalogue;
    EXPECT_EQ(catalogue.catalogueTexture(0), 0u);
    catalogue.addToCatalogue(7);
    catalogue.addToCatalogue(0);  // a failed load keeps its slot
    catalogue.addToCatalogue(9);
    EXPECT_EQ(catalogue.textureCount, 3);
    EXPECT_EQ(catalogue.catalogueTexture(0), 7u);
    EXPECT_EQ(catalogue.catalogueTexture(2), 9u);
    EXPECT_EQ(catalogue.catalogueTexture(3), 0u);
    EXPECT_EQ(catalogue.catalogueTexture(-1), 0u);
    EXPECT_EQ(catalogue.catalogueTexture(1000000), 0u);

    for (unsigned name = 100; name < 130; ++name) catalogue.addToCatalogue(name);
    EXPECT_EQ(catalogue.textureCount, TextureCatalogue::kCapacity);
    EXPECT_EQ(catalogue.catalogueTexture(19), 116u);
    EXPECT_EQ(catalogue.catalogueTexture(20), 0u);
}
