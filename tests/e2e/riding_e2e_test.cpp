// Riding with real input: the arrow keys push, the left button kicks, the middle button brakes and
// the pointer turns the view in the Manual camera.
#include <gtest/gtest.h>

#include "support/e2e_helpers.h"

namespace {
// The ground in front of the rider: in a park where nothing else moves, only the rider's view
// changes it.
constexpr Area kGround = kLowerThird;
// Changes that move the whole view, against the specks a rider coming to rest still leaves.
constexpr int kMoved = kGround.pixels() / 10;
constexpr int kAtRest = 200;

// The pointer rests at the warp point; each pixel away from it turns the view by 0.15 degrees, and the
// program puts the pointer back. That warp may land just after a move and swallow it, so a move that
// turns nothing is made again.
Screenshot turnView(ParkRun& run, int pixels, const Screenshot& before) {
    Screenshot after = before;
    for (int attempt = 0; attempt < 3 && changedPixels(before, after, kGround) <= kMoved; ++attempt) {
        run.x.moveTo(500 + pixels, 500);
        after = waitForChange(run.x, before, kGround, kMoved, 3000);
    }
    return after;
}
}  // namespace

TEST(Riding, ArrowKeysAndKicksMoveTheRiderAndThePointerTurnsTheView) {
    ParkRun run;
    // The light stands still and, since its speed is also the gravity, the rider does not fall: the
    // rides stay short and on the level ground of the start.
    PrefsRecord prefs = stillParkPrefs();
    prefs.imageIndex = 11;  // the checkerboard shows every move in strong contrast
    ASSERT_TRUE(writePrefsFile(run.prefsPath(), prefs));
    ASSERT_TRUE(run.start());
    run.x.type("s");
    sleepMs(300);
    const Screenshot start = waitForSteadyPicture(run.x, kGround, kAtRest, 5000);
    sleepMs(800);
    EXPECT_LE(changedPixels(start, run.shot(), kGround), kAtRest) << "the rider starts at rest";

    // Paused, the rider stays put, so turning as far back gives the first picture again.
    run.x.type("p");
    const Screenshot turned = turnView(run, 200, start);
    EXPECT_GT(changedPixels(start, turned, kGround), kMoved) << "the pointer turns the view";
    const Screenshot back = turnView(run, -200, turned);
    EXPECT_LE(changedPixels(start, back, kGround), kAtRest) << "as far back the other way";
    run.x.type("p");

    run.x.keyDown("Up");
    const Screenshot pushed = waitForChange(run.x, back, kGround, kMoved, 6000);
    run.x.keyUp("Up");
    EXPECT_GT(changedPixels(back, pushed, kGround), kMoved) << "Up pushes the rider forward";

    run.x.buttonDown(2);
    const Screenshot braked = waitForSteadyPicture(run.x, kGround, kAtRest, 15000);
    run.x.buttonUp(2);
    sleepMs(300);
    const Screenshot still = run.shot();
    EXPECT_LE(changedPixels(braked, still, kGround), kAtRest) << "the brake stopped the ride";

    // Every frame with the button down kicks a little.
    run.x.buttonDown(1);
    sleepMs(500);
    run.x.buttonUp(1);
    const Screenshot kicked = waitForChange(run.x, still, kGround, kMoved, 5000);
    EXPECT_GT(changedPixels(still, kicked, kGround), kMoved) << "a left click kicks";

    EXPECT_TRUE(run.quit());
}
