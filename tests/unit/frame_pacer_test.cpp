// The frame pacer.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/frame_pacer.h"

namespace {
// The pacer on a clock the test moves by hand: each frame takes some work time, then the pacer sleeps
// (the fake sleep moves the clock to the wake-up time).
int64_t fakeNow = 0;
std::vector<int64_t> wakeUps;
constexpr int64_t kMs = 1000000;

// Runs frames of the given work times (ms) and returns the wake-up times (ms), -1 for no sleep.
std::vector<double> pace(FramePacer& pacer, const std::vector<double>& workMs) {
    std::vector<double> result;
    for (const double work : workMs) {
        fakeNow += static_cast<int64_t>(work * kMs);
        const size_t sleeps = wakeUps.size();
        pacer.endFrame();
        result.push_back(wakeUps.size() > sleeps ? static_cast<double>(wakeUps.back()) / kMs : -1.0);
    }
    return result;
}
FramePacer fakePacer() {
    return FramePacer([] { return fakeNow; },
                      [](int64_t ns) {
                          wakeUps.push_back(ns);
                          fakeNow = std::max(fakeNow, ns);
                      });
}
}  // namespace

TEST(FramePacer, SleepsToAbsoluteDeadlinesAndNeverCatchesUp) {
    FramePacer pacer = fakePacer();
    fakeNow = 1000 * kMs;
    pacer.setRate(50.0, false);  // 20 ms
    // Deadlines 20 ms apart whatever the work; the 45 ms frame is late, so the next starts at once
    // and the deadlines go on from its end, one at a time.
    EXPECT_EQ(pace(pacer, {5, 5, 19, 45, 5, 0}), (std::vector<double>{1025, 1045, 1065, -1, 1130, 1150}));
    EXPECT_TRUE(pacer.sleeping());
    pacer.setRate(60.0, false);  // deadlines exactly 16 666 667 ns apart
    pace(pacer, std::vector<double>(61, 1.0));
    EXPECT_EQ(wakeUps.back() - wakeUps[wakeUps.size() - 61], 60 * 16666667);
    pacer.setRate(0.0, false);
    EXPECT_EQ(pace(pacer, {1, 1, 1}), (std::vector<double>{-1, -1, -1}));
    EXPECT_FALSE(pacer.sleeping());
}

TEST(FramePacer, TrustsAWaitingSwapUntilFramesComeTooFast) {
    FramePacer pacer = fakePacer();
    pacer.setRate(60.0, true);
    // 70 frames a second pass (the screen may run a little faster than it says) ...
    EXPECT_EQ(pace(pacer, std::vector<double>(150, 1000.0 / 70)), std::vector<double>(150, -1.0));
    EXPECT_FALSE(pacer.sleeping());
    // ... but a second of 200 frames shows the swap does not wait, and the pacer takes over.
    pace(pacer, std::vector<double>(201, 5.0));
    EXPECT_TRUE(pacer.sleeping());
    const int64_t lastWakeUp = wakeUps.back();
    pace(pacer, {5.0});
    EXPECT_EQ(wakeUps.back() - lastWakeUp, 16666667);
}
