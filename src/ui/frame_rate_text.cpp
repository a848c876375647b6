// Counting frames for the frame-rate clock.
#include "ui/frame_rate_text.h"

void FrameRateText::countFrame(float now) {
    framesCounted += 1;
    if (now >= nextSecond) {
        nextSecond += 1.0;
        framesShown = framesCounted;
        framesCounted = 0;
    }
}

void FrameRateText::show() {
    showInt("FPS: %d", framesShown);
    update();
}
