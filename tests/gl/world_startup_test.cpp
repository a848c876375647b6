// Start-up loading and the world drawing, on a real offscreen context with the generated data.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/globals.h"
#include "app/startup.h"
#include "app/world_drawing.h"
#include "motion/camera.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

namespace {
// Runs start-up in a working folder holding the generated data, less the files named.
class World : public ::testing::Test {
  protected:
    void startIn(const std::string& without = "") {
        char pattern[] = "/tmp/rampix-world-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        std::string copy = "cp " RAMPIX_DATA_DIR "/* " + folder_;
        if (!without.empty()) copy += " && rm " + folder_ + "/" + without;
        ASSERT_EQ(std::system(copy.c_str()), 0);
        ASSERT_EQ(getcwd(previous_, sizeof previous_), previous_);
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Screen.width = gl.width();
        Screen.height = gl.height();
        initGraphicsState();
        initOnce();
        initVars();
    }
    void TearDown() override {
        if (folder_.empty()) return;
        ASSERT_EQ(chdir(previous_), 0);
        ASSERT_EQ(std::system(("rm -rf " + folder_).c_str()), 0);
    }
    void setLightPhase(float phase) {
        lightWander.phase[1] = phase;
        lightWander.rate[1] = 0.0f;
    }
    void frameView() {
        Screen.setLetterbox(0);
        Screen.applyViewport();
        setProjection(rider, Prefs, Screen);
        rider.stepRider(0, 0);
    }

    GlContext gl{96, 64};
    FakePlatform fake;
    std::string folder_;
    char previous_[4096];
};
}  // namespace

TEST_F(World, StartUpFillsTheCatalogueInItsOrder) {
    ASSERT_TRUE(gl.ok());
    startIn();
    EXPECT_EQ(catalogue.textureCount, 18);
    EXPECT_EQ(catalogue.firstImageTexture, 5);
    for (int slot = 0; slot < 18; ++slot) EXPECT_NE(catalogue.catalogueTexture(slot), 0u) << slot;
    EXPECT_EQ(catalogue.catalogueTexture(13), catalogue.catalogueTexture(2)) << "image 8 is the grid";
    EXPECT_EQ(catalogue.catalogueTexture(16), catalogue.catalogueTexture(3)) << "image 11 the checkerboard";
    EXPECT_NE(catalogue.catalogueTexture(9), catalogue.catalogueTexture(1)) << "metal plate loaded twice";
    EXPECT_EQ(sunSprite.texture, static_cast<int>(catalogue.catalogueTexture(17)));
    EXPECT_TRUE(Prefs.imageIndex == 0 || Prefs.imageIndex == 11);
    EXPECT_EQ(terrainSurface.columns, 63);
    EXPECT_GE(starField.listId, 1);
    EXPECT_EQ(dialogManager.currentDialog, 2);
}

TEST_F(World, AMissingImageKeepsItsSlotEmpty) {
    ASSERT_TRUE(gl.ok());
    startIn("sand.bmp");
    EXPECT_EQ(catalogue.textureCount, 18);
    EXPECT_EQ(catalogue.catalogueTexture(5), 0u);
    EXPECT_NE(catalogue.catalogueTexture(6), 0u);
    EXPECT_NE(catalogue.catalogueTexture(17), 0u);
}

TEST_F(World, TheLightCirclesAndTheSkyFollowsIt) {
    ASSERT_TRUE(gl.ok());
    startIn();
    Clock.dt = 0.0f;
    setLightPhase(0.0f);
    frameView();
    drawWorld();
    EXPECT_NEAR(spotLight.x, 0.0f, 1e-5);
    EXPECT_NEAR(spotLight.y, 4.0f, 1e-5);
    EXPECT_NEAR(sunSprite.y, 4.0f, 1e-5);
    EXPECT_NEAR(Screen.clearColour[0], 0.3f, 1e-5);
    EXPECT_NEAR(Screen.clearColour[2], 1.0f, 1e-5);
    GLfloat position[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_EQ(position[3], 1.0f);

    setLightPhase(3.1415927f / 5.0f);
    frameView();
    drawWorld();
    EXPECT_NEAR(spotLight.y, -4.0f, 1e-4);
    EXPECT_LE(Screen.clearColour[2], 0.0f) << "a negative sky colour clamps to black";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(World, TerrainLooksFogAndTheDampingKeys) {
    ASSERT_TRUE(gl.ok());
    startIn();
    Prefs.imageIndex = 8;
    Prefs.textureMag = 1.0f;
    frameView();
    drawWorld();
    EXPECT_FLOAT_EQ(terrainSurface.textureRepeat, 10.0f);
    EXPECT_EQ(terrainSurface.red, 0.0f);
    EXPECT_EQ(terrainSurface.blue, 1.0f);
    EXPECT_EQ(terrainSurface.texture, static_cast<int>(catalogue.catalogueTexture(2)));
    Prefs.imageIndex = 7;
    drawWorld();
    EXPECT_FLOAT_EQ(terrainSurface.textureRepeat, 20.0f);

    Prefs.depthCueFog = 0;
    glFogf(GL_FOG_START, 0.123f);
    drawWorld();
    GLfloat start;
    glGetFloatv(GL_FOG_START, &start);
    EXPECT_FLOAT_EQ(start, 0.123f);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    Prefs.damping = 0.5f;
    Keyboard.specialKey = 3;
    drawWorld();
    EXPECT_FLOAT_EQ(rider.damping, 1.0f) << "only F1 and F2 copy the damping";
    Keyboard.specialKey = 1;
    drawWorld();
    EXPECT_FLOAT_EQ(rider.damping, 0.5f);
}

TEST_F(World, StarsOnlyWithTheUniverse) {
    ASSERT_TRUE(gl.ok());
    startIn();
    auto starPixels = [&] {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Prefs.spotlightsOn = 0;
        Prefs.heightScale = 0.0f;
        rider.pitch = -80.0f;  // looking up, away from the ground
        Prefs.cameraMode = 2;
        frameView();
        Prefs.imageIndex = 0;
        terrainSurface.setResolution(2);
        drawWorld();
        int lit = 0;
        for (const uint8_t value : gl.readRgba()) lit += value > 40 && value < 255;
        return lit;
    };
    Prefs.universeOn = 1;
    const int withStars = starPixels();
    Prefs.universeOn = 0;
    const int without = starPixels();
    EXPECT_GT(withStars, without);
}

TEST_F(World, TheWindWaitsTwentySecondsAfterTheLastSound) {
    ASSERT_TRUE(gl.ok());
    startIn();
    soundPlayer.enabled = 1;
    fake.elapsedMs = 100000;
    soundPlayer.play("hit.wav", 1.0f, 1);
    const float ended = soundPlayer.lastEndTime;
    fake.elapsedMs = 102000;  // the sound itself is over
    for (float now = ended; now < ended + 20.0f; now += 0.25f) {
        Clock.now = now;
        drawWorld();
        ASSERT_FLOAT_EQ(soundPlayer.lastEndTime, ended) << "wind at " << now - ended << " s";
    }
    bool blew = false;
    for (float now = ended + 20.0f; now < ended + 41.0f && !blew; now += 0.25f) {
        Clock.now = now;
        drawWorld();
        blew = soundPlayer.lastEndTime != ended;
    }
    EXPECT_TRUE(blew);
}
