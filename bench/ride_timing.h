// What the frame benchmarks share: the monotonic clock, the swap_timer shim's log, percentiles of
// frame intervals and the scripted ride.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "support/x_session.h"

inline int64_t monotonicNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// One line of the shim's log: 'S' for a swap or 'D' for a display callback, its monotonic time and
// the process's processor time then, in nanoseconds.
struct TimerEvent {
    char kind;
    int64_t ns, cpuNs;
};
inline std::vector<TimerEvent> readTimerLog(const std::string& path) {
    std::vector<TimerEvent> events;
    std::ifstream in(path);
    char kind;
    long long ns, cpuNs;
    while (in >> kind >> ns >> cpuNs) events.push_back({kind, ns, cpuNs});
    return events;
}

// The value below which the given share of the sorted values lie (the median at 0.5); 0 when empty.
inline double percentile(const std::vector<double>& sorted, double share) {
    if (sorted.empty()) return 0.0;
    if (share == 0.5) return sorted[sorted.size() / 2];
    const size_t rank = static_cast<size_t>(std::ceil(share * sorted.size()));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

// The ride, the same for every program: Up pressed for 150 ms of every second, the pointer pushed to
// (pointerX, pointerY) give or take 2 pixels up and down every 50 ms, and a left click every 1.5 s.
inline void ride(XSession& x, double seconds, int pointerX, int pointerY) {
    const int ticks = static_cast<int>(seconds * 20.0);
    const int64_t start = monotonicNs();
    for (int tick = 0; tick < ticks; ++tick) {
        if (tick % 20 == 0) x.keyDown("Up");
        if (tick % 20 == 3) x.keyUp("Up");
        if (tick % 30 == 10) x.buttonDown(1);
        if (tick % 30 == 11) x.buttonUp(1);
        x.moveTo(pointerX, pointerY + (tick % 2 ? 2 : -2));
        const int64_t wait = start + (tick + 1) * 50000000LL - monotonicNs();
        if (wait > 0) sleepMs(static_cast<int>(wait / 1000000));
    }
    x.keyUp("Up");
}
