#include "terrain_images.h"

#include <cmath>
#include <functional>

#include "noise.h"

namespace {
constexpr float kTwoPi = 6.2831853f;

// Averages shade(u, v), u and v in [0, 1), over 2 x 2 points in every pixel, to smooth sharp edges.
Image paint(const std::function<Rgb(float, float)>& shade) {
    Image image(kTerrainSize, kTerrainSize);
    for (int y = 0; y < kTerrainSize; ++y) {
        for (int x = 0; x < kTerrainSize; ++x) {
            Rgb sum;
            for (int k = 0; k < 4; ++k) {
                sum = sum + shade((x + 0.25f + 0.5f * (k % 2)) / kTerrainSize,
                                  (y + 0.25f + 0.5f * (k / 2)) / kTerrainSize);
            }
            image.at(x, y) = sum * 0.25f;
        }
    }
    return image;
}

// Independent noise for each pixel (repeating with the texture), in [0, 1).
float pixelNoise(float u, float v, uint32_t seed) {
    const auto pixel = [](float t) {
        return wrapIndex(static_cast<int>(std::floor(t * kTerrainSize)), kTerrainSize);
    };
    return hashUnit(pixel(u), pixel(v), seed);
}

// Change in brightness of a height field h(u, v) from its slope per pixel, lit from the direction
// (lightX, lightY) in picture coordinates (y down), so (0, -1) is light from the top.
float slopeLight(const std::function<float(float, float)>& h, float u, float v, float strength,
                 float lightX = -0.45f, float lightY = -0.9f) {
    const float e = 0.5f / kTerrainSize;
    const float dx = h(u + e, v) - h(u - e, v), dy = h(u, v + e) - h(u, v - e);
    return -(dx * lightX + dy * lightY) * strength;
}

struct Stone {
    float height;  // 0 outside every stone
    uint32_t id;
};

// Rounded stones, at most one per cell of a freq x freq grid (a cell keeps its stone with chance
// `keep`): slightly squashed, turned and lumpy-edged domes. Where stones overlap the higher wins.
Stone stones(float u, float v, int freq, float minRadius, float maxRadius, float keep, uint32_t seed) {
    const float x = u * freq, y = v * freq;
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    Stone best{0.0f, 0};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int wx = wrapIndex(cx + i, freq), wy = wrapIndex(cy + j, freq);
            const auto random = [wx, wy, seed](uint32_t k) { return hashUnit(wx, wy, seed + k); };
            if (random(0) >= keep) continue;
            const float dx = x - (cx + i + 0.25f + 0.5f * random(1)),
                        dy = y - (cy + j + 0.25f + 0.5f * random(2));
            const float radius = lerp(minRadius, maxRadius, random(3)), angle = 3.14159f * random(4);
            const float a = (dx * std::cos(angle) + dy * std::sin(angle)) / radius;
            const float b =
                (dy * std::cos(angle) - dx * std::sin(angle)) / (radius * (0.65f + 0.35f * random(5)));
            const float theta = std::atan2(b, a);
            const float wobble = 1.0f + 0.10f * std::sin(3.0f * theta + 6.3f * random(6)) +
                                 0.05f * std::sin(5.0f * theta + 6.3f * random(7));
            const float d2 = (a * a + b * b) / (wobble * wobble);
            if (d2 >= 1.0f) continue;
            const float height = std::sqrt(1.0f - d2) * (0.7f + 0.3f * random(8));
            if (height > best.height) best = {height, hashInt(wx, wy, seed + 9)};
        }
    }
    return best;
}

// Steel tread: raised lens-shaped bars, alternately tilted +45 and -45 degrees on a 4 x 4 grid.
float treadHeight(float u, float v) {
    const float gx = u * 4.0f, gy = v * 4.0f;
    const int cx = static_cast<int>(std::floor(gx)), cy = static_cast<int>(std::floor(gy));
    const float lx = gx - cx - 0.5f, ly = gy - cy - 0.5f;
    const float sign = ((cx + cy) & 1) ? 1.0f : -1.0f;
    const float along = (lx + sign * ly) * 0.70710678f, across = (lx - sign * ly) * 0.70710678f;
    const float halfLength = 0.37f, halfWidth = 0.095f;
    const float t = along / halfLength;
    if (std::fabs(t) >= 1.0f) return 0.0f;
    const float width = halfWidth * (1.0f - t * t * t * t);
    const float s = across / width;
    return s * s < 1.0f ? (1.0f - s * s) * (1.0f - t * t * t * t) : 0.0f;
}
}  // namespace

Image makeMetalPlate() {
    return paint([](float u, float v) {
        const float h = treadHeight(u, v);
        float value = 0.70f + 0.08f * (fbm(u, v, 2, 2, 3, 0.5f, 11) - 0.5f);
        value += 0.035f * (gradientNoise(u, v, 4, 64, 12));  // faint rolling marks
        value += slopeLight(treadHeight, u, v, 0.55f, -0.3f, -0.95f);
        value += 0.12f * h;  // bar tops catch the light
        const Rgb steel{0.93f, 0.96f, 1.0f};
        return steel * clamp01(value);
    });
}

Image makeSand() {
    return paint([](float u, float v) {
        const float warp = fbm(u, v, 3, 3, 3, 0.5f, 21);
        const float phase = 7.0f * v + 1.0f * u + 0.9f * warp;
        // Wind ripples: a gentle rise, then a steeper lee side in shadow.
        const float ripple = std::sin(kTwoPi * phase) + 0.35f * std::sin(2.0f * kTwoPi * phase);
        const float grain = pixelNoise(u, v, 22);
        float value = 0.90f + 0.045f * ripple + 0.10f * (grain - 0.5f);
        value += 0.10f * (fbm(u, v, 2, 2, 4, 0.55f, 23) - 0.5f);
        const Rgb sand{0.98f, 0.88f, 0.66f};
        return sand * value;
    });
}

Image makeCloud() {
    return paint([](float u, float v) {
        const Rgb sky{0.50f, 0.70f, 0.96f};
        const float density = fbm(u, v, 3, 3, 5, 0.55f, 31);
        const float cover = smoothstep(0.42f, 0.72f, density);
        // Thick parts are a little grey underneath, thin parts pure white.
        const float shade = 1.0f - 0.18f * smoothstep(0.65f, 0.95f, density);
        return mix(sky, Rgb{shade, shade, shade * 1.01f}, cover);
    });
}

Image makeDirt() {
    return paint([](float u, float v) {
        const float broad = fbm(u, v, 3, 3, 5, 0.55f, 41);
        const Rgb light{0.86f, 0.69f, 0.50f}, dark{0.70f, 0.53f, 0.37f};
        Rgb c = mix(dark, light, broad);
        // Crumbly ground: fine bumps lit from the top left.
        const auto crumbs = [](float cu, float cv) { return fbm(cu, cv, 16, 16, 3, 0.5f, 42); };
        c = c * (1.0f + slopeLight(crumbs, u, v, 2.2f));
        // A few small pale pebbles.
        const auto pebbles = [](float cu, float cv) {
            return stones(cu, cv, 10, 0.18f, 0.32f, 0.3f, 43).height;
        };
        const float pebble = pebbles(u, v);
        if (pebble > 0.0f) {
            const Rgb stoneColour =
                Rgb{0.74f, 0.68f, 0.60f} * (0.9f + 0.1f * pebble + slopeLight(pebbles, u, v, 2.0f));
            c = mix(c, stoneColour, clamp01(pebble * 3.0f));
        }
        const float speck = pixelNoise(u, v, 44);
        return c * (0.93f + 0.14f * speck);
    });
}

Image makeMarble() {
    return paint([](float u, float v) {
        const float cloud = fbm(u, v, 2, 2, 5, 0.5f, 51);
        Rgb c = Rgb{0.95f, 0.95f, 0.94f} * (0.95f + 0.08f * cloud);
        const float t = turbulence(u, v, 2, 2, 5, 0.55f, 52);
        const float main = std::sin(kTwoPi * (1.0f * u + 2.0f * v) + 5.0f * t);
        const float fine =
            std::sin(kTwoPi * (3.0f * u - 1.0f * v) + 7.0f * turbulence(u, v, 3, 3, 4, 0.5f, 53));
        const float vein = std::exp(-main * main / 0.02f);
        const float thin = 0.55f * std::exp(-fine * fine / 0.003f);
        const Rgb veinColour{0.46f, 0.48f, 0.52f};
        c = mix(c, veinColour, clamp01(0.75f * vein + thin));
        return c;
    });
}

Image makeMetalGrain() {
    return paint([](float u, float v) {
        // Long streaks along u: noise that changes slowly across u and quickly across v.
        const float streak = gradientNoise(u, v, 2, 64, 61) + 0.5f * gradientNoise(u, v, 4, 128, 62);
        const float row = pixelNoise(0.0f, v, 63) - 0.5f;
        const float sheen = 0.05f * std::sin(kTwoPi * v) + 0.04f * std::sin(kTwoPi * (u + 2.0f * v));
        const float value = 0.72f + 0.07f * streak + 0.05f * row + sheen;
        return Rgb{0.95f, 0.97f, 1.0f} * value;
    });
}

Image makeFlame() {
    return paint([](float u, float v) {
        // Tongues: noise stretched upwards, its shape warped by a second noise.
        const float wu = u + 0.15f * gradientNoise(u, v, 3, 2, 71);
        const float heat = turbulence(wu, v, 4, 2, 5, 0.55f, 72);
        const float t = clamp01(1.0f - heat * 1.25f + 0.1f * fbm(u, v, 8, 8, 2, 0.5f, 73));
        const Rgb deep{0.90f, 0.32f, 0.04f}, orange{1.0f, 0.58f, 0.10f}, yellow{1.0f, 0.86f, 0.32f},
            white{1.0f, 0.98f, 0.80f};
        if (t < 0.4f) return mix(deep, orange, t / 0.4f);
        if (t < 0.8f) return mix(orange, yellow, (t - 0.4f) / 0.4f);
        return mix(yellow, white, (t - 0.8f) / 0.2f);
    });
}

Image makeRock() {
    return paint([](float u, float v) {
        // Big stones, with smaller ones filling the gaps between them.
        const auto field = [](float hu, float hv) {
            const Stone big = stones(hu, hv, 5, 0.45f, 0.7f, 1.0f, 81);
            const Stone small = stones(hu, hv, 11, 0.3f, 0.55f, 0.8f, 82);
            return small.height * 0.45f > big.height ? Stone{small.height * 0.45f, small.id} : big;
        };
        const auto height = [&field](float hu, float hv) {
            return field(hu, hv).height + 0.03f * fbm(hu, hv, 16, 16, 3, 0.5f, 83);
        };
        const Stone s = field(u, v);
        const float tone = 0.62f + 0.2f * ((s.id >> 8) % 256) / 255.0f;
        const float warm = 0.05f * (((s.id >> 16) % 256) / 255.0f - 0.5f);
        float value = tone + 0.10f * (fbm(u, v, 8, 8, 4, 0.6f, 84) - 0.5f);
        value += std::max(-0.3f, std::min(0.25f, slopeLight(height, u, v, 2.5f)));
        value *= 0.85f + 0.15f * std::sqrt(s.height);
        // Gravel between the stones.
        const float gravel = 0.45f + 0.15f * pixelNoise(u, v, 85);
        value = lerp(gravel, value, smoothstep(0.0f, 0.12f, s.height));
        return Rgb{value + warm, value, value - warm};
    });
}

Image makeWater() {
    return paint([](float u, float v) {
        const float wu = u + 0.06f * gradientNoise(u, v, 2, 2, 91),
                    wv = v + 0.06f * gradientNoise(u, v, 2, 2, 92);
        const CellSample a = cellNoise(wu, wv, 5, 93);
        const CellSample b = cellNoise(wu, wv, 8, 94);
        // Light focused by the ripples: a bright net along the cell borders.
        const float net = std::pow(clamp01(1.0f - (a.f2 - a.f1) * 3.0f), 3.0f) +
                          0.6f * std::pow(clamp01(1.0f - (b.f2 - b.f1) * 3.5f), 3.0f);
        const float depth = fbm(u, v, 2, 2, 3, 0.5f, 95);
        const Rgb deep{0.20f, 0.50f, 0.86f}, shallow{0.32f, 0.66f, 0.95f}, light{0.85f, 0.96f, 1.0f};
        return mix(mix(deep, shallow, depth), light, clamp01(net));
    });
}

Image makeWood() {
    return paint([](float u, float v) {
        constexpr int kPlanks = 4;
        const float across = fract(v) * kPlanks;
        const int plank = static_cast<int>(across);
        const float local = across - plank;  // 0..1 across the plank
        const uint32_t seed = 100u + static_cast<uint32_t>(plank);
        // Each plank has one butt joint somewhere along its length.
        const float joint = hashUnit(plank, 0, 101);
        const float distToJoint = std::fabs(fract(u - joint + 0.5f) - 0.5f) * kTerrainSize;
        // Growth rings cut lengthwise: lines along the plank that drift gently.
        const float drift =
            1.6f * gradientNoise(u, local, 2, 1, seed) + 0.3f * gradientNoise(u, local, 6, 2, seed + 10);
        const float rings = 4.0f * local + drift + hashUnit(plank, 1, 102) * 3.0f;
        const float late = std::pow(1.0f - fract(rings), 3.0f);  // dark latewood edge of each ring
        // Fine fibres running along the plank.
        const float fibre = 0.5f + 0.5f * gradientNoise(u, v, 4, 128, seed + 20);
        const Rgb pale{0.93f, 0.75f, 0.53f}, dark{0.70f, 0.49f, 0.30f};
        Rgb c = mix(pale, dark, clamp01(0.75f * late + 0.12f * fibre));
        c = c * (0.93f + 0.12f * hashUnit(plank, 2, 103));
        // Dark seams between planks and at the joint.
        const float seam = std::min(local, 1.0f - local) * kTerrainSize / kPlanks;
        if (seam < 1.0f || distToJoint < 0.5f) c = c * 0.55f;
        return c;
    });
}
