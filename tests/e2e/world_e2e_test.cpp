// The park as drawn: textured ground under a sky that is lit or starry, and the keys that change
// the look of the world.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e_helpers.h"

namespace {
// Left of the hill that rises on the right, above the horizon.
constexpr Area kSky{0, kPictureArea.y0, 540, 360};

bool isDark(const Screenshot::Rgb& c) {
    return c.r + c.g + c.b < 120;
}

struct LookKey {
    const char* key;
    int minChanged;  // pixels of the picture area
};
constexpr int kBig = kPictureArea.pixels() / 50;
// From the rider's place at the edge of the park some bumps differ only in the middle distance.
constexpr int kBumps = kPictureArea.pixels() / 100;
// Universe, spotlight and fog off, which leaves the whole ground in plain sight; then the bump options
// 0, 1, 2, 3 and back to 4, three images and the wire frame.
constexpr LookKey kLookKeys[] = {
    {"u", 40},     {"s", kBig},   {"d", kBig}, {"o", kBumps}, {"o", kBumps}, {"o", kBumps},
    {"o", kBumps}, {"o", kBumps}, {"i", kBig}, {"i", kBig},   {"i", kBig},   {"w", kBig},
};
}  // namespace

TEST(World, TexturedGroundUnderTheSkyAndEveryLookKeyChangesThePicture) {
    ParkRun run;
    // A soft light that never saturates, so that switching it off always shows.
    PrefsRecord prefs = stillParkPrefs();
    prefs.diffuse = 0.3f;
    prefs.specular = 0.0f;
    prefs.reflective = 0.0f;
    ASSERT_TRUE(writePrefsFile(run.prefsPath(), prefs));
    ASSERT_TRUE(run.start());
    run.x.type("p");

    const Screenshot park = waitForSteadyPicture(run.x, kPictureArea, 20, 5000);
    EXPECT_GT(park.distinctColours(kLowerThird.x0, kLowerThird.y0, kLowerThird.x1, kLowerThird.y1), 300)
        << "the ground is textured";
    const ColourRegion litSky = findColour(park, kSky, isSkyBlue);
    const ColourRegion darkSky = findColour(park, kSky, isDark);
    const ColourRegion stars = findColour(park, kSky, isStar);
    const bool skyLit = litSky.count > kSky.pixels() * 8 / 10;
    const bool starryNight = darkSky.count > kSky.pixels() * 8 / 10 && stars.count >= 20;
    EXPECT_TRUE(skyLit || starryNight) << "lit " << litSky.count << ", dark " << darkSky.count << ", stars "
                                       << stars.count << " of " << kSky.pixels();
    EXPECT_GE(stars.count, 20) << "the universe shows in the lit sky too";

    Screenshot before = park;
    for (const LookKey& look : kLookKeys) {
        run.x.key(look.key);
        const Screenshot after = waitForChange(run.x, before, kPictureArea, look.minChanged, 4000);
        EXPECT_GT(changedPixels(before, after, kPictureArea), look.minChanged) << "key " << look.key;
        before = waitForSteadyPicture(run.x, kPictureArea, 20, 5000);
    }
    EXPECT_TRUE(run.quit());
}
