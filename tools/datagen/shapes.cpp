#include "shapes.h"

#include <algorithm>

float boxDistance(float x, float y, float cx, float cy, float halfW, float halfH, float radius) {
    const float qx = std::fabs(x - cx) - halfW + radius, qy = std::fabs(y - cy) - halfH + radius;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float circleDistance(float x, float y, float cx, float cy, float radius) {
    return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - radius;
}

float segmentDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
    const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const float t = clamp01((px * dx + py * dy) / (dx * dx + dy * dy));
    const float ex = px - dx * t, ey = py - dy * t;
    return std::sqrt(ex * ex + ey * ey) - halfWidth;
}

float triangleDistance(float x, float y, float ax, float ay, float bx, float by, float cx, float cy) {
    const float edge =
        std::min({segmentDistance(x, y, ax, ay, bx, by, 0.0f), segmentDistance(x, y, bx, by, cx, cy, 0.0f),
                  segmentDistance(x, y, cx, cy, ax, ay, 0.0f)});
    // Inside when the point is on the same side of all three edges.
    const auto side = [x, y](float x0, float y0, float x1, float y1) {
        return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
    };
    const float s0 = side(ax, ay, bx, by), s1 = side(bx, by, cx, cy), s2 = side(cx, cy, ax, ay);
    const bool inside = (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
    return inside ? -edge : edge;
}
