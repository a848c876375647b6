// Any finite preference record can be loaded and ridden: seeded random records of extreme values are
// loaded from the file, a few frames are ridden and drawn, and the picture never breaks.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "app/park_actions.h"
#include "app/startup.h"
#include "motion/camera.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/park_start.h"
#include "support/test_files.h"

namespace {
constexpr int kRecords = 2000;
constexpr int kFramesPerRecord = 2;

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

Bytes extremeRecord(std::mt19937& draw) {
    PrefsRecord prefs;
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField)
            prefs.*f.intField = extremeInt(draw);
        else
            prefs.*f.floatField = extremeFloat(draw);
    }
    Bytes bytes(PrefsRecord::kFileSize);
    prefs.toBytes(bytes.data());
    return bytes;
}

std::string brokenMatrix(GLenum which) {
    float m[16];
    glGetFloatv(which, m);
    for (const float value : m)
        if (!std::isfinite(value)) return "not finite";
    if (which == GL_PROJECTION_MATRIX && !(m[0] > 0.0f && m[5] > 0.0f && m[11] == -1.0f))
        return "not a right-way-up perspective";
    if (which == GL_MODELVIEW_MATRIX && m[5] != 1.0f) return "the camera's y axis is not up";
    return "";
}

// The camera's own matrices as the frame set them up, checked again after the frame.
std::string brokenCamera() {
    Screen.setLetterbox(Prefs.letterbox);
    Screen.applyViewport();
    setProjection(Skater, Prefs, Screen);
    std::string wrong = brokenMatrix(GL_PROJECTION_MATRIX) + brokenMatrix(GL_MODELVIEW_MATRIX);
    for (const float value : Skater.viewMatrix)
        if (!std::isfinite(value)) wrong += " view rotation not finite";
    for (const float value : {Skater.x, Skater.y, Skater.z, Skater.vx, Skater.vy, Skater.vz})
        if (!std::isfinite(value)) wrong += " rider not finite";
    return wrong;
}

// The started park in a working folder holding the generated data, on a small offscreen context.
struct Park {
    GlContext gl{32, 24};
    FakePlatform fake;
    TempFolder folder{true};
    bool ready = false;

    Park() {
        if (!gl.ok() || !startPark(gl)) return;
        Clock.restart();
        glGetError();
        ready = true;
    }
};
}  // namespace

TEST(ExtremePrefs, RandomFiniteRecordsAreRiddenAndDrawnWithoutBreakingThePicture) {
    Park park;
    ASSERT_TRUE(park.ready);
    FakePlatform& fake = park.fake;

    Prefs.tessellation = 31;  // the coarsest mesh keeps thousands of frames cheap
    rebuildTerrainSurface();
    std::mt19937 draw(20261206);
    int failures = 0;
    for (int record = 0; record < kRecords && failures < 5; ++record) {
        writeFile("Rampix.pref", extremeRecord(draw));
        ASSERT_EQ(loadPrefsOnCommand(), 0);
        Prefs.cameraMode = static_cast<int>(draw() % 3);
        Skater.resetRide(Prefs);
        Skater.fieldOfView = static_cast<float>(Prefs.fovDegrees);
        Skater.y = -1.0f;  // under the ground, so the slopes push at once
        Pointer.leftButton = draw() % 2 ? kButtonHeld : kButtonUp;
        Keyboard.moveKeys = static_cast<int>(draw() % 64);
        std::string wrong;
        for (int frame = 0; frame < kFramesPerRecord; ++frame) {
            fake.elapsedMs += 20;
            ErrorText.text[0] = '\0';
            runFrame();
            if (ErrorText.text[0] != '\0' || glGetError() != GL_NO_ERROR) wrong += " GL error";
            wrong += brokenCamera();
        }
        if (!wrong.empty()) {
            ++failures;
            ADD_FAILURE() << "record " << record << ":" << wrong << " (" << ErrorText.text << ")";
        }
    }
    Pointer.leftButton = kButtonUp;
    Keyboard.moveKeys = 0;
}

TEST(ExtremePrefs, AHugeSlopePushStopsTheRiderInsteadOfLosingHim) {
    Park park;
    ASSERT_TRUE(park.ready);
    FakePlatform& fake = park.fake;
    const float ground = Terrain.heightAt(0.7f / Terrain.extent + 0.5f, 0.3f / Terrain.extent + 0.5f);
    ASSERT_NE(ground, 0.0f);
    Prefs.heightScale = ground > 0.0f ? 1e30f : -1e30f;  // the ground rises far above the rider
    Prefs.bumpResponse = 1e30f;
    Prefs.shininess = 1e9f;  // not from a file: the point of use clamps it too
    Skater.moveTo(0.7f, -1.0f, 0.3f);
    for (int frame = 0; frame < 5; ++frame) {
        fake.elapsedMs += 20;
        runFrame();
        EXPECT_TRUE(std::isfinite(Skater.x) && std::isfinite(Skater.y) && std::isfinite(Skater.z)) << frame;
        EXPECT_TRUE(std::isfinite(Skater.vx) && std::isfinite(Skater.vy) && std::isfinite(Skater.vz))
            << frame;
    }
    EXPECT_FLOAT_EQ(Skater.x, 0.7f) << "the push overflowed: the rider stays where he was";
    EXPECT_EQ(ErrorText.text[0], '\0') << ErrorText.text;
    float shininess = 0.0f;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(shininess, 128.0f);
}
