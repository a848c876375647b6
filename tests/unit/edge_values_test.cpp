// Values at the edges: the clock right after the splash, keys typed while start-up runs, huge
// vectors, the narrowed field of view, shininess from a file, and the pointer when Manual begins.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "base/frame_clock.h"
#include "base/math_helpers.h"
#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "motion/camera.h"
#include "settings/prefs.h"
#include "support/fake_platform.h"

TEST(EdgeValues, TheRestartedClockReadsZeroButAnExitStartedThenCounts) {
    FakePlatform fake;
    FrameClock clock;
    for (int ms = 0; ms <= 10000; ms += 50) {  // a ten-second splash
        fake.elapsedMs = ms;
        clock.tick();
    }
    ASSERT_GT(clock.now, 9.0f);
    clock.restart();
    EXPECT_GT(clock.now, 0.0f) << "an exit time of 0 means none";
    EXPECT_LT(clock.now, 1e-30f);
    EXPECT_EQ(clock.dt, 0.0f);
    fake.elapsedMs += 30;
    clock.tick();
    EXPECT_NEAR(clock.now, 0.03f, 1e-4);
    EXPECT_NEAR(clock.dt, 0.03f, 1e-4);
}

TEST(EdgeValues, KeysHeldDuringStartUpComeBackInOrder) {
    KeyboardState keys;
    EXPECT_EQ(keys.takeHeldKey(), 0);
    for (int key : {27, int{'q'}, 27}) keys.holdKey(key);
    for (int key : {27, int{'q'}, 27}) EXPECT_EQ(keys.takeHeldKey(), key);
    EXPECT_EQ(keys.takeHeldKey(), 0);
    for (int i = 0; i < 40; ++i) keys.holdKey('a');
    int kept = 0;
    while (keys.takeHeldKey()) ++kept;
    EXPECT_EQ(kept, 16);
}

TEST(EdgeValues, ClampLengthCapsHugeVectorsAndLeavesShortOnes) {
    const struct {
        float x, y, z, max, ex, ey, ez;
    } cases[] = {
        {3.0f, 4.0f, 0.0f, 2.5f, 1.5f, 2.0f, 0.0f},
        {0.3f, -0.4f, 0.0f, 10.0f, 0.3f, -0.4f, 0.0f},
        {3e38f, -2e38f, 0.0f, 3.6055513f, 3.0f, -2.0f, 0.0f},
        {FLT_MAX, FLT_MAX, FLT_MAX, 100.0f, 57.735027f, 57.735027f, 57.735027f},
        {0.0f, 0.0f, -2e20f, 10.0f, 0.0f, 0.0f, -10.0f},
    };
    for (const auto& c : cases) {
        float x = c.x, y = c.y, z = c.z;
        clampLength(x, y, z, c.max);
        EXPECT_NEAR(x, c.ex, 1e-4) << c.x;
        EXPECT_NEAR(y, c.ey, 1e-4) << c.x;
        EXPECT_NEAR(z, c.ez, 1e-4) << c.x;
    }
}

TEST(EdgeValues, TheNarrowedFieldOfViewStaysWithinOneTo179Degrees) {
    const struct {
        float fov;
        int letterbox;
        float expected;
    } cases[] = {{100.0f, 3, 89.0f}, {1.0f, 0, 1.0f},  {1.0f, 6, 1.0f},     {30.0f, 6, 1.0f},
                 {44.0f, 6, 1.0f},   {46.0f, 6, 2.0f}, {179.0f, 0, 179.0f}, {400.0f, 0, 179.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(letterboxedFieldOfView(c.fov, c.letterbox), c.expected)
            << c.fov << " " << c.letterbox;
}

TEST(EdgeValues, ALoadBringsShininessIntoZeroTo128) {
    for (const float stored : {1e30f, 129.0f, -0.5f, -FLT_MAX, 64.5f}) {
        PrefsRecord prefs;
        prefs.setDefaults();
        prefs.shininess = stored;
        prefs.makeSafe();
        EXPECT_FLOAT_EQ(prefs.shininess, stored > 128.0f ? 128.0f : (stored < 0.0f ? 0.0f : stored))
            << stored;
    }
}

TEST(EdgeValues, EnteringManualWithTheMenuOpenForgetsThePointerPosition) {
    FakePlatform fake;
    PrefsRecord prefs;
    prefs.setDefaults();
    PointerState pointer;
    for (const int menuActive : {1, 0}) {
        prefs.cameraMode = 0;
        pointer.trackPointer(700, 100, prefs, 768);  // overlay coordinates, hundreds of pixels
        prefs.cameraMode = 1;
        pointer.updateCursor(prefs, menuActive);
        EXPECT_EQ(pointer.x, 0) << menuActive;
        EXPECT_EQ(pointer.y, 0) << menuActive;
    }
    EXPECT_EQ(fake.cursors.front(), CursorShape::Arrow) << "the menu keeps its arrow";
}
