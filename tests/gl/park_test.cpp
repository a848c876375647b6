// The started park on a real offscreen context with the generated data: the wind, and
// any finite preference record ridden and drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <random>
#include <string>

#include "app/park_actions.h"
#include "motion/camera.h"
#include "support/gl_helpers.h"
#include "support/park_start.h"

namespace {
// A finite value picked to hurt: a range edge, a huge or tiny magnitude, or something ordinary.
float extremeFloat(std::mt19937& draw) {
    const float picks[] = {FLT_MAX, -FLT_MAX, 1e30f, -1e30f, 1e-30f, -1e-30f, 0.0f, 128.5f, -1.0f, 1e6f};
    const unsigned choice = draw() % 12;
    if (choice < 10) return picks[choice];
    return std::ldexp(static_cast<float>(draw() % 2000) / 1000.0f - 1.0f,
                      static_cast<int>(draw() % 256) - 128);
}

int extremeInt(std::mt19937& draw) {
    const int picks[] = {INT_MIN, INT_MAX, -1, 0, 1, 2, 6, 7, 179, 180};
    const unsigned choice = draw() % 12;
    return choice < 10 ? picks[choice] : static_cast<int>(draw());
}

// What is wrong with the camera's matrices as the frame set them up, and with the rider.
std::string brokenCamera() {
    Screen.setLetterbox(Prefs.letterbox);
    Screen.applyViewport();
    setProjection(Skater, Prefs, Screen);
    std::string wrong;
    float p[16], m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        if (!std::isfinite(p[i]) || !std::isfinite(m[i]) || !std::isfinite(Skater.viewMatrix[i]))
            wrong += " matrix not finite";
    if (!(p[0] > 0.0f && p[5] > 0.0f && p[11] == -1.0f)) wrong += " not a right-way-up perspective";
    if (m[5] != 1.0f) wrong += " the camera's y axis is not up";
    for (const float value : {Skater.x, Skater.y, Skater.z, Skater.vx, Skater.vy, Skater.vz})
        if (!std::isfinite(value)) wrong += " rider not finite";
    return wrong;
}
}  // namespace

// Seeded random records of extreme values are loaded from the file, ridden and drawn for two frames
// each, and the picture never breaks.
TEST(ExtremePrefs, RandomFiniteRecordsAreRiddenAndDrawnWithoutBreakingThePicture) {
    Park park(32, 24);
    ASSERT_TRUE(park.start());
    Clock.restart();
    glGetError();
    Prefs.tessellation = 31;  // the coarsest mesh keeps thousands of frames cheap
    rebuildTerrainSurface();
    std::mt19937 draw(20261206);
    int failures = 0;
    for (int record = 0; record < 2000 && failures < 5; ++record) {
        PrefsRecord prefs;
        for (const PrefsField& f : kPrefsFields) {
            if (f.intField) prefs.*f.intField = extremeInt(draw);
            if (!f.intField) prefs.*f.floatField = extremeFloat(draw);
        }
        Bytes bytes(PrefsRecord::kFileSize);
        prefs.toBytes(bytes.data());
        writeFile("Rampix.pref", bytes);
        ASSERT_EQ(loadPrefsOnCommand(), 0);
        Prefs.cameraMode = static_cast<int>(draw() % 3);
        Skater.resetRide(Prefs);
        Skater.fieldOfView = static_cast<float>(Prefs.fovDegrees);
        Skater.y = -1.0f;  // under the ground, so the slopes push at once
        Pointer.leftButton = draw() % 2 ? kButtonHeld : kButtonUp;
        Keyboard.moveKeys = static_cast<int>(draw() % 64);
        std::string wrong;
        for (int frame = 0; frame < 2; ++frame) {
            park.fake.elapsedMs += 20;
            ErrorText.text[0] = '\0';
            runFrame();
            if (ErrorText.text[0] != '\0' || glGetError() != GL_NO_ERROR) wrong += " GL error";
            wrong += brokenCamera();
        }
        if (!wrong.empty() && ++failures)
            ADD_FAILURE() << "record " << record << ":" << wrong << " (" << ErrorText.text << ")";
    }
}

// The wind comes back 20 to 40 s of game time after the start-up wind ended, however long the splash.
TEST(World, TheWindKeepsItsRhythmAfterALongSplash) {
    Park park(16, 16);
    for (park.fake.elapsedMs = 0; park.fake.elapsedMs <= 45000; park.fake.elapsedMs += 50) Clock.tick();
    ASSERT_TRUE(park.start());
    Clock.restart();  // as the first game frame does
    EXPECT_FLOAT_EQ(Sounds.lastEndTime, 2.0f) << "the start-up wind fills the park's first two seconds";
    while (Sounds.lastEndTime == 2.0f && Clock.now < 60.0f) park.runFrames(1);
    EXPECT_FLOAT_EQ(Sounds.busyUntil, Clock.now + 0.1f) << "the wind, 0.1 s long";
    EXPECT_GE(Clock.now, 22.0f);
    EXPECT_LE(Clock.now, 42.0f);
}
