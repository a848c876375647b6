// Signed distances to simple shapes (negative inside, in pixels) for drawing antialiased widgets and
// emblems, and a bevel light computed from the distance field.
#pragma once

#include <cmath>

#include "noise.h"

float boxDistance(float x, float y, float cx, float cy, float halfW, float halfH, float radius);
float circleDistance(float x, float y, float cx, float cy, float radius);
// Distance to the segment a-b thickened to halfWidth.
float segmentDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth);
// Distance to the triangle a, b, c.
float triangleDistance(float x, float y, float ax, float ay, float bx, float by, float cx, float cy);

// How much of a pixel a shape covers, from the distance at the pixel centre.
inline float coverage(float distance) {
    return clamp01(0.5f - distance);
}

// Light on a raised rim of width `rim` inside a shape, lit from the top left (image y points down):
// +1 where the rim faces the light, -1 where it faces away, 0 on the flat top. `distance` maps
// (x, y) to the shape's signed distance.
template <typename Distance>
float rimLight(const Distance& distance, float x, float y, float rim) {
    const float d = distance(x, y);
    if (d > 0.5f || d < -rim) return 0.0f;
    const float gx = distance(x + 0.5f, y) - distance(x - 0.5f, y);
    const float gy = distance(x, y + 0.5f) - distance(x, y - 0.5f);
    const float len = std::sqrt(gx * gx + gy * gy);
    if (len < 1e-4f) return 0.0f;
    // The outward normal points towards growing distance; the light comes from (-1, -1).
    return (-gx - gy) / (len * 1.41421356f);
}
