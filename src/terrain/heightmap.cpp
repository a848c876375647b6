// Bump shapes, height images and the wrapping sampler of the terrain grid.
#include "terrain/heightmap.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "base/file_places.h"
#include "base/math_helpers.h"
#include "textures/bmp_reader.h"

namespace {
constexpr double kTwoPi = 6.2831854820251465;  // 2 x the float pi, as the shapes were laid out with it
constexpr int kMaxSide = 256;
constexpr int kMinImageSide = 4;

// Everything about a bump option: the name the status line shows, and where its shape comes from:
// a generated shape (no file) or a height image with its scale.
struct BumpOption {
    const char* name;
    const char* fileName;
    float scale;
};
constexpr BumpOption kBumpOptions[Heightmap::kBumpOptionCount] = {
    {"Option 0/4: Mounds", nullptr, 0.0f},       {"Option 1/4: Rings", nullptr, 0.0f},
    {"Option 2/4: Rocks", "bump_128.bmp", 3.0f}, {"Option 3/4: Pyramids", "bump3.bmp", 7.0f},
    {"Option 4/4: Playground", nullptr, 0.0f},
};
constexpr int kGeneratedSide = 128;

double mounds(int i, int j, double half) {
    return std::cos(0.1 * (j - half)) * std::cos(0.1 * (i - half));
}

double rings(int i, int j, double half) {
    const double d = std::sqrt((j - half) * (j - half) + (i - half) * (i - half));
    const double h = std::sin(0.3 * d);
    return h > 0.25 ? 0.25 : h;  // the ring crests are flat
}

double playgroundBase(int i, int j, int side) {
    if (i < 20) return j < 111 ? 12.0 * std::cos(kTwoPi * j * 1.029296875 / side - 0.3) - 7.0 : 0.0;
    if (j < 20 && i < 84) return cosineInterpolate(5.0f, 0.0f, static_cast<float>((i - 20) / 64.0));
    if (i < 28) return j < 111 ? 5.0 : 0.0;
    if (i < 36) return j < 111 ? 5.0 - 5.0 * std::sin(0.225 * (i - 28)) : 0.0;
    if (i > 90 && j > 20 && j < 108) {
        const double w = 2.0 * (std::cos(0.18 * (i - 90)) - 1.0);
        return j < 64 ? w : w * (1.0 - std::cos(0.14612 * (j - 21))) * 0.2;
    }
    return 0.0;
}

// Base layout, then bowl, trough and corner ramps, each overriding where its condition holds.
double playground(int i, int j, double half, int side) {
    double h = playgroundBase(i, j, side);
    const double bowl =
        std::sqrt((j - half + 5.0) * (j - half + 5.0) + (i - half + 2.0) * (i - half + 2.0)) / half;
    if (bowl < 0.3) {
        const float d3 = static_cast<float>(3.0 * bowl);
        h = 3.0 * (-std::cos(d3 * static_cast<double>(kPi)) - 1.0);
    }
    if (j > 90 && j < 110 && i > 55 && i < 65) h = std::cos((j - 90) / 20.0 * kTwoPi) - 1.0;
    int s = (127 - j) + (127 - i);
    if (s < 10) h = (10 - s) * 0.2;
    s = j + (127 - i);
    if (s < 10) h = (10 - s) * 0.2;
    return h;
}

double shapeHeight(int shape, int i, int j, double half, int side) {
    switch (shape) {
        case Heightmap::kMounds:
            return mounds(i, j, half);
        case Heightmap::kRings:
            return rings(i, j, half);
        case Heightmap::kPlayground:
            return playground(i, j, half, side);
        default:
            return 0.0;
    }
}

// Brings t into 0..1 as repeatedly adding or subtracting 1 would (1.0 itself stays 1.0), without
// looping for ever on huge or non-finite values. Below 2^24 every such step is exact, so reducing
// with fmod first gives the same result.
float wrapUnit(float t) {
    if (!std::isfinite(t)) return 0.0f;
    if (t > 2.0f) {
        t = std::fmod(t, 1.0f);
        if (t == 0.0f) t = 1.0f;
    } else if (t < -2.0f) {
        t = std::fmod(t, 1.0f) + 0.0f;
    }
    while (t < 0.0f) t += 1.0f;
    while (t > 1.0f) t -= 1.0f;
    return t;
}

bool canOpen(const char* fileName) {
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}
}  // namespace

int Heightmap::loadFromBmp(const char* fileName, float scale) {
    if (fileName == nullptr) return 1;
    const std::string path = filePlaces().dataPath(fileName);
    if (!canOpen(path.c_str())) return 1;
    BmpImage image;
    if (!readBmpFile(path.c_str(), image)) return 0;
    const int side = image.width;
    if (image.height != side || side < kMinImageSide || side > kMaxSide) return 0;
    size = side;
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const float g = image.green(j, i);
            setCell(static_cast<long>(side - 1 - i) * side + j, (g / 128.0f - 1.0f) * scale);
        }
    }
    return 0;
}

int Heightmap::generate(int shape, int side) {
    if (side < 1 || side > kMaxSide) return 0;
    size = side;
    const float half = side * 0.5f;
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const double h = shapeHeight(shape, i, j, half, side);
            setCell(static_cast<long>(side - 1 - i) * side + (side - 1 - j), static_cast<float>(h));
        }
    }
    return 0;
}

float Heightmap::sampleHeight(float u, float v) const {
    const int n = size;
    if (n <= 0 || n > kMaxSide) return 0.0f;  // only a side the storage can hold is sampled
    u = wrapUnit(u);
    v = wrapUnit(v);
    const float x = n * u;
    int c = static_cast<int>(x);
    const float fx = x - c;
    const float y = n * v;
    int r = static_cast<int>(y);
    const float fy = y - r;
    if (c >= n) c = n - 1;
    if (r >= n) r = n - 1;

    const long row = static_cast<long>(r) * n;
    const long across = row + (c + 1) % n;
    const long below = static_cast<long>((r + 1) % n) * n + c;
    const float h0 = cell(row + c);
    float h = h0;
    if (holds(across)) h += (heights[across] - h0) * fx;
    if (holds(below)) h += (heights[below] - h0) * fy;
    return h;
}

void Heightmap::applyBumpOption(int option) {
    if (option < 0 || option >= kBumpOptionCount) return;
    const BumpOption& source = kBumpOptions[option];
    if (source.fileName)
        loadFromBmp(source.fileName, source.scale);
    else
        generate(option, kGeneratedSide);
}

const char* Heightmap::bumpOptionName(int option) {
    return option >= 0 && option < kBumpOptionCount ? kBumpOptions[option].name : nullptr;
}
