#include <gtest/gtest.h>

#include "base/frame_clock.h"
#include "base/random.h"
#include "motion/wave_generator.h"
#include "support/fake_platform.h"

TEST(Random, FixedSequenceAndRange) {
    seedRandom(1);
    for (int expected : {41, 18467, 6334, 26500}) EXPECT_EQ(nextRandom(), expected);
    int seen[2] = {0, 0};
    for (int i = 0; i < 2000; ++i) {
        const int value = static_cast<int>(randomRange(2.0));
        ASSERT_TRUE(value == 0 || value == 1);
        ++seen[value];
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

// Stalls count as a fiftieth; the restart after the splash reads just above zero (an exit time of 0
// means none) and never steps back.
TEST(FrameClock, StallsAndTheRestartAfterTheSplash) {
    FakePlatform fake;
    FrameClock clock;
    const struct {
        int ms;
        float dt, now;
    } ticks[] = {{1000, 0.05f, 0.05f}, {1020, 0.02f, 0.07f}, {3020, 0.05f, 0.12f}, {3030, 0.01f, 0.13f}};
    for (const auto& t : ticks) {  // the first tick is itself a stall from 0; 3020 a two-second one
        fake.elapsedMs = t.ms;
        clock.tick();
        EXPECT_NEAR(clock.dt, t.dt, 1e-5) << t.ms;
        EXPECT_NEAR(clock.now, t.now, 1e-5) << t.ms;
    }
    for (int ms = 3050; ms <= 13000; ms += 50) {  // the splash
        fake.elapsedMs = ms;
        clock.tick();
    }
    ASSERT_GT(clock.now, 9.0f);
    clock.restart();
    EXPECT_GT(clock.now, 0.0f);
    EXPECT_LT(clock.now, 1e-30f);
    EXPECT_EQ(clock.dt, 0.0f);
    for (int initMs : {30, 700}) {  // the real initialisation time, a slow one clamped
        fake.elapsedMs += initMs;
        clock.tick();
        EXPECT_NEAR(clock.dt, initMs < 100 ? 0.03f : 0.05f, 1e-4);
        EXPECT_NEAR(clock.now, clock.dt, 1e-4);
        clock.restart();
    }
}

TEST(WaveGenerator, ResetAdvanceAndHeldChannels) {
    WaveGenerator waves;
    waves.reset(12);
    ASSERT_EQ(waves.channelCount, 10);
    for (int k = 0; k < 10; ++k) EXPECT_TRUE(waves.rate[k] >= 0.03f && waves.rate[k] < 0.04f) << k;
    const WaveGenerator before = waves;
    seedRandom(5);
    for (int k = 0; k < 20; ++k) nextRandom();
    const int after = nextRandom();
    seedRandom(5);
    waves.advance(0.0f, 1.0f);  // two draws per channel, nothing changes
    EXPECT_EQ(nextRandom(), after);
    for (int k = 0; k < 10; ++k)
        EXPECT_TRUE(waves.phase[k] == before.phase[k] && waves.rate[k] == before.rate[k]);
    waves.held[3] = 1;
    const float phase = waves.phase[3], rate = waves.rate[3];
    waves.advance(0.5f, 2.0f);
    EXPECT_EQ(waves.rate[3], rate);
    EXPECT_EQ(waves.phase[3], phase + 0.5f * rate * 2.0f);
}
