#include "app/splash_screen.h"

#include <gtest/gtest.h>

namespace {
void expectState(const SplashKey& s, float z, float turnY, float turnZ, float red, float green, float blue) {
    const float got[] = {s.x, s.y, s.z, s.turnY, s.turnZ, s.red, s.green, s.blue};
    const float expected[] = {0.0f, 0.0f, z, turnY, turnZ, red, green, blue};
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(got[i], expected[i], 1e-4) << "field " << i;
}
}  // namespace

TEST(SplashScreen, KeyFramesAndTheEasingBetweenThem) {
    SplashScreen splash;
    expectState(splash.keyState(0.0f), -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    expectState(splash.keyState(2.0f), 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    expectState(splash.keyState(4.0f), -0.7f, 90.0f, 90.0f, 0.0f, 1.0f, 0.0f);
    // A quarter of the way from key 1 to key 2: position linear, colour along a cosine.
    expectState(splash.keyState(1.25f), -1.5f, 0.0f, 0.0f, 1.0f, 1.0f - 0.14644661f, 1.0f - 0.14644661f);
    // The loop closes from key 6 (blue at the origin) back to key 0 (white at z -2).
    expectState(splash.keyState(6.5f), -1.0f, 0.0f, 45.0f, 0.5f, 0.5f, 1.0f);
    EXPECT_NEAR(splash.keyState(6.999f).z, -2.0f, 0.01);
    // Times outside the loop and a bad key count stay inside the key table.
    expectState(splash.keyState(-3.0f), -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(splash.keyState(1e30f).blue, 1.0f);
    splash.keyCount = 50;
    expectState(splash.keyState(6.0f), 0.0f, 0.0f, 90.0f, 0.0f, 0.0f, 1.0f);
}

TEST(SplashScreen, AdvanceWrapsOnce) {
    SplashScreen splash;
    splash.advance(1.0f);
    EXPECT_FLOAT_EQ(splash.animationTime, 2.5f);
    splash.advance(1.8f);
    EXPECT_NEAR(splash.animationTime, 0.0f, 1e-5);  // 2.5 + 4.5 = 7 wraps to 0
    splash.animationTime = 6.9f;
    splash.advance(0.08f);
    EXPECT_NEAR(splash.animationTime, 0.1f, 1e-5);
}
