// Reading 24-bit BMP files into pixels, refusing what is not one.
#include "textures/bmp_reader.h"

#include <cstdio>

namespace {
constexpr size_t kHeaderSize = 54;
// The largest file worth reading: a full-size image with generous room for extra header blocks.
constexpr long kMaxFileSize = 4 * 1024 * 1024;

uint32_t readU32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
}  // namespace

bool decodeBmp(const uint8_t* bytes, size_t size, BmpImage& image) {
    if (size < kHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t dataOffset = readU32(bytes + 10);
    const uint32_t infoSize = readU32(bytes + 14);
    const int32_t width = static_cast<int32_t>(readU32(bytes + 18));
    const int32_t signedHeight = static_cast<int32_t>(readU32(bytes + 22));
    const uint16_t planes = readU16(bytes + 26);
    const uint16_t bitsPerPixel = readU16(bytes + 28);
    const uint32_t compression = readU32(bytes + 30);
    if (infoSize < 40 || planes != 1 || bitsPerPixel != 24 || compression != 0) return false;

    const bool topDown = signedHeight < 0;
    const int64_t height = topDown ? -static_cast<int64_t>(signedHeight) : signedHeight;
    if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > BmpImage::kMaxPixels)
        return false;

    const uint64_t rowBytes = (static_cast<uint64_t>(width) * 3 + 3) / 4 * 4;
    const uint64_t needed = static_cast<uint64_t>(dataOffset) + rowBytes * static_cast<uint64_t>(height);
    if (dataOffset < kHeaderSize || needed > size) return false;

    image.width = width;
    image.height = static_cast<int>(height);
    image.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int row = 0; row < image.height; ++row) {
        const int fileRow = topDown ? image.height - 1 - row : row;
        const uint8_t* src = bytes + dataOffset + rowBytes * static_cast<uint64_t>(fileRow);
        uint8_t* dst = image.rgb.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 3;
        for (int column = 0; column < width; ++column, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return true;
}

bool readBmpFile(const char* fileName, BmpImage& image) {
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return false;
    std::vector<uint8_t> bytes;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size > 0 && size <= kMaxFileSize && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok && decodeBmp(bytes.data(), bytes.size(), image);
}
