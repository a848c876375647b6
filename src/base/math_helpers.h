// Small numeric helpers shared by the splash, the terrain and the rider.
#pragma once

constexpr float kPi = 3.1415927f;

// (1 - t) * a + b * t
float linearInterpolate(float a, float b, float t);
// Eases from a (t = 0) to b (t = 1) with zero slope at both ends.
float cosineInterpolate(float a, float b, float t);
// Scales (x, y, z) down to maxLength when it is longer; shorter vectors are left alone.
void clampLength(float& x, float& y, float& z, float maxLength);
