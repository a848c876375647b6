#include "height_images.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"

namespace {
// Heights above ground, in grey levels, turned into a picture. Rounding to whole levels here makes
// the ground exactly 128 whatever happens when the bytes are written.
Image fromLevels(const std::vector<float>& levels) {
    Image image(kHeightSize, kHeightSize);
    for (int y = 0; y < kHeightSize; ++y) {
        for (int x = 0; x < kHeightSize; ++x) {
            const float level = std::min(255.0f, std::round(kGroundLevel + levels[y * kHeightSize + x]));
            image.at(x, y) = grey(level / 255.0f);
        }
    }
    return image;
}
}  // namespace

Image makeRockBumps() {
    std::vector<float> levels(kHeightSize * kHeightSize, 0.0f);
    Rng rng(2024);
    for (int rock = 0; rock < 16; ++rock) {
        const float radius = rng.range(5.0f, 15.0f);
        const float lo = kHeightBorder + radius + 1.0f, hi = kHeightSize - kHeightBorder - radius - 1.0f;
        const float cx = rng.range(lo, hi), cy = rng.range(lo, hi);
        const float stretch = rng.range(0.7f, 1.0f), angle = rng.range(0.0f, 3.14159f);
        const float peak = rng.range(25.0f, 70.0f) * radius / 15.0f + 15.0f;
        const uint32_t seed = rng.next();
        const float ca = std::cos(angle), sa = std::sin(angle);
        for (int y = 0; y < kHeightSize; ++y) {
            for (int x = 0; x < kHeightSize; ++x) {
                const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
                const float a = (dx * ca + dy * sa) / radius, b = (dy * ca - dx * sa) / (radius * stretch);
                const float d2 = a * a + b * b;
                if (d2 >= 1.0f) continue;
                // A rounded dome with a lumpy surface.
                const float lumps = 0.85f + 0.3f * fbm(x / 32.0f, y / 32.0f, 4, 4, 3, 0.5f, seed);
                float& level = levels[y * kHeightSize + x];
                level = std::max(level, peak * std::pow(1.0f - d2, 0.6f) * lumps);
            }
        }
    }
    return fromLevels(levels);
}

Image makePyramids() {
    struct Pyramid {
        float cx, cy, halfSize, height;
    };
    const Pyramid pyramids[] = {
        {32, 32, 20, 90}, {96, 34, 18, 64}, {34, 94, 17, 56}, {92, 92, 25, 115}, {62, 62, 8, 40},
    };
    std::vector<float> levels(kHeightSize * kHeightSize, 0.0f);
    for (const Pyramid& p : pyramids) {
        for (int y = 0; y < kHeightSize; ++y) {
            for (int x = 0; x < kHeightSize; ++x) {
                const float d = std::max(std::fabs(x + 0.5f - p.cx), std::fabs(y + 0.5f - p.cy)) / p.halfSize;
                float& level = levels[y * kHeightSize + x];
                if (d < 1.0f) level = std::max(level, p.height * (1.0f - d));
            }
        }
    }
    return fromLevels(levels);
}
