// Start-up loading and the world drawing, on a real offscreen context with the generated data.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/globals.h"
#include "app/startup.h"
#include "app/world_drawing.h"
#include "motion/camera.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/park_start.h"
#include "support/test_files.h"

namespace {
// Runs start-up in a working folder holding the generated data, less the file named.
struct World : ::testing::Test {
    void startIn(const std::string& without = "") {
        ASSERT_TRUE(gl.ok());
        folder = std::make_unique<TempFolder>(true);
        ASSERT_TRUE(startPark(gl, true, without));
    }
    void frame(float lightPhase) {
        LightWander.phase[1] = lightPhase;
        LightWander.rate[1] = 0.0f;
        Screen.setLetterbox(0);
        Screen.applyViewport();
        setProjection(Skater, Prefs, Screen);
        Skater.stepRider(0, 0);
        drawWorld();
    }

    GlContext gl{96, 64};
    FakePlatform fake;
    std::unique_ptr<TempFolder> folder;
};
}  // namespace

TEST_F(World, StartUpFillsTheCatalogueInItsOrder) {
    startIn();
    EXPECT_EQ(Catalogue.textureCount, 18);
    EXPECT_EQ(Catalogue.firstImageTexture, 5);
    for (int slot = 0; slot < 18; ++slot) EXPECT_NE(Catalogue.catalogueTexture(slot), 0u) << slot;
    EXPECT_EQ(Catalogue.catalogueTexture(13), Catalogue.catalogueTexture(2)) << "image 8 is the grid";
    EXPECT_EQ(Catalogue.catalogueTexture(16), Catalogue.catalogueTexture(3)) << "image 11 the checkerboard";
    EXPECT_NE(Catalogue.catalogueTexture(9), Catalogue.catalogueTexture(1)) << "metal plate loaded twice";
    EXPECT_EQ(Sun.texture, static_cast<int>(Catalogue.catalogueTexture(17)));
    EXPECT_EQ(Terrain.columns, 63);
    EXPECT_GE(Stars.listId, 1);
    EXPECT_EQ(Dialogs.currentDialog, 2);
}

TEST_F(World, AMissingImageKeepsItsSlotEmpty) {
    startIn("sand.bmp");
    EXPECT_EQ(Catalogue.textureCount, 18);
    EXPECT_EQ(Catalogue.catalogueTexture(5), 0u);
    EXPECT_NE(Catalogue.catalogueTexture(6), 0u);
    EXPECT_NE(Catalogue.catalogueTexture(17), 0u);
}

TEST_F(World, TheLightCirclesAndTheSkyFollowsIt) {
    startIn();
    Clock.dt = 0.0f;
    frame(0.0f);
    EXPECT_NEAR(Light.x, 0.0f, 1e-5);
    EXPECT_NEAR(Light.y, 4.0f, 1e-5);
    EXPECT_NEAR(Sun.y, 4.0f, 1e-5);
    EXPECT_NEAR(Screen.clearColour[0], 0.3f, 1e-5);
    EXPECT_NEAR(Screen.clearColour[2], 1.0f, 1e-5);
    frame(3.1415927f / 5.0f);
    EXPECT_NEAR(Light.y, -4.0f, 1e-4);
    EXPECT_LE(Screen.clearColour[2], 0.0f) << "a negative sky colour clamps to black";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(World, TerrainLooksFogAndTheDampingKeys) {
    startIn();
    // Each ground picture's texture repeats (at magnification 2) and colour.
    const float looks[12][5] = {{20, 1, 1, 1, 1}, {12, 1, 1, 1, 1},       {20, 1, 1, 1, 1},
                                {20, 1, 1, 1, 1}, {20, 1, 0.6f, 0.5f, 1}, {30, 1, 0.85f, 0.7f, 1},
                                {20, 1, 1, 1, 1}, {40, 1, 1, 1, 1},       {20, 0, 0, 1, 1},
                                {20, 1, 1, 1, 1}, {20, 1, 1, 1, 1},       {20, 1, 1, 1, 1}};
    Prefs.textureMag = 2.0f;
    for (int image = 0; image < 12; ++image) {
        Prefs.imageIndex = image;
        frame(0.0f);
        EXPECT_FLOAT_EQ(Terrain.textureRepeat, looks[image][0]) << image;
        EXPECT_EQ((std::vector<float>{Terrain.red, Terrain.green, Terrain.blue, Terrain.alpha}),
                  (std::vector<float>(looks[image] + 1, looks[image] + 5)))
            << image;
        EXPECT_EQ(Terrain.texture, static_cast<int>(Catalogue.catalogueTexture(5 + image)));
    }

    Prefs.depthCueFog = 0;
    glFogf(GL_FOG_START, 0.123f);
    drawWorld();
    GLfloat start;
    glGetFloatv(GL_FOG_START, &start);
    EXPECT_FLOAT_EQ(start, 0.123f);
    EXPECT_FALSE(glIsEnabled(GL_FOG));

    Prefs.damping = 0.5f;
    Keyboard.specialKey = 3;
    drawWorld();
    EXPECT_FLOAT_EQ(Skater.damping, 1.0f) << "only F1 and F2 copy the damping";
    Keyboard.specialKey = 1;
    drawWorld();
    EXPECT_FLOAT_EQ(Skater.damping, 0.5f);
}

TEST_F(World, StarsOnlyWithTheUniverse) {
    startIn();
    Prefs.spotlightsOn = 0;
    Prefs.heightScale = 0.0f;
    Prefs.imageIndex = 0;
    Prefs.cameraMode = 2;
    Terrain.setResolution(2);
    int lit[2] = {0, 0};
    for (int universe : {0, 1}) {
        Prefs.universeOn = universe;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Skater.pitch = -80.0f;  // looking up, away from the ground, with the sun below
        frame(3.1415927f / 5.0f);
        for (const uint8_t value : gl.readRgba()) lit[universe] += value > 40 && value < 255;
    }
    EXPECT_GT(lit[1], lit[0]);
}

TEST_F(World, TheWindWaitsTwentySecondsAfterTheLastSound) {
    startIn();
    Sounds.enabled = 1;
    fake.elapsedMs = 100000;
    Sounds.play("hit.wav", 1.0f, 1);
    const float ended = Sounds.lastEndTime;
    fake.elapsedMs = 102000;  // the sound itself is over
    float blew = 0.0f;
    for (float now = ended; now < ended + 41.0f && blew == 0.0f; now += 0.25f) {
        Clock.now = now;
        drawWorld();
        if (Sounds.lastEndTime != ended) blew = now - ended;
    }
    EXPECT_GE(blew, 20.0f);
}

TEST_F(World, LetterboxBarsStayBlackUnderTheOverlays) {
    startIn();
    Prefs.letterbox = 2;
    Flags.menuActive = 0;
    fake.elapsedMs = 0;
    Clock.tick();
    Clock.restart();
    // Through the fade-in and the title crawl, which both paint over the upper bar.
    for (int ms = 50; ms <= 21000; ms += 50) {
        fake.elapsedMs = ms;
        runFrame();
    }
    for (int x = 0; x < gl.width(); x += 4) {
        EXPECT_EQ(gl.pixel(x, 1).g, 0) << "lower bar at " << x;
        EXPECT_EQ(gl.pixel(x, gl.height() - 2).g, 0) << "upper bar at " << x;
    }
}
