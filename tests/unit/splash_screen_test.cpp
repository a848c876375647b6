#include "app/splash_screen.h"

#include <gtest/gtest.h>

#include "base/frame_clock.h"
#include "support/fake_platform.h"

namespace {
void expectState(const SplashKey& s, float z, float turnY, float turnZ, float red, float green, float blue) {
    EXPECT_FLOAT_EQ(s.x, 0.0f);
    EXPECT_FLOAT_EQ(s.y, 0.0f);
    EXPECT_NEAR(s.z, z, 1e-6);
    EXPECT_NEAR(s.turnY, turnY, 1e-4);
    EXPECT_NEAR(s.turnZ, turnZ, 1e-4);
    EXPECT_NEAR(s.red, red, 1e-6);
    EXPECT_NEAR(s.green, green, 1e-6);
    EXPECT_NEAR(s.blue, blue, 1e-6);
}
}  // namespace

TEST(SplashScreen, KeyFramesAtWholeTimes) {
    const SplashScreen splash;
    expectState(splash.keyState(0.0f), -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    expectState(splash.keyState(2.0f), 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    expectState(splash.keyState(4.0f), -0.7f, 90.0f, 90.0f, 0.0f, 1.0f, 0.0f);
    expectState(splash.keyState(6.0f), 0.0f, 0.0f, 90.0f, 0.0f, 0.0f, 1.0f);
}

TEST(SplashScreen, PositionMovesLinearlyAndColourEasesAlongACosine) {
    const SplashScreen splash;
    // A quarter of the way from key 1 (white, z -2) to key 2 (red, origin).
    const SplashKey quarter = splash.keyState(1.25f);
    EXPECT_NEAR(quarter.z, -1.5f, 1e-6);
    EXPECT_NEAR(quarter.green, 1.0f - 0.14644661f, 1e-6);
    EXPECT_FLOAT_EQ(quarter.red, 1.0f);

    // The loop closes from key 6 (blue at the origin) back to key 0 (white at z -2).
    const SplashKey closing = splash.keyState(6.5f);
    expectState(closing, -1.0f, 0.0f, 45.0f, 0.5f, 0.5f, 1.0f);
    const SplashKey almost = splash.keyState(6.999f);
    EXPECT_NEAR(almost.z, -2.0f, 0.01);
    EXPECT_NEAR(almost.red, 1.0f, 1e-4);
    EXPECT_NEAR(almost.turnZ, 0.0f, 1e-3);
}

TEST(SplashScreen, AdvanceWrapsOnceAndAStallIsClamped) {
    SplashScreen splash;
    splash.advance(1.0f);
    EXPECT_FLOAT_EQ(splash.animationTime, 2.5f);
    splash.advance(1.8f);
    EXPECT_NEAR(splash.animationTime, 0.0f, 1e-5);  // 2.5 + 4.5 = 7 wraps to 0
    splash.animationTime = 6.9f;
    splash.advance(0.08f);
    EXPECT_NEAR(splash.animationTime, 0.1f, 1e-5);

    FakePlatform fake;
    FrameClock clock;
    fake.elapsedMs = 20;
    clock.tick();
    splash.animationTime = 1.0f;
    fake.elapsedMs = 5020;  // five seconds without a frame
    clock.tick();
    splash.advance(clock.dt);
    EXPECT_FLOAT_EQ(splash.animationTime, 1.0f + 0.05f * 2.5f);
}

TEST(SplashScreen, TimesOutsideTheLoopStayInsideTheKeyTable) {
    SplashScreen splash;
    expectState(splash.keyState(-3.0f), -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(splash.keyState(1e30f).blue, 1.0f);
    splash.keyCount = 50;
    expectState(splash.keyState(6.0f), 0.0f, 0.0f, 90.0f, 0.0f, 0.0f, 1.0f);
}
