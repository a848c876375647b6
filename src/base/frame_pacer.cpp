#include "base/frame_pacer.h"

#include <cerrno>
#include <cmath>
#include <ctime>

namespace {
constexpr int64_t kSecondNs = 1000000000;
}

void FramePacer::setRate(double framesPerSecond, bool swapWaits) {
    rate_ = framesPerSecond > 0.0 ? framesPerSecond : 0.0;
    periodNs_ = rate_ > 0.0 ? std::llround(kSecondNs / rate_) : 0;
    watching_ = swapWaits;
    started_ = false;
    watchedFrames_ = 0;
}

void FramePacer::endFrame() {
    if (periodNs_ == 0) return;
    const int64_t now = now_();
    if (watching_) {
        watch(now);
        return;
    }
    deadlineNs_ = (started_ ? deadlineNs_ : now) + periodNs_;
    started_ = true;
    if (deadlineNs_ <= now) {
        deadlineNs_ = now;
        return;
    }
    sleepUntil_(deadlineNs_);
}

void FramePacer::watch(int64_t now) {
    if (watchedFrames_++ == 0) watchStartNs_ = now;
    const int64_t span = now - watchStartNs_;
    if (span < kSecondNs) return;
    const double framesPerSecond = (watchedFrames_ - 1) * static_cast<double>(kSecondNs) / span;
    watchedFrames_ = 0;
    if (framesPerSecond > rate_ * 1.25) watching_ = false;
}

int64_t monotonicNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * kSecondNs + ts.tv_nsec;
}

void sleepUntilNs(int64_t ns) {
    const timespec until{static_cast<time_t>(ns / kSecondNs), static_cast<long>(ns % kSecondNs)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
