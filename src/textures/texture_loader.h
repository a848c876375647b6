// Turning pictures into OpenGL texture objects: BMP files with an alpha channel derived from their
// colours, and any RGBA pixel block (the generated patterns use the same upload).
#pragma once

#include <cstdint>
#include <vector>

struct BmpImage;

// Alpha taken from the brightness when alphaValue is negative (black transparent, white opaque);
// otherwise alpha is 0 where all three channels lie below alphaThreshold and alphaValue elsewhere.
// Four bytes per pixel (red, green, blue, alpha), rows in the image's order (bottom row first).
std::vector<uint8_t> makeRgbaPixels(const BmpImage& image, int alphaValue, int alphaThreshold);

// A new texture object holding the pixels, or 0 (and no texture object) when the size is not one
// OpenGL can take. Leaves the texture bound to GL_TEXTURE_2D.
unsigned uploadRgbaTexture(const uint8_t* pixels, int width, int height, int mipmapped);

// 0 when the file is missing, unreadable or too large; then no texture object is created.
unsigned loadBmpTexture(const char* fileName, int alphaValue, int alphaThreshold, int mipmapped);
