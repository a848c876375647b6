// How each terrain image is drawn: texture repeats (before the magnification) and colour.
#include <gtest/gtest.h>

#include "app/world_drawing.h"

TEST(TerrainLooks, OneRowPerImage) {
    const float looks[12][5] = {{10, 1, 1, 1, 1}, {6, 1, 1, 1, 1},        {10, 1, 1, 1, 1},
                                {10, 1, 1, 1, 1}, {10, 1, 0.6f, 0.5f, 1}, {15, 1, 0.85f, 0.7f, 1},
                                {10, 1, 1, 1, 1}, {20, 1, 1, 1, 1},       {10, 0, 0, 1, 1},
                                {10, 1, 1, 1, 1}, {10, 1, 1, 1, 1},       {10, 1, 1, 1, 1}};
    for (int i = 0; i < 12; ++i) {
        const TerrainLook& l = kTerrainLooks[i];
        EXPECT_TRUE(l.repeat == looks[i][0] && l.red == looks[i][1] && l.green == looks[i][2] &&
                    l.blue == looks[i][3] && l.alpha == looks[i][4])
            << "image " << i;
    }
}
