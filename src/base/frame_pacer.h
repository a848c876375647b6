// The pacing timer for screens whose buffer swap does not wait (software rendering, Xvfb, drivers
// without swap control, sync turned off): after each frame it sleeps until the next frame's deadline.
// Deadlines lie one period apart on an absolute clock, so the rate does not drift with the time a
// frame takes; a frame that ends past its deadline lets the next start at once and the deadlines
// start again from there, so a late frame is never made up with a burst of quick ones.
#pragma once

#include <cstdint>

class FramePacer {
  public:
    using NowNs = int64_t (*)();                // a monotonic clock in nanoseconds
    using SleepUntilNs = void (*)(int64_t ns);  // returns at that time of the same clock or later

    FramePacer(NowNs now, SleepUntilNs sleepUntil) : now_(now), sleepUntil_(sleepUntil) {}

    // framesPerSecond 0 = unpaced. swapWaits: the buffer swap already waits for the screen, so the
    // pacer only watches; should a whole second hold more than a quarter more frames than the rate,
    // the swap does not really wait and the pacer sleeps from then on.
    void setRate(double framesPerSecond, bool swapWaits);
    // Called once a frame, after its buffer swap.
    void endFrame();
    bool sleeping() const { return periodNs_ > 0 && !watching_; }

  private:
    void watch(int64_t now);

    NowNs now_;
    SleepUntilNs sleepUntil_;
    double rate_ = 0.0;
    int64_t periodNs_ = 0;
    bool watching_ = false;
    bool started_ = false;
    int64_t deadlineNs_ = 0;
    int64_t watchStartNs_ = 0;
    int watchedFrames_ = 0;
};

// The real clock and sleep: CLOCK_MONOTONIC, and clock_nanosleep to an absolute time.
int64_t monotonicNs();
void sleepUntilNs(int64_t ns);
