// Pictures as the generator builds them: floating-point colour, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb grey(float v) {
    return {v, v, v};
}
// a at t = 0, b at t = 1.
inline Rgb mix(Rgb a, Rgb b, float t) {
    return a * (1.0f - t) + b * t;
}
inline float brightness(Rgb c) {
    return (c.r + c.g + c.b) / 3.0f;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row y = 0 is the top of the picture

    Image() = default;
    Image(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// 0..1 to 0..255, clamped and rounded to nearest.
uint8_t toByte(float v);

// Copies src into dst with its top-left corner at (x, y); parts outside dst are dropped.
void blit(Image& dst, const Image& src, int x, int y);
