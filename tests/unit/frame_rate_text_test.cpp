#include "ui/frame_rate_text.h"

#include <gtest/gtest.h>

#include <tuple>

// Whole seconds are counted; after a stall the shown second catches up one second per frame.
TEST(FrameRateText, CountsWholeSecondsAndCatchesUpAfterAStall) {
    FrameRateText fps;
    const auto state = [&fps] { return std::make_tuple(fps.nextSecond, fps.framesShown, fps.framesCounted); };
    fps.countFrame(3.0f);
    EXPECT_EQ(std::get<0>(state()), 1.0);
    EXPECT_EQ(std::get<1>(state()), 1);
    for (float t : {3.01f, 3.02f}) fps.countFrame(t);
    EXPECT_EQ(std::get<0>(state()), 3.0);
    fps.countFrame(3.03f);
    EXPECT_EQ(state(), std::make_tuple(4.0, 1, 0));
    for (int frame = 1; frame <= 96; ++frame) fps.countFrame(3.03f + frame * 0.01f);
    EXPECT_EQ(state(), std::make_tuple(4.0, 1, 96));
    fps.countFrame(4.0f);
    EXPECT_EQ(state(), std::make_tuple(5.0, 97, 0));
}
