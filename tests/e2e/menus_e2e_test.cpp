// The pop-up menus with real clicks: the custom controls over a sunny park, a slider dragged and a
// slider clicked, and the result written through the "Save Menu". With RAMPIX_README_PICTURES=<dir>
// the test also leaves "park.png" and "menu.png" there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/e2e_helpers.h"
#include "ui/dialog_menus.h"

namespace {
constexpr int kTessellationWord = 4;
constexpr int kDampingWord = 25;
constexpr int kLightSpeedWord = 31;

// The light circles through the vertical plane the rider looks along, so the sun crosses the middle
// column of the sky, setting ahead. It is looked for below the top overlays and stopped well above
// the far ground, which begins some 360 rows down.
constexpr Area kSunColumn{kScreenWidth / 2 - 60, 0, kScreenWidth / 2 + 60, 345};
constexpr Area kSunSearch{kScreenWidth / 2 - 60, kPictureArea.y0, kScreenWidth / 2 + 60, 290};
constexpr Area kSky{0, kPictureArea.y0, 540, 360};

bool isSunCore(const Screenshot::Rgb& c) {
    return c.r >= 220 && c.g >= 200 && c.b >= 150 && c.r >= c.b;
}

// The sun sprite: a small warm-white disc with sky above and below it.
bool sunInTheSky(const Screenshot& shot, const Area& column) {
    const ColourRegion core = findColour(shot, column, isSunCore);
    if (core.count < 4 || core.x1 - core.x0 > 10 || core.y1 - core.y0 > 10) return false;
    const int x = static_cast<int>(core.centreX);
    return core.y0 >= 8 && isSkyBlue(shot.at(x, core.y0 - 8)) && isSkyBlue(shot.at(x, core.y1 + 8));
}

PrefsRecord parkWithLightSpeed(float speed) {
    PrefsRecord prefs = stillParkPrefs();
    prefs.bumpOption = 3;  // pyramids ahead
    prefs.lightRotateSpeed = speed;
    return prefs;
}

// Lets the light circle quickly until the sun stands in the sky ahead, then stops it there by loading
// a preference file whose light speed is 0. The rider is paused first: the light speed is also the
// gravity, and a rider sliding off the light's plane would see the sun pass beside the middle column.
bool holdTheSunInTheSky(ParkRun& run) {
    run.x.type("p");
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool seen = false;
        for (int waited = 0; waited < 30000 && !seen; waited += 100) {
            seen = sunInTheSky(run.shot(), kSunSearch);
            if (!seen) sleepMs(100);
        }
        if (!seen) return false;
        writePrefsFile(run.prefsPath(), parkWithLightSpeed(0.0f));
        run.x.type("@");
        sleepMs(500);
        if (sunInTheSky(run.shot(), kSunColumn)) return true;
        writePrefsFile(run.prefsPath(), parkWithLightSpeed(3.0f));
        run.x.type("@");
    }
    return false;
}

// The status message and the title crawl have gone from the top of the screen.
bool waitForQuietTop(ParkRun& run) {
    const Area top{0, 0, kScreenWidth, kPictureArea.y0};
    for (int waited = 0; waited < 40000; waited += 250) {
        const Screenshot shot = run.shot();
        // A few greenish stars may stand there too.
        if (findColour(shot, top, isTitleGreen).count <= 20 &&
            findColour(shot, Area{0, 0, 400, 40}, isWhiteText).count == 0)
            return true;
        sleepMs(250);
    }
    return false;
}

// The inner part of a slider's track, which no other menu draws on.
Area sliderTrack(const MenuWidget& w) {
    return {static_cast<int>(w.left), screenRow(w.lower + w.height - 7), static_cast<int>(w.left + w.width),
            screenRow(w.lower + 7)};
}

// A slider's row: the thin track with its knob, then the value and the label in dark boxes.
Area sliderRow(const MenuWidget& w) {
    return {static_cast<int>(w.left), screenRow(w.lower + w.height), static_cast<int>(w.left + w.width + 200),
            screenRow(w.lower) + 1};
}

Area widgetArea(const MenuWidget& w) {
    return {static_cast<int>(w.left), screenRow(w.lower + w.height), static_cast<int>(w.left + w.width),
            screenRow(w.lower) + 1};
}

void clickAndWaitFor(ParkRun& run, ScreenPoint p, const Area& changing) {
    const Screenshot before = run.shot();
    clickAt(run.x, p);
    waitForChange(run.x, before, changing, changing.pixels() / 10, 4000);
}
}  // namespace

TEST(Menus, CustomControlsOverASunnyParkSetSettingsThatTheSaveMenuWrites) {
    const char* pictures = std::getenv("RAMPIX_README_PICTURES");
    ParkRun run;
    ASSERT_TRUE(writePrefsFile(run.prefsPath(), parkWithLightSpeed(3.0f)));
    ASSERT_TRUE(run.start());

    ASSERT_TRUE(holdTheSunInTheSky(run)) << "the sun crosses the sky ahead";
    const Screenshot park = run.shot();
    EXPECT_GT(findColour(park, kSky, isSkyBlue).count, kSky.pixels() * 8 / 10) << "a blue sky under the sun";
    if (pictures) {
        ASSERT_TRUE(waitForQuietTop(run));
        EXPECT_TRUE(run.shot().save(std::string(pictures) + "/park.png"));
    }

    clickAt(run.x, {500, 500}, 3);
    const MenuWidget tessellation = menuWidget(kCustomMenu, 50);
    clickAndWaitFor(run, menuWidget(kMainMenu, 3).centre(), sliderTrack(tessellation));
    const Screenshot custom = run.shot();
    for (int id : {0, 93, 92, 40, 41, 73, 50, 20, 21, 22, 23, 71, 72, 10, 11, 12, 13, 14}) {
        const MenuWidget w = menuWidget(kCustomMenu, id);
        const Area shown = w.kind == kSliderKind ? sliderRow(w) : widgetArea(w);
        EXPECT_GT(changedPixels(park, custom, shown), shown.pixels() / (w.kind == kSliderKind ? 12 : 5))
            << "custom control " << id;
    }
    if (pictures) {
        EXPECT_TRUE(custom.save(std::string(pictures) + "/menu.png"));
    }

    // A drag along "Tesselation" ends at a fifth of its length; a click on "Motion Damping/Drag" at half
    // of it, where its square scale gives a quarter of the range.
    const int tessellationColumn = tessellation.columnAt(0.2);
    dragFromTo(run.x, tessellation.centre(), {tessellationColumn, tessellation.centre().y});
    const MenuWidget damping = menuWidget(kCustomMenu, 20);
    const int dampingColumn = damping.columnAt(0.5);
    clickAt(run.x, {dampingColumn, damping.centre().y});
    const int tessellationSet = static_cast<int>(tessellation.valueAt(tessellationColumn));
    const float dampingSet = damping.valueAt(dampingColumn);
    ASSERT_NE(tessellationSet, 63);
    ASSERT_NE(dampingSet, 1.0f);

    clickAndWaitFor(run, menuWidget(kCustomMenu, 93).centre(), widgetArea(menuWidget(kMainMenu, 3)));
    clickAndWaitFor(run, menuWidget(kMainMenu, 1).centre(), widgetArea(menuWidget(kSaveMenu, 93)));
    std::remove(run.prefsPath().c_str());
    clickAt(run.x, menuWidget(kSaveMenu, 1).centre());
    ASSERT_TRUE(waitForPrefsFile(run.prefsPath(), 5000));
    const std::vector<uint8_t> saved = readPrefsFile(run.prefsPath());
    EXPECT_EQ(prefsInt(saved, 0), 0x0041E52C);
    EXPECT_EQ(prefsInt(saved, kTessellationWord), tessellationSet);
    EXPECT_FLOAT_EQ(prefsFloat(saved, kDampingWord), dampingSet);
    EXPECT_EQ(prefsFloat(saved, kLightSpeedWord), 0.0f) << "the light still stands where it was stopped";

    clickAt(run.x, menuWidget(kSaveMenu, 93).centre());
    clickAt(run.x, {500, 500}, 3);
    EXPECT_TRUE(run.quit());
}
