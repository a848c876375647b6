// Frame pacing of the real program, full-screen at 1024 x 768 in a private Xvfb with Mesa's software
// renderer (whose swaps never wait for a screen): frames a second, the median and 99th-percentile
// frame interval and the processor time a second of the whole program, paced (the default) and
// unpaced (--max-fps=0), riding, paused and with the window unmapped.
// Usage: pacing_bench [seconds a phase, default 5] [screen width and height, default 1024 768]
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ride_timing.h"
#include "settings/prefs.h"
#include "support/rampix_process.h"

namespace {
struct Phase {
    const char* name;
    int64_t from = 0, to = 0;
    double cpuSeconds = 0.0;
};

std::vector<int64_t> readSwaps(const std::string& path) {
    std::vector<int64_t> swaps;
    for (const TimerEvent& event : readTimerLog(path))
        if (event.kind == 'S') swaps.push_back(event.ns);
    return swaps;
}

void printPhase(const char* mode, const Phase& phase, const std::vector<int64_t>& swaps) {
    std::vector<double> gaps;
    int frames = 0;
    int64_t previous = -1;
    for (const int64_t swap : swaps) {
        if (swap < phase.from || swap > phase.to) continue;
        ++frames;
        if (previous >= 0) gaps.push_back((swap - previous) * 1e-6);
        previous = swap;
    }
    const double seconds = (phase.to - phase.from) * 1e-9;
    std::sort(gaps.begin(), gaps.end());
    std::printf("  %-8s %-7s %7.1f %9.2f %9.2f %9.3f %7d\n", mode, phase.name, frames / seconds,
                percentile(gaps, 0.5), percentile(gaps, 0.99), phase.cpuSeconds / seconds, frames);
    std::fflush(stdout);
}

void measure(XSession& x, const std::string& folder, const char* mode, const char* option, double seconds,
             int centreX, int centreY) {
    const std::string logPath = folder + "/pacing.log";
    std::vector<std::string> arguments;
    if (option) arguments.push_back(option);
    RampixProcess app(x.displayName(), folder,
                      {std::string("LD_PRELOAD=") + SWAP_TIMER_LIBRARY, "SWAP_TIMER_LOG=" + logPath}, "",
                      arguments);
    const pid_t pid = app.pid();
    if (!app.waitForOutput("Ready...\n\n", 20000) || !x.waitForWindow("Rampix", 20000)) {
        std::printf("  %s: the game did not start\n", mode);
        return;
    }
    x.moveTo(centreX, centreY);
    sleepMs(1000);
    x.key("a");
    sleepMs(3000);  // initialisation and the fade-in
    Phase phases[] = {{"riding"}, {"paused"}, {"hidden"}};
    for (Phase& phase : phases) {
        const bool riding = &phase == &phases[0];
        if (&phase == &phases[1]) {
            x.key("p");
            sleepMs(500);
        } else if (&phase == &phases[2]) {
            x.showWindow("Rampix", false);
            sleepMs(500);
        }
        const double cpuBefore = processorSeconds(pid);
        phase.from = monotonicNs();
        if (riding)
            ride(x, seconds, centreX + 2, centreY + 116);  // right of and below the warp point
        else
            sleepMs(static_cast<int>(seconds * 1000));
        phase.to = monotonicNs();
        phase.cpuSeconds = processorSeconds(pid) - cpuBefore;
    }
    x.showWindow("Rampix", true);
    sleepMs(500);
    x.key("q");
    sleepMs(100);
    x.key("q");
    if (app.waitForExit(10000) < 0) std::printf("  %s: the game did not stop on q\n", mode);
    const std::vector<int64_t> swaps = readSwaps(logPath);
    for (const Phase& phase : phases) printPhase(mode, phase, swaps);
}
}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 5.0;
    const int width = argc > 3 ? std::clamp(std::atoi(argv[2]), 320, 4096) : 1024;
    const int height = argc > 3 ? std::clamp(std::atoi(argv[3]), 240, 4096) : 768;
    signal(SIGPIPE, SIG_IGN);
    XSession x(width, height);
    ScratchFolder folder;
    if (!x.ok() || folder.path().empty()) {
        std::printf("pacing_bench: no X server or no scratch folder\n");
        return 1;
    }
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.imageIndex = 0;
    prefs.cameraMode = 1;
    if (prefs.savePrefs(folder.file("Rampix").c_str()) != 0) {
        std::printf("pacing_bench: cannot write the settings file\n");
        return 1;
    }
    std::printf(
        "Pacing at %d x %d in Xvfb (Mesa software rendering, swaps never wait; 60 Hz assumed):\n"
        "%.0f s riding, then %.0f s paused, then %.0f s with the window unmapped; default settings, Sand\n",
        width, height, seconds, seconds, seconds);
    std::printf("  %-8s %-7s %7s %9s %9s %9s %7s\n", "", "", "FPS", "median ms", "p99 ms", "CPU s/s",
                "frames");
    std::fflush(stdout);
    measure(x, folder.path(), "paced", nullptr, seconds, width / 2, height / 2);
    measure(x, folder.path(), "unpaced", "--max-fps=0", seconds, width / 2, height / 2);
    return 0;
}
