// Keys typed together with the key that ends a long splash act on the park's own clock.
#include <gtest/gtest.h>

#include <ctime>

#include "support/e2e_helpers.h"

TEST(StartUpKeys, EscapeTwiceWithTheSplashKeyEndsAfterTheFadeInNotAfterTheSplashLength) {
    ParkRun run;
    ASSERT_TRUE(run.launch());
    constexpr double kSplashSeconds = 16.0;
    sleepMs(static_cast<int>(kSplashSeconds * 1000));
    timespec typed, ended;
    clock_gettime(CLOCK_MONOTONIC, &typed);
    run.x.key("a");
    run.x.key("Escape");
    run.x.key("Escape");
    ASSERT_TRUE(run.endsCleanly());
    clock_gettime(CLOCK_MONOTONIC, &ended);
    const double took =
        static_cast<double>(ended.tv_sec - typed.tv_sec) + (ended.tv_nsec - typed.tv_nsec) * 1e-9;
    // About two seconds of fade-in; measured on the splash's clock it would be splash length - 4.
    EXPECT_LT(took, kSplashSeconds - 6.0) << run.app->output();
}
