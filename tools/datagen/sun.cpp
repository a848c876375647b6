#include "sun.h"

#include <cmath>

#include "noise.h"

Image makeSun() {
    Image sun(kSunSize, kSunSize);
    const float centre = kSunSize / 2.0f, discRadius = 34.0f, glowEnd = centre - 2.0f;
    const Rgb core{1.0f, 1.0f, 0.93f}, limb{1.0f, 0.93f, 0.62f}, glow{1.0f, 0.80f, 0.42f};
    for (int y = 0; y < kSunSize; ++y) {
        for (int x = 0; x < kSunSize; ++x) {
            const float dx = x + 0.5f - centre, dy = y + 0.5f - centre;
            const float r = std::sqrt(dx * dx + dy * dy);
            // The glow falls off quickly near the disc, then eases to exactly zero at glowEnd.
            const float fall =
                0.75f * std::exp(-(r - discRadius) / 16.0f) + 0.25f * std::exp(-(r - discRadius) / 45.0f);
            const float halo = r < glowEnd ? clamp01(fall) * smoothstep(glowEnd, glowEnd * 0.55f, r) : 0.0f;
            const Rgb disc = mix(core, limb, std::pow(clamp01(r / discRadius), 4.0f));
            sun.at(x, y) = mix(glow * halo, disc, clamp01(discRadius + 0.5f - r));
        }
    }
    return sun;
}
