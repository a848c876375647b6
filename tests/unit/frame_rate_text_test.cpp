#include "ui/frame_rate_text.h"

#include <gtest/gtest.h>

TEST(FrameRateText, CountsWholeSecondsAndCatchesUpOneSecondPerFrameAfterAStall) {
    FrameRateText fps;
    fps.countFrame(3.0f);  // game time already past the first seconds: the catch-up shows 1s
    EXPECT_EQ(fps.nextSecond, 1.0);
    EXPECT_EQ(fps.framesShown, 1);
    fps.countFrame(3.01f);
    fps.countFrame(3.02f);
    EXPECT_EQ(fps.nextSecond, 3.0);
    EXPECT_EQ(fps.framesShown, 1);
    fps.countFrame(3.03f);
    EXPECT_EQ(fps.nextSecond, 4.0);
    EXPECT_EQ(fps.framesCounted, 0);
    for (int frame = 1; frame <= 96; ++frame) fps.countFrame(3.03f + frame * 0.01f);
    EXPECT_EQ(fps.framesShown, 1);
    EXPECT_EQ(fps.framesCounted, 96);
    fps.countFrame(4.0f);
    EXPECT_EQ(fps.framesShown, 97);
    EXPECT_EQ(fps.nextSecond, 5.0);
    EXPECT_EQ(fps.framesCounted, 0);
}
