#include "png.h"

#include <algorithm>
#include <array>

namespace {
void putBe32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void putChunk(Bytes& out, const char* type, const Bytes& payload) {
    putBe32(out, static_cast<uint32_t>(payload.size()));
    const size_t typeAt = out.size();
    putTag(out, type);
    out.insert(out.end(), payload.begin(), payload.end());
    putBe32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

uint32_t adler32(const Bytes& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream made of uncompressed deflate blocks of at most 65535 bytes each.
Bytes zlibStored(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t len = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + len == raw.size();
        out.push_back(last ? 1 : 0);
        putLe16(out, static_cast<uint32_t>(len));
        putLe16(out, static_cast<uint32_t>(~len & 0xFFFF));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + len);
        at += len;
    } while (at < raw.size());
    putBe32(out, adler32(raw));
    return out;
}
}  // namespace

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

Bytes encodePng(int width, int height, int channels, const Bytes& data) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBe32(header, static_cast<uint32_t>(width));
    putBe32(header, static_cast<uint32_t>(height));
    header.push_back(8);                      // bits per channel
    header.push_back(channels == 4 ? 6 : 2);  // RGBA or RGB
    header.push_back(0);                      // deflate
    header.push_back(0);                      // adaptive filtering
    header.push_back(0);                      // not interlaced
    putChunk(out, "IHDR", header);

    const size_t rowBytes = static_cast<size_t>(width) * channels;
    Bytes raw;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), data.begin() + y * rowBytes, data.begin() + (y + 1) * rowBytes);
    }
    putChunk(out, "IDAT", zlibStored(raw));
    putChunk(out, "IEND", {});
    return out;
}

Bytes encodePng(const Image& image) {
    Bytes rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const Rgb& c : image.pixels) {
        rgb.push_back(toByte(c.r));
        rgb.push_back(toByte(c.g));
        rgb.push_back(toByte(c.b));
    }
    return encodePng(image.width, image.height, 3, rgb);
}
