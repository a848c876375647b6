// Values at the edges: keys typed while start-up runs, huge vectors, the narrowed field of view,
// shininess from a file, and the pointer when Manual begins.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "base/math_helpers.h"
#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "motion/camera.h"
#include "settings/prefs.h"
#include "support/fake_platform.h"

TEST(EdgeValues, KeysHeldDuringStartUpComeBackInOrderSixteenAtMost) {
    KeyboardState keys;
    for (int key : {27, int{'q'}, 27}) keys.holdKey(key);
    for (int key : {27, int{'q'}, 27, 0}) EXPECT_EQ(keys.takeHeldKey(), key);
    for (int i = 0; i < 40; ++i) keys.holdKey('a');
    int kept = 0;
    while (keys.takeHeldKey()) ++kept;
    EXPECT_EQ(kept, 16);
}

TEST(EdgeValues, ClampLengthFieldOfViewAndShininess) {
    const struct {
        float x, y, z, max, ex, ey, ez;
    } vectors[] = {
        {3.0f, 4.0f, 0.0f, 2.5f, 1.5f, 2.0f, 0.0f},
        {0.3f, -0.4f, 0.0f, 10.0f, 0.3f, -0.4f, 0.0f},
        {3e38f, -2e38f, 0.0f, 3.6055513f, 3.0f, -2.0f, 0.0f},
        {FLT_MAX, FLT_MAX, FLT_MAX, 100.0f, 57.735027f, 57.735027f, 57.735027f},
        {0.0f, 0.0f, -2e20f, 10.0f, 0.0f, 0.0f, -10.0f},
    };
    for (const auto& c : vectors) {
        float x = c.x, y = c.y, z = c.z;
        clampLength(x, y, z, c.max);
        EXPECT_TRUE(std::fabs(x - c.ex) < 1e-4 && std::fabs(y - c.ey) < 1e-4 && std::fabs(z - c.ez) < 1e-4)
            << c.x << " gives " << x << "," << y << "," << z;
    }
    const float fovs[][3] = {{100, 3, 89}, {1, 0, 1},  {1, 6, 1},     {30, 6, 1},
                             {44, 6, 1},   {46, 6, 2}, {179, 0, 179}, {400, 0, 179}};
    for (const auto& f : fovs)
        EXPECT_FLOAT_EQ(letterboxedFieldOfView(f[0], static_cast<int>(f[1])), f[2]) << f[0] << " " << f[1];
    const float shininess[][2] = {{1e30f, 128}, {129, 128}, {-0.5f, 0}, {-FLT_MAX, 0}, {64.5f, 64.5f}};
    for (const auto& s : shininess) {
        PrefsRecord prefs;
        prefs.setDefaults();
        prefs.shininess = s[0];
        prefs.makeSafe();
        EXPECT_FLOAT_EQ(prefs.shininess, s[1]) << s[0];
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
        EXPECT_EQ(std::make_pair(pointer.x, pointer.y), std::make_pair(0, 0)) << menuActive;
    }
    EXPECT_EQ(fake.cursors.front(), CursorShape::Arrow) << "the menu keeps its arrow";
}
