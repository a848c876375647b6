// The game clock and its step clamp.
#include "base/frame_clock.h"

#include <limits>

#include "base/platform.h"

void FrameClock::tick() {
    rawMs = platform.elapsedMs();
    now = static_cast<float>(offset + rawMs * 0.001);
    dt = now - prevNow;
    if (dt > 0.1) {
        offset = static_cast<float>(offset - (dt - 0.05));
        dt = 0.05f;
        now = static_cast<float>(offset + rawMs * 0.001);
    }
    prevNow = now;
}

void FrameClock::restart() {
    offset -= now;
    now = std::numeric_limits<float>::min();
    dt = 0.0f;
    prevNow = 0.0f;
}
