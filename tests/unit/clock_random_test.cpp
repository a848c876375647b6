#include <gtest/gtest.h>

#include "base/frame_clock.h"
#include "base/math_helpers.h"
#include "base/random.h"
#include "support/fake_platform.h"

TEST(Random, FixedSequenceAndRange) {
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_EQ(nextRandom(), 6334);
    EXPECT_EQ(nextRandom(), 26500);
    seedRandom(7);
    bool seen[2] = {false, false};
    for (int i = 0; i < 2000; ++i) {
        const int value = static_cast<int>(randomRange(2.0));
        ASSERT_TRUE(value == 0 || value == 1);
        seen[value] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

TEST(FrameClock, StallsCountAsAFiftiethAndTimeGoesOnFromThere) {
    FakePlatform fake;
    FrameClock clock;
    fake.elapsedMs = 1000;
    clock.tick();  // the very first tick is itself a stall from 0
    EXPECT_FLOAT_EQ(clock.dt, 0.05f);
    EXPECT_NEAR(clock.now, 0.05f, 1e-6);
    fake.elapsedMs = 1020;
    clock.tick();
    EXPECT_NEAR(clock.dt, 0.02f, 1e-5);
    EXPECT_NEAR(clock.now, 0.07f, 1e-5);
    fake.elapsedMs = 3020;  // a two-second stall
    clock.tick();
    EXPECT_FLOAT_EQ(clock.dt, 0.05f);
    EXPECT_NEAR(clock.now, 0.12f, 1e-5);
    fake.elapsedMs = 3030;
    clock.tick();
    EXPECT_NEAR(clock.dt, 0.01f, 1e-5);
    EXPECT_NEAR(clock.now, 0.13f, 1e-5);
}

TEST(FrameClock, RestartAfterALongSplashNeverGivesANegativeStep) {
    FakePlatform fake;
    FrameClock clock;
    for (int ms = 0; ms <= 30000; ms += 20) {  // a 30-second splash
        fake.elapsedMs = ms;
        clock.tick();
    }
    ASSERT_GT(clock.now, 29.0f);
    clock.restart();
    fake.elapsedMs += 40;  // a quick initialisation: the step is the real time it took
    clock.tick();
    EXPECT_NEAR(clock.dt, 0.04f, 1e-3);
    EXPECT_NEAR(clock.now, 0.04f, 1e-3);

    clock.restart();
    fake.elapsedMs += 700;  // a slow one is clamped
    clock.tick();
    EXPECT_FLOAT_EQ(clock.dt, 0.05f);
    EXPECT_NEAR(clock.now, 0.05f, 1e-4);
}

TEST(Interpolation, EndsAndMiddle) {
    EXPECT_FLOAT_EQ(linearInterpolate(2.0f, 4.0f, 0.25f), 2.5f);
    EXPECT_FLOAT_EQ(cosineInterpolate(5.0f, 0.0f, 0.0f), 5.0f);
    EXPECT_NEAR(cosineInterpolate(5.0f, 0.0f, 1.0f), 0.0f, 1e-6);
    EXPECT_NEAR(cosineInterpolate(5.0f, 0.0f, 0.5f), 2.5f, 1e-6);
    float x = 3.0f, y = 4.0f, z = 0.0f;
    clampLength(x, y, z, 2.5f);
    EXPECT_FLOAT_EQ(x, 1.5f);
    EXPECT_FLOAT_EQ(y, 2.0f);
}
