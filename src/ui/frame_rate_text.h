// The frame-rate clock: counts frames every frame and shows the count of the last whole second.
#pragma once

#include "ui/font_text.h"

class FrameRateText : public FontText {
  public:
    ~FrameRateText() override = default;

    // Every frame, shown or not. The count is taken at whole seconds of game time from 0, so after a
    // stall it catches up by one second per frame (the values shown then are 1).
    void countFrame(float now);
    // Restarts "FPS: n" every frame, so it stays while called and goes 3 s after the last call.
    void show();

    double nextSecond = 0.0;  // game time of the next count
    int framesCounted = 0;
    int framesShown = 0;
};
