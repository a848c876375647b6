#include "scene/star_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/random.h"

namespace {
StarField startUpField(int shape) {
    StarField field;
    field.shape = shape;
    field.outerRadius = 4.0f;
    field.innerRadius = 3.0f;
    field.colourBase = 0.2f;
    field.colourRange = 0.5f;
    return field;
}
}  // namespace

TEST(StarField, ShellsWithTheStartUpValues) {
    seedRandom(12345);
    int tinted = 0;
    for (const Star& star : startUpField(1).generateStars(1000)) {
        ASSERT_GE(std::max({std::fabs(star.x), std::fabs(star.y), std::fabs(star.z)}), 3.01);
        for (double c : {star.x, star.y, star.z}) ASSERT_TRUE(c >= -4.0 && c < 4.0) << c;
        for (float channel : {star.red, star.green, star.blue})
            ASSERT_TRUE(channel >= 0.2f && channel < 0.7f);
        tinted += star.red < 0.5f || star.green < 0.5f || star.blue < 0.5f;
    }
    EXPECT_GT(tinted, 40);  // about one star in ten is tinted, and a tinted star can still come out pale
    EXPECT_LT(tinted, 120);

    bool lowHalfSeen = false;
    for (int shape : {2, 3}) {  // the upper half-shell, the full shell
        const auto stars = startUpField(shape).generateStars(500);
        ASSERT_EQ(stars.size(), 500u);
        for (const Star& star : stars) {
            const double d = std::sqrt(star.x * star.x + star.y * star.y + star.z * star.z);
            ASSERT_TRUE(d >= 3.0 && d <= 4.0) << d;
            ASSERT_TRUE(shape == 3 || star.y >= 0.0);
            lowHalfSeen = lowHalfSeen || star.y < 0.0;
        }
    }
    EXPECT_TRUE(lowHalfSeen);
}

TEST(StarField, AnEmptyShellEndsTheFieldInsteadOfHanging) {
    StarField field;
    field.outerRadius = 1.0f;
    field.innerRadius = 2.0f;
    EXPECT_TRUE(field.generateStars(3).empty());
    field.shape = 2;
    EXPECT_TRUE(field.generateStars(3).empty());
    EXPECT_TRUE(field.generateStars(-5).empty());
}
