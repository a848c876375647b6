// Seeded randomness and noise that tiles: every noise function here is periodic in u and v with
// period 1 as long as the frequencies passed in are whole numbers.
#pragma once

#include <cstdint>

// A small PCG-style generator; the same seed always gives the same sequence.
class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed * 2 + 1) { next(); }
    uint32_t next();
    float uniform() { return (next() >> 8) * (1.0f / 16777216.0f); }  // [0, 1)
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

  private:
    uint64_t state_;
};

// A well-mixed value in [0, 1) for an integer lattice point.
float hashUnit(int x, int y, uint32_t seed);
uint32_t hashInt(int x, int y, uint32_t seed);

int wrapIndex(int i, int period);  // i modulo period, never negative
float clamp01(float v);
float lerp(float a, float b, float t);
float smoothstep(float edge0, float edge1, float v);
float fract(float v);

// Gradient noise in about -1..1 at (u, v) in texture units, with freqX by freqY lattice cells per period.
float gradientNoise(float u, float v, int freqX, int freqY, uint32_t seed);
// Sum of octaves of gradient noise, each doubling the frequency and scaling by gain, mapped to 0..1.
float fbm(float u, float v, int freqX, int freqY, int octaves, float gain, uint32_t seed);
// Like fbm but summing |noise|: creased, flame- and vein-like.
float turbulence(float u, float v, int freqX, int freqY, int octaves, float gain, uint32_t seed);

// Cellular noise over freq x freq jittered points: distances (in cell units) to the nearest and
// second-nearest point, and an id of the nearest point's cell.
struct CellSample {
    float f1;
    float f2;
    uint32_t id;
};
CellSample cellNoise(float u, float v, int freq, uint32_t seed);
