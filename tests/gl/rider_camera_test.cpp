// The rider's motion and the camera, driven frame by frame on a real GL context (the rider reads
// its view axes back from the modelview matrix).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/frame_clock.h"
#include "base/screen_view.h"
#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "motion/camera.h"
#include "motion/rider.h"
#include "motion/wave_generator.h"
#include "settings/prefs.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"

namespace {
struct RiderWorld {
    GlContext gl{16, 16};
    FakePlatform fake;
    PrefsRecord prefs;
    FrameClock clock;
    PointerState pointer;
    KeyboardState keys;
    WaveGenerator positions, angles;
    std::vector<float> cells = std::vector<float>(kHeightCells, 0.0f);
    Heightmap heightmap;
    TerrainSurface ground;
    Rider rider;
    ScreenView screen;

    RiderWorld() {
        prefs.setDefaults();
        prefs.cameraMode = 1;
        heightmap.heights = cells.data();
        heightmap.size = 128;
        ground.setResolution(63);
        ground.build(heightmap);
        positions.reset(10);
        angles.reset(4);
        rider.prefs = &prefs;
        rider.clock = &clock;
        rider.pointer = &pointer;
        rider.keys = &keys;
        rider.ground = &ground;
        rider.positionWander = &positions;
        rider.angleWander = &angles;
        rider.resetRide(prefs);
        screen.nearPlane = 0.01f;
        screen.farPlane = 9.0f;
        screen.setLetterbox(0);
    }

    void frame(float dt, int paused = 0, int menuActive = 0) {
        clock.dt = dt;
        setProjection(rider, prefs, screen);
        rider.stepRider(paused, menuActive);
    }
    float speed() const { return std::sqrt(rider.vx * rider.vx + rider.vy * rider.vy + rider.vz * rider.vz); }
};

}  // namespace

TEST(Rider, StartsLookingAcrossTheParkAndRestsOnTheGroundUnderGravity) {
    RiderWorld w;
    ASSERT_TRUE(w.gl.ok());
    w.frame(0.0f);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(w.rider.forwardAxis[k], k == 0 ? 1.0f : 0.0f, 1e-5) << k;
    EXPECT_FLOAT_EQ(w.rider.x, -3.0f);
    EXPECT_NEAR(w.rider.y, 0.15f, 1e-6) << "eye height above flat ground";
    w.rider.y = 1.0f;  // airborne: gravity of 10 per second
    w.frame(0.02f);
    EXPECT_NEAR(w.rider.vy, -0.2f * (1.0f - 0.2f * 0.02f), 1e-5);
}

TEST(Rider, KicksDragBorderAndLimits) {
    RiderWorld w;
    ASSERT_TRUE(w.gl.ok());
    w.pointer.leftButton = kButtonHeld;
    w.frame(0.0f);
    EXPECT_EQ(w.speed(), 0.0f) << "with no time passing a kick adds nothing";
    w.prefs.moveSensitivity = 50.0f;
    for (const float limit : {10.0f, 100.0f}) {  // a kick with the pointer, then pushes with Alt held
        float fastest = 0.0f;
        for (int i = 0; i < 50; ++i) {
            w.frame(0.05f, 1);  // paused: the velocity builds up while the rider stays put
            fastest = std::max(fastest, w.speed());
        }
        EXPECT_GT(w.rider.vx, 0.0f) << "forward, along the view";
        EXPECT_LE(fastest, limit * 1.00001f);
        EXPECT_GT(fastest, limit * 0.98f);
        w.pointer.leftButton = kButtonUp;
        w.keys.altDown = 4;
        w.keys.moveKeys = kMoveForward;
    }

    // The arrow keys push by 2 x dt x sensitivity (the drag of the frame takes off 0.4 %).
    RiderWorld k;
    k.prefs.moveSensitivity = 1.0f;
    k.keys.moveKeys = kMoveForward | kMoveLeft;
    k.frame(0.02f, 1);
    EXPECT_NEAR(k.rider.vx, 0.04f, 0.0005f);
    EXPECT_NEAR(std::fabs(k.rider.vz), 0.04f, 0.0005f) << "and sideways";

    RiderWorld b;
    b.rider.x = 3.5f;
    b.rider.vx = 2.0f;
    b.frame(0.0f);
    EXPECT_FLOAT_EQ(b.rider.x, 3.0f);
    EXPECT_FLOAT_EQ(b.rider.vx, -0.4f);
    b.rider.vx = b.rider.vy = 1.0f;
    b.clock.dt = 0.02f;
    b.rider.applyDrag(1.0f);
    EXPECT_FLOAT_EQ(b.rider.vx, 0.996f);
    b.rider.applyDrag(5.0f);
    EXPECT_NEAR(b.rider.vy, 0.996f * 0.9f, 1e-6) << "the brake";
}

TEST(Rider, SlopesPushOnlyWithBumpResponse) {
    for (float response : {0.0f, 1.0f}) {
        RiderWorld w;
        ASSERT_TRUE(w.gl.ok());
        w.heightmap.generate(Heightmap::kMounds, 128);
        w.ground.build(w.heightmap);
        w.prefs.bumpResponse = response;
        w.rider.moveTo(-1.0f, -5.0f, 0.7f);
        w.frame(0.02f);
        EXPECT_NEAR(w.rider.y, w.ground.heightAt(-1.0f / 6.0f + 0.5f, 0.7f / 6.0f + 0.5f) + 0.15f, 1e-5)
            << "the rider stays on top";
        EXPECT_EQ(w.rider.vx != 0.0f, response != 0.0f);
    }
}

TEST(Camera, FieldOfViewPlanesAndLook) {
    RiderWorld w;
    ASSERT_TRUE(w.gl.ok());
    EXPECT_FLOAT_EQ(letterboxedFieldOfView(100.0f, 0), 100.0f);
    EXPECT_FLOAT_EQ(letterboxedFieldOfView(100.0f, 3), 89.0f);
    EXPECT_FLOAT_EQ(letterboxedFieldOfView(100.0f, 6), 56.0f);
    setProjection(w.rider, w.prefs, w.screen);
    float m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[14] / (m[10] + 1.0f), 10.0f, 1e-3) << "far plane";
    EXPECT_NEAR(m[14] / (m[10] - 1.0f), 0.01f, 1e-5) << "near plane";

    w.pointer.x = 10;
    w.pointer.moved = 1;
    w.rider.heading = 359.0f;
    w.rider.look(0);
    EXPECT_NEAR(w.rider.heading, 0.5f, 1e-4);
    EXPECT_EQ(w.pointer.moved, 0);
    ASSERT_EQ(w.fake.warps.size(), 1u);
    EXPECT_EQ(w.fake.warps[0], std::make_pair(500, 500));
    w.prefs.cameraMode = 2;
    w.pointer.x = 50;
    w.pointer.moved = 1;
    w.rider.look(0);
    EXPECT_NEAR(w.rider.heading, 0.5f, 1e-4) << "Hold ignores the pointer";
    EXPECT_EQ(w.fake.warps.size(), 1u) << "and does not re-centre it";

    EXPECT_FLOAT_EQ(wrapAngle(360.0f), 360.0f);
    EXPECT_FLOAT_EQ(wrapAngle(-1.0f), 359.0f);
    EXPECT_EQ(wrapAngle(NAN), 0.0f);
    EXPECT_LE(wrapAngle(3.0e30f), 360.0f);
}

TEST(Camera, NonFiniteSettingsNeverStallAFrame) {
    RiderWorld w;
    ASSERT_TRUE(w.gl.ok());
    w.prefs.mouseSensitivity = w.prefs.damping = w.rider.damping = INFINITY;
    w.prefs.heightScale = NAN;
    w.pointer.x = 7;
    w.pointer.moved = 1;
    w.pointer.leftButton = kButtonHeld;
    for (int i = 0; i < 5; ++i) w.frame(0.02f);
    EXPECT_TRUE(std::isfinite(w.rider.heading));
    w.prefs.cameraMode = 0;
    w.frame(0.02f);
}
