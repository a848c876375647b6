// The game clock: time in seconds since start, with stalls longer than 0.1 s counted as 0.05 s.
#pragma once

class FrameClock {
  public:
    virtual ~FrameClock() = default;

    void tick();
    // Game time restarts at 0 after the splash; the next step is measured from 0 too, so it is
    // never negative however long the splash lasted. Until that step, `now` reads as the smallest
    // positive time: events handled before the first game frame act on game time 0, yet a time they
    // store (an exit start, where 0 means "none") still counts as set.
    void restart();

    float now = 0.0f;
    float dt = 0.0f;
    float prevNow = 0.0f;
    float offset = 0.0f;
    int rawMs = 0;
};
