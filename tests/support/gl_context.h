// A real offscreen OpenGL context (Mesa through EGL's surfaceless platform) for rendering tests.
// No X server is needed. The context is made current on construction and stays for the test.
#pragma once

#include <cstdint>
#include <vector>

class GlContext {
  public:
    GlContext(int width = 64, int height = 64);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // RGBA of one pixel of the colour buffer (origin lower left).
    struct Pixel {
        int r, g, b, a;
    };
    Pixel pixel(int x, int y) const;
    std::vector<uint8_t> readRgba() const;

  private:
    int width_;
    int height_;
    bool ok_ = false;
    void* display_ = nullptr;
    void* surface_ = nullptr;
    void* context_ = nullptr;
};
