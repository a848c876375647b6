#include "scene/star_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/random.h"

// The start-up values: radii 3 and 4, colours from 0.2 to 0.7; shape 1 a cube shell, 2 the upper half of
// a round shell, 3 the whole round shell.
TEST(StarField, ShellsWithTheStartUpValuesAndAnEmptyShellEndsTheField) {
    seedRandom(12345);
    StarField field;
    field.outerRadius = 4.0f;
    field.innerRadius = 3.0f;
    field.colourBase = 0.2f;
    field.colourRange = 0.5f;
    int tinted = 0, lowHalf = 0;
    for (int shape : {1, 2, 3}) {
        field.shape = shape;
        for (const Star& star : field.generateStars(1000)) {
            const double box = std::max({std::fabs(star.x), std::fabs(star.y), std::fabs(star.z)});
            const double d = std::sqrt(star.x * star.x + star.y * star.y + star.z * star.z);
            ASSERT_TRUE(shape == 1 ? box >= 3.01 && box <= 4.0 : d >= 3.0 && d <= 4.0) << shape << " " << d;
            ASSERT_TRUE(shape != 2 || star.y >= 0.0);
            for (float channel : {star.red, star.green, star.blue})
                ASSERT_TRUE(channel >= 0.2f && channel < 0.7f);
            tinted += shape == 1 && (star.red < 0.5f || star.green < 0.5f || star.blue < 0.5f);
            lowHalf += shape == 3 && star.y < 0.0;
        }
    }
    EXPECT_GT(tinted, 40);  // about one star in ten is tinted, and a tinted star can still come out pale
    EXPECT_LT(tinted, 120);
    EXPECT_GT(lowHalf, 0);
    field.innerRadius = 5.0f;
    for (int shape : {1, 2}) {
        field.shape = shape;
        EXPECT_TRUE(field.generateStars(3).empty());
    }
    EXPECT_TRUE(field.generateStars(-5).empty());
}
