// The splash seen on the screen: the emblem turns in the middle of a black window until a key.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/e2e_helpers.h"

namespace {
bool isLit(const Screenshot::Rgb& c) {
    return c.r + c.g + c.b >= 90;
}
bool isNotBlack(const Screenshot::Rgb& c) {
    return !isBlack(c);
}
}  // namespace

TEST(Splash, EmblemTurnsInTheMiddleOfABlackScreenUntilAKey) {
    ParkRun run;
    ASSERT_TRUE(run.launch());

    // The emblem is drawn into a square of 0.8 x the height, centred; the margins stay black.
    const int side = static_cast<int>(kScreenHeight * 0.8);
    const int left = kScreenWidth / 2 - side / 2;
    const Area leftMargin{0, 0, left - 4, kScreenHeight};
    const Area rightMargin{left + side + 4, 0, kScreenWidth, kScreenHeight};
    const Area middle{kScreenWidth / 2 - side / 4, kScreenHeight / 2 - side / 4, kScreenWidth / 2 + side / 4,
                      kScreenHeight / 2 + side / 4};

    // One loop of the animation takes 2.8 s; part of it lies deep in the fog, so look at several.
    std::vector<Screenshot> shots;
    for (int i = 0; i < 8; ++i) {
        shots.push_back(run.shot());
        sleepMs(350);
    }
    int brightest = 0;
    ColourRegion best;
    const Screenshot* bestShot = nullptr;
    for (const Screenshot& shot : shots) {
        EXPECT_EQ(findColour(shot, leftMargin, isNotBlack).count, 0);
        EXPECT_EQ(findColour(shot, rightMargin, isNotBlack).count, 0);
        const ColourRegion lit = findColour(shot, Area{0, 0, kScreenWidth, kScreenHeight}, isLit);
        if (lit.count > brightest) {
            brightest = lit.count;
            best = lit;
            bestShot = &shot;
        }
    }
    ASSERT_GT(brightest, 2000) << "the emblem shows clearly at some time of the loop";
    EXPECT_GT(findColour(*bestShot, middle, isNotBlack).count, middle.pixels() / 10);
    EXPECT_NEAR(best.centreX, kScreenWidth / 2, side * 0.12);
    EXPECT_NEAR(best.centreY, kScreenHeight / 2, side * 0.12);

    int largestChange = 0;
    for (size_t i = 1; i < shots.size(); ++i)
        largestChange = std::max(largestChange, changedPixels(shots[i - 1], shots[i], middle, 20));
    EXPECT_GT(largestChange, 1000) << "the emblem moves";

    ASSERT_TRUE(run.passSplash());
    EXPECT_NE(run.app->output().find("Init Once...\n"), std::string::npos);
    ASSERT_TRUE(run.waitForPark());
    const Screenshot park = run.shot();
    EXPECT_GT(park.distinctColours(0, kScreenHeight * 2 / 3, kScreenWidth, kScreenHeight), 500)
        << "the park replaced the emblem";
    EXPECT_TRUE(run.quit());
}
