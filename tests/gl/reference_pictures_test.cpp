// Fixed scenes of the running park, drawn offscreen from the start-up state with a hand-set clock and
// compared with stored pictures under a small tolerance: the mesh, bump shapes, light, projection, font
// and overlays at once. One scene per process, as ctest runs them. To write a picture anew (and look at it):
//   RAMPIX_UPDATE_PICTURES=1 build/tests/gl_tests --gtest_filter="Park/*/defaults"
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "app/glut_callbacks.h"
#include "app/park_actions.h"
#include "support/fake_platform.h"
#include "support/park_start.h"
#include "support/picture_check.h"
#include "support/test_files.h"

namespace {
constexpr int kWidth = 96, kHeight = 72;

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
};

class ReferencePictures : public ::testing::TestWithParam<Scene> {};

}  // namespace

TEST_P(ReferencePictures, MatchTheStoredPicture) {
    const Scene& scene = GetParam();
    GlContext gl(kWidth, kHeight);
    ASSERT_TRUE(gl.ok());
    FakePlatform fake;
    TempFolder folder(true);
    ASSERT_TRUE(startPark(gl));
    passFadeIn(fake, scene.skip);  // and past the title crawl's twenty seconds, or into it
    runFrames(fake, 1);
    for (const char* key = scene.keys; *key; ++key) onKey(static_cast<unsigned char>(*key), 0, 0);
    if (scene.more) scene.more();
    runFrames(fake, scene.frames);

    const int differing = pixelsUnlikeStored(gl, scene.name);
    EXPECT_GE(differing, 0) << "no stored picture " << scene.name;
    EXPECT_LE(differing, 6) << "pixels unlike " << scene.name;
}

INSTANTIATE_TEST_SUITE_P(Park, ReferencePictures, ::testing::ValuesIn(kScenes),
                         [](const ::testing::TestParamInfo<Scene>& p) { return std::string(p.param.name); });
