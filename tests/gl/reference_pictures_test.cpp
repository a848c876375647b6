// Fixed scenes against stored pictures in tests/data, under a small tolerance: the running park from the
// start-up state with a hand-set clock (mesh, bump shapes, light, projection, font and overlays at once),
// its menus and the splash emblem. One park scene per process, as ctest runs them. To write a picture
// anew (and look at it): RAMPIX_UPDATE_PICTURES=1 build/tests/gl_tests --gtest_filter="Park/*/defaults"
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/glut_callbacks.h"
#include "app/park_actions.h"
#include "app/splash_screen.h"
#include "support/gl_helpers.h"
#include "support/park_start.h"
#include "textures/texture_loader.h"
#include "ui/dialog_menus.h"

namespace {
struct Scene {
    const char* name;
    const char* keys;                 // pressed once the start-up fade is over
    std::function<void()> more = {};  // anything else done then
    int frames = 8;                   // frames of 50 ms drawn after that
    float skip = 20.0f;               // seconds of game time skipped before the keys
};

void special(int key) {
    onSpecialKey(key, 0, 0);
    onSpecialKeyUp(key, 0, 0);
}

// Paused, above the park and looking down on it.
void overThePark() {
    Flags.paused = 1;
    Prefs.universeOn = 0;
    Skater.y += 1.0f;
    Skater.pitch = 35.0f;
}

const Scene kScenes[] = {
    {"defaults", ""},
    {"mounds", "o", overThePark},
    {"rings", "oo", overThePark},
    {"rocks", "ooo", overThePark},
    {"pyramids", "oooo", overThePark},
    {"playground", "", overThePark},
    {"flat_checkerboard", "",
     [] {
         overThePark();
         Prefs.heightScale = 0.0f;
         Prefs.imageIndex = 11;
         selectTerrainImage();
     }},
    {"title_crawl", "", {}, 8, 6.0f},
    {"image_wire_letterbox", "iwl"},
    {"no_light_fog_universe", "sdu"},
    {"home_near_fov", ">>", [] { special(kKeyHome); }},
    {"ride_forward", "", [] { onSpecialKey(101, 0, 0); }, 12},
    {"manual_look", "v", [] { onPointerMotion(530, 490); }},
    {"menu_focus", "`",
     [] {
         special(101);
         special(103);
         special(103);
     }},
    {"help", "?"},
    {"info_and_clock", "c", [] { Flags.infoVisible = 1; }},
    {"exit_fade", "q"},  // 0.4 s into the one-second fade to black
    {"trails", "",
     [] {
         Prefs.screenClear = 0;
         onSpecialKey(101, 0, 0);
     },
     12},
};

class ReferencePictures : public ::testing::TestWithParam<Scene> {};

// The started park past its fade-in, paused with the menu open.
bool openMenuOverThePark(Park& park) {
    if (!park.start()) return false;
    park.passFadeIn(20.0f);
    Flags.paused = 1;
    togglePopupMenu(MenuToggleSource::Key);
    return true;
}
}  // namespace

TEST_P(ReferencePictures, MatchTheStoredPicture) {
    const Scene& scene = GetParam();
    Park park(96, 72);
    ASSERT_TRUE(park.start());
    park.passFadeIn(scene.skip);  // and past the title crawl's twenty seconds, or into it
    park.runFrames(1);
    for (const char* key = scene.keys; *key; ++key) onKey(static_cast<unsigned char>(*key), 0, 0);
    if (scene.more) scene.more();
    park.runFrames(scene.frames);
    EXPECT_LE(pixelsUnlikeStored(park.gl, scene.name), 6) << "pixels unlike " << scene.name;
}

INSTANTIATE_TEST_SUITE_P(Park, ReferencePictures, ::testing::ValuesIn(kScenes),
                         [](const ::testing::TestParamInfo<Scene>& p) { return std::string(p.param.name); });

// Every slider, toggle and button of the two control menus with its skin, label and value.
TEST(MenuPictures, StandardAndCustomControls) {
    Park park(400, 600);
    ASSERT_TRUE(openMenuOverThePark(park));
    Sounds.enabled = 0;  // an Off toggle, unfocused
    for (const int menu : {kStandardMenu, kCustomMenu}) {
        Dialogs.openDialog(menu, 1);
        park.runFrames(3);
        EXPECT_LE(pixelsUnlikeStored(park.gl, menu ? "custom_menu" : "standard_menu"), 6) << menu;
    }
}

// The main menu (its Info toggle off and focused) and the Load menu, laid out for 400 x 400 and drawn
// at a quarter.
TEST(MenuPictures, MainAndLoadMenus) {
    Park park(200, 100);
    ASSERT_TRUE(openMenuOverThePark(park));
    glClearColor(0.3f, 0.3f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    Screen.width = Screen.height = 400;
    Screen.setLetterbox(0);
    for (const int menu : {kMainMenu, kLoadMenu}) {
        Dialogs.openDialog(menu, 1);
        Dialogs.focusIndex = menu == kMainMenu ? 4 : 0;
        glViewport(menu == kMainMenu ? 0 : 100, 0, 100, 100);
        Screen.setOverlayProjection();
        Dialogs.run();
    }
    EXPECT_LE(pixelsUnlikeStored(park.gl, "main_and_load_menus"), 6);
}

// Its bars, turns, colours, texture and fog, drawn to the right of the window's left edge.
TEST(SplashPicture, TheEmblemThroughItsLoop) {
    GlContext gl(80, 72);
    ASSERT_TRUE(gl.ok());
    glFogi(GL_FOG_MODE, GL_LINEAR);  // the program's fixed fog
    SplashScreen splash;
    splash.texture = loadBmpTexture(RAMPIX_DATA_DIR "/metalplate128.bmp", -1, 0, 1);
    ASSERT_NE(splash.texture, 0u);
    const FrameClock clock;
    for (const float time : {0.0f, 1.5f, 2.0f, 4.0f, 5.5f, 6.3f}) {
        splash.animationTime = time;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, 0);  // the splash binds its own texture
        splash.draw(8.0f, 0.0f, 72.0f, clock);
        const std::string name = "splash_" + std::to_string(static_cast<int>(time * 10));
        EXPECT_LE(pixelsUnlikeStored(gl, name), 4) << name;
    }
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_FOG) || glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
