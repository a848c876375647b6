#include "image.h"

#include <cmath>

uint8_t toByte(float v) {
    if (!(v > 0.0f)) return 0;
    if (v >= 1.0f) return 255;
    return static_cast<uint8_t>(std::lround(v * 255.0f));
}

void blit(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy) {
        for (int sx = 0; sx < src.width; ++sx) {
            const int dx = x + sx, dy = y + sy;
            if (dx >= 0 && dy >= 0 && dx < dst.width && dy < dst.height) dst.at(dx, dy) = src.at(sx, sy);
        }
    }
}
