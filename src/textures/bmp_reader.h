// Reading 24-bit uncompressed BMP files into RGB pixels. Files are untrusted: anything that is not
// a complete 24-bit, uncompressed image of at most 65536 pixels is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct BmpImage {
    static constexpr int64_t kMaxPixels = 65536;

    int width = 0;
    int height = 0;
    // Red, green, blue per pixel; the first row is the bottom row of the picture.
    std::vector<uint8_t> rgb;

    uint8_t green(int column, int rowFromBottom) const {
        return rgb[(rowFromBottom * width + column) * 3 + 1];
    }
};

// true and the image filled in on success; false and `image` untouched otherwise.
bool decodeBmp(const uint8_t* bytes, size_t size, BmpImage& image);
bool readBmpFile(const char* fileName, BmpImage& image);
