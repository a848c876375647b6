// Keys typed together with the key that ends a long splash act on the park's own clock.
#include <gtest/gtest.h>

#include <ctime>

#include "support/e2e.h"

TEST(StartUpKeys, EscapeTwiceWithTheSplashKeyEndsAfterTheFadeInNotAfterTheSplashLength) {
    XSession x;
    ScratchFolder folder;
    Rampix app(x, folder.path());
    ASSERT_TRUE(app.waitForOutput("Ready...\n\n", 30000)) << app.errors();
    ASSERT_TRUE(x.waitForWindow("Rampix", 20000));
    x.moveTo(512, 384);
    constexpr double kSplashSeconds = 16.0;
    sleepMs(static_cast<int>(kSplashSeconds * 1000));
    timespec typed, ended;
    clock_gettime(CLOCK_MONOTONIC, &typed);
    x.key("a");
    x.key("Escape");
    x.key("Escape");
    EXPECT_EQ(app.waitForExit(20000), 0);
    clock_gettime(CLOCK_MONOTONIC, &ended);
    EXPECT_NE(app.output().find("Fin\n\n"), std::string::npos) << app.output();
    const double took =
        static_cast<double>(ended.tv_sec - typed.tv_sec) + (ended.tv_nsec - typed.tv_nsec) * 1e-9;
    // About two seconds of fade-in; measured on the splash's clock it would be splash length - 4.
    EXPECT_LT(took, kSplashSeconds - 6.0) << app.output();
}
