#include "noise.h"

#include <cmath>

uint32_t Rng::next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    const uint32_t xorshifted = static_cast<uint32_t>(((state_ >> 18) ^ state_) >> 27);
    const uint32_t rot = static_cast<uint32_t>(state_ >> 59);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

uint32_t hashInt(int x, int y, uint32_t seed) {
    uint32_t h =
        seed * 0x9E3779B9u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^ static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int x, int y, uint32_t seed) {
    return (hashInt(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}
float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}
float fract(float v) {
    return v - std::floor(v);
}

int wrapIndex(int i, int period) {
    return ((i % period) + period) % period;
}

namespace {

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float cornerDot(int ix, int iy, int freqX, int freqY, uint32_t seed, float dx, float dy) {
    const float angle = hashUnit(wrapIndex(ix, freqX), wrapIndex(iy, freqY), seed) * 6.2831853f;
    return std::cos(angle) * dx + std::sin(angle) * dy;
}
}  // namespace

float gradientNoise(float u, float v, int freqX, int freqY, uint32_t seed) {
    const float x = u * freqX, y = v * freqY;
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    const float n00 = cornerDot(ix, iy, freqX, freqY, seed, dx, dy);
    const float n10 = cornerDot(ix + 1, iy, freqX, freqY, seed, dx - 1.0f, dy);
    const float n01 = cornerDot(ix, iy + 1, freqX, freqY, seed, dx, dy - 1.0f);
    const float n11 = cornerDot(ix + 1, iy + 1, freqX, freqY, seed, dx - 1.0f, dy - 1.0f);
    const float sx = fade(dx), sy = fade(dy);
    return 1.41421356f * lerp(lerp(n00, n10, sx), lerp(n01, n11, sx), sy);
}

float fbm(float u, float v, int freqX, int freqY, int octaves, float gain, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * gradientNoise(u, v, freqX << o, freqY << o, seed + 1013u * o);
        total += amplitude;
        amplitude *= gain;
    }
    return clamp01(0.5f + 0.5f * sum / total * 1.6f);
}

float turbulence(float u, float v, int freqX, int freqY, int octaves, float gain, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * std::fabs(gradientNoise(u, v, freqX << o, freqY << o, seed + 7919u * o));
        total += amplitude;
        amplitude *= gain;
    }
    return clamp01(sum / total * 1.8f);
}

CellSample cellNoise(float u, float v, int freq, uint32_t seed) {
    const float x = u * freq, y = v * freq;
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    CellSample best{1e9f, 1e9f, 0};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int wx = wrapIndex(cx + i, freq), wy = wrapIndex(cy + j, freq);
            const float px = cx + i + hashUnit(wx, wy, seed);
            const float py = cy + j + hashUnit(wx, wy, seed + 1);
            const float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = hashInt(wx, wy, seed + 2);
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    }
    return best;
}
