// Prints how long the terrain takes to regenerate and rebuild at the three tessellations the
// settings allow, and to draw once at the finest, in an offscreen Mesa context.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "settings/prefs.h"
#include "support/gl_context.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"

namespace {
float HeightCells[kHeightCells];
TerrainSurface surface;
Heightmap heightmap;

template <typename Work>
double medianMicroseconds(int runs, Work work) {
    std::vector<double> times;
    times.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<size_t>(runs / 2)];
}

void timeRebuilds() {
    constexpr int kRuns = 301;
    for (int tessellation : {31, 63, 99}) {
        const double generate =
            medianMicroseconds(kRuns, [] { heightmap.generate(Heightmap::kPlayground, 128); });
        surface.setResolution(tessellation);
        const double build = medianMicroseconds(kRuns, [] { surface.build(heightmap); });
        const double both = medianMicroseconds(kRuns, [] {
            heightmap.generate(Heightmap::kPlayground, 128);
            surface.build(heightmap);
        });
        std::printf("tessellation %2d: generate %7.1f us, build %7.1f us, generate + build %7.1f us\n",
                    tessellation, generate, build, both);
    }
}

// At 16 x 16 pixels hardly anything is filled, which leaves the cost of sending the vertices.
void timeDraw(int width, int height) {
    GlContext gl(width, height);
    if (!gl.ok()) {
        std::printf("draw: no offscreen GL context\n");
        return;
    }
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.texturesOn = 0;
    surface.setResolution(99);
    surface.build(heightmap);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(100.0, static_cast<double>(width) / height, 0.01, 9.0);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(-3.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const double draw = medianMicroseconds(101, [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        surface.draw(prefs);
        glFinish();
    });
    const double clear = medianMicroseconds(101, [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
    });
    std::printf("draw at 99, lit, %3d x %3d: %7.1f us (clearing alone %5.1f us)\n", width, height, draw,
                clear);
}
}  // namespace

int main() {
    heightmap.heights = HeightCells;
    timeRebuilds();
    timeDraw(640, 480);
    timeDraw(16, 16);
    return 0;
}
