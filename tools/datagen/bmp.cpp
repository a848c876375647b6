#include "bmp.h"

#include <cstdlib>

namespace {
constexpr uint32_t kHeaderSize = 54;

uint32_t le32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t le16(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}
}  // namespace

Bytes encodeBmp(const Image& image, bool topDown) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * image.height;
    Bytes out;
    out.reserve(kHeaderSize + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, kHeaderSize + pixelBytes);
    putLe32(out, 0);  // reserved
    putLe32(out, kHeaderSize);
    putLe32(out, 40);  // BITMAPINFOHEADER
    putLe32(out, static_cast<uint32_t>(image.width));
    putLe32(out, static_cast<uint32_t>(topDown ? -image.height : image.height));
    putLe16(out, 1);   // planes
    putLe16(out, 24);  // bits per pixel
    putLe32(out, 0);   // no compression
    putLe32(out, pixelBytes);
    putLe32(out, 2835);  // 72 dpi
    putLe32(out, 2835);
    putLe32(out, 0);  // colours used
    putLe32(out, 0);  // important colours
    for (int row = 0; row < image.height; ++row) {
        const int y = topDown ? row : image.height - 1 - row;
        for (int x = 0; x < image.width; ++x) {
            const Rgb& c = image.at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        for (uint32_t pad = image.width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

bool decodeBmp(const Bytes& bytes, Image* image) {
    if (bytes.size() < kHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t offset = le32(bytes, 10);
    const int width = static_cast<int>(le32(bytes, 18));
    const int signedHeight = static_cast<int>(le32(bytes, 22));
    if (le16(bytes, 28) != 24 || le32(bytes, 30) != 0 || width <= 0 || signedHeight == 0) return false;
    const int height = std::abs(signedHeight);
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (offset > bytes.size() || (bytes.size() - offset) / rowBytes < static_cast<size_t>(height))
        return false;
    *image = Image(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = signedHeight < 0 ? row : height - 1 - row;
        const uint8_t* p = bytes.data() + offset + row * rowBytes;
        for (int x = 0; x < width; ++x, p += 3)
            image->at(x, y) = {p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f};
    }
    return true;
}
