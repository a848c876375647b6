// What one frame costs offscreen (1024 x 768, Mesa llvmpipe through EGL, no window system), with
// the view held still so that every variant draws the same pixels: the game's frame against the
// bare terrain draw and a bare clear. The variants take turns every few frames, so that a machine
// busy with other work slows them alike. Run it in a folder that holds the game's data.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "app/frame.h"
#include "app/globals.h"
#include "bare_terrain.h"
#include "offscreen_game.h"
#include "support/gl_context.h"

namespace {
constexpr int kFramesPerTurn = 4;
int fakeMs = 0;

// Four views: from the start across the park, and from the middle in three directions.
struct View {
    float x, z, heading, pitch;
};
constexpr View kViews[] = {{-2.9f, 0.0f, 90.0f, 0.0f},
                           {0.0f, 0.0f, 0.0f, 5.0f},
                           {0.0f, 0.0f, 135.0f, 0.0f},
                           {0.5f, -1.0f, 250.0f, 350.0f}};

void holdView(int frame) {
    const View& view = kViews[frame % 4];
    Skater.moveTo(view.x, -1.0f, view.z);  // below ground: the step lifts it onto the surface
    Skater.vx = Skater.vy = Skater.vz = 0.0f;
    Skater.heading = view.heading;
    Skater.pitch = view.pitch;
    Keyboard.moveKeys = 0;
    Pointer.moved = 0;
    fakeMs += 16;
}

void gameFrame() {
    runFrame();
}

void gameFrameWithoutStars() {
    Prefs.universeOn = 0;
    runFrame();
    Prefs.universeOn = 1;
}

void clearFrame() {
    Clock.tick();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Each variant keeps its own game time: the title crawl runs in the first 20 s only.
struct Variant {
    const char* name;
    void (*frame)();
    float startTime;
    std::vector<double> times;
    std::vector<double> cpuTimes;
    FrameClock clock;
};

void startGameTime(Variant& variant) {
    variant.clock = Clock;
    variant.clock.offset = static_cast<float>(variant.startTime - fakeMs * 0.001);
    variant.clock.now = variant.clock.prevNow = variant.startTime;
}

// The renderer's threads only sleep while they wait, so the process's processor time measures the
// work of a frame even while other programs take turns on the processors.
double processCpuMs() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double mean(const std::vector<double>& values) {
    double sum = 0.0;
    for (double v : values) sum += v;
    return sum / values.size();
}
}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    GlContext gl(1024, 768);
    if (!gl.ok()) {
        std::printf("frame_cost_bench: no offscreen GL context\n");
        return 1;
    }
    startGameOffscreen(1024, 768, [] { return fakeMs; });
    Prefs.imageIndex = 0;

    Variant variants[] = {{"bare clear", clearFrame, 30.0f, {}, {}, {}},
                          {"bare terrain draw", drawBareTerrainFrame, 30.0f, {}, {}, {}},
                          {"game frame", gameFrame, 30.0f, {}, {}, {}},
                          {"game frame without stars", gameFrameWithoutStars, 30.0f, {}, {}, {}},
                          {"game frame with title crawl", gameFrame, 3.0f, {}, {}, {}}};
    for (Variant& variant : variants) startGameTime(variant);
    for (int round = -1; round < rounds; ++round) {
        for (Variant& variant : variants) {
            Clock = variant.clock;
            for (int frame = 0; frame < kFramesPerTurn; ++frame) {
                holdView(frame);
                const double cpuStart = processCpuMs();
                const auto start = std::chrono::steady_clock::now();
                variant.frame();
                glFinish();
                const auto end = std::chrono::steady_clock::now();
                if (round < 0) continue;
                variant.times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
                variant.cpuTimes.push_back(processCpuMs() - cpuStart);
            }
            variant.clock = Clock;
        }
    }
    std::printf("Offscreen frame cost, 1024 x 768, four still views, %d frames each:\n",
                rounds * kFramesPerTurn);
    std::printf("  %-28s %12s %14s %9s\n", "", "CPU ms", "wall ms", "CPU");
    std::printf("  %-28s %12s %14s %9s\n", "", "mean", "median", "/ terrain");
    const double terrain = mean(variants[1].cpuTimes);
    for (const Variant& variant : variants)
        std::printf("  %-28s %12.2f %14.2f %9.3f\n", variant.name, mean(variant.cpuTimes),
                    median(variant.times), mean(variant.cpuTimes) / terrain);
    return 0;
}
