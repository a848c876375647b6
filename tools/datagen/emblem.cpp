#include "emblem.h"

#include <algorithm>

#include "shapes.h"

namespace {
float zDistance(float x, float y) {
    const float top = boxDistance(x, y, 64.0f, 27.0f, 46.0f, 11.0f, 3.0f);
    const float bottom = boxDistance(x, y, 64.0f, 101.0f, 46.0f, 11.0f, 3.0f);
    const float diagonal = segmentDistance(x, y, 30.0f, 96.0f, 98.0f, 32.0f, 11.0f);
    return std::min({top, bottom, diagonal});
}
}  // namespace

Bytes makeEmblemRgba(const Image& metal) {
    Bytes rgba;
    rgba.reserve(kEmblemSize * kEmblemSize * 4);
    for (int y = 0; y < kEmblemSize; ++y) {
        for (int x = 0; x < kEmblemSize; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = zDistance(px, py);
            const Rgb plate = metal.at(x % metal.width, y % metal.height);
            // Polished metal: a cool sheen from top to bottom, bevelled edges, a dark outline.
            const float sheen = 1.05f - 0.25f * std::fabs(py / kEmblemSize - 0.35f);
            Rgb c = plate * Rgb{sheen * 0.95f, sheen, sheen * 1.05f};
            c = c + grey(0.35f * rimLight(zDistance, px, py, 4.0f));
            c = mix(c, Rgb{0.10f, 0.11f, 0.13f}, clamp01(d + 2.0f));
            rgba.push_back(toByte(c.r));
            rgba.push_back(toByte(c.g));
            rgba.push_back(toByte(c.b));
            rgba.push_back(toByte(coverage(d)));
        }
    }
    return rgba;
}
