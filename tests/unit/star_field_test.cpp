#include "scene/star_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/random.h"

namespace {
StarField startUpField() {
    StarField field;
    field.blendOn = 1;
    field.layers = 2;
    field.shape = 1;
    field.outerRadius = 4.0f;
    field.innerRadius = 3.0f;
    field.colourBase = 0.2f;
    field.colourRange = 0.5f;
    return field;
}
}  // namespace

TEST(StarField, CubicShellWithStartUpValues) {
    seedRandom(12345);
    const StarField field = startUpField();
    const auto stars = field.generateStars(1000);
    ASSERT_EQ(stars.size(), 1000u);
    int tinted = 0;
    for (const Star& star : stars) {
        const double reach = std::max({std::fabs(star.x), std::fabs(star.y), std::fabs(star.z)});
        ASSERT_GE(reach, 3.01);
        for (double c : {star.x, star.y, star.z}) {
            ASSERT_GE(c, -4.0);
            ASSERT_LT(c, 4.0);
        }
        for (float channel : {star.red, star.green, star.blue}) {
            ASSERT_GE(channel, 0.2f);
            ASSERT_LT(channel, 0.7f);
        }
        const bool pale = star.red >= 0.5f && star.green >= 0.5f && star.blue >= 0.5f;
        tinted += pale ? 0 : 1;
    }
    // About one star in ten is tinted, and a tinted star can still come out pale.
    EXPECT_GT(tinted, 40);
    EXPECT_LT(tinted, 120);
}

TEST(StarField, UpperHalfShellAndFullShell) {
    seedRandom(99);
    StarField field = startUpField();
    field.shape = 2;
    const auto upper = field.generateStars(500);
    ASSERT_EQ(upper.size(), 500u);
    bool lowHalfSeen = false;
    for (const Star& star : upper) {
        const double d = std::sqrt(star.x * star.x + star.y * star.y + star.z * star.z);
        ASSERT_GE(star.y, 0.0);
        ASSERT_GE(d, 3.0);
        ASSERT_LE(d, 4.0);
    }
    field.shape = 3;
    for (const Star& star : field.generateStars(500)) {
        const double d = std::sqrt(star.x * star.x + star.y * star.y + star.z * star.z);
        ASSERT_GE(d, 3.0);
        ASSERT_LE(d, 4.0);
        lowHalfSeen = lowHalfSeen || star.y < 0.0;
    }
    EXPECT_TRUE(lowHalfSeen);
}

TEST(StarField, DrawsPositionThenTintThenBlueGreenRed) {
    StarField field;
    field.outerRadius = 4.0f;
    field.innerRadius = 0.0f;  // the first candidate lies outside the tiny inner cube
    seedRandom(3);
    const Star star = field.generateStars(1).at(0);
    seedRandom(3);
    const double x = randomRange(8.0) - 4.0;
    const double y = randomRange(8.0) - 4.0;
    const double z = randomRange(8.0) - 4.0;
    const bool tinted = randomRange(1.0) < 0.1;
    const double base = tinted ? 0.3 : 0.7;
    const double range = tinted ? 0.7 : 0.3;
    const float blue = static_cast<float>(static_cast<float>(base) + randomRange(static_cast<float>(range)));
    const float green = static_cast<float>(static_cast<float>(base) + randomRange(static_cast<float>(range)));
    const float red = static_cast<float>(static_cast<float>(base) + randomRange(static_cast<float>(range)));
    ASSERT_GE(std::max({std::fabs(x), std::fabs(y), std::fabs(z)}), 0.01);
    EXPECT_EQ(star.x, x);
    EXPECT_EQ(star.y, y);
    EXPECT_EQ(star.z, z);
    EXPECT_EQ(star.blue, blue);
    EXPECT_EQ(star.green, green);
    EXPECT_EQ(star.red, red);
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
