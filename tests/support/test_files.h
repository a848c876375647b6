// Scratch files for tests: a temporary folder (the working folder while it lives, if asked), whole-file
// reads and writes, and BMP files built byte by byte, including broken ones.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class TempFolder {
  public:
    explicit TempFolder(bool enter = false) {
        char pattern[] = "/tmp/rampix-test-XXXXXX";
        if (mkdtemp(pattern)) path = pattern;
        if (enter && !path.empty()) {
            previous_ = std::filesystem::current_path(error_);
            std::filesystem::current_path(path, error_);
        }
    }
    ~TempFolder() {
        if (!previous_.empty()) std::filesystem::current_path(previous_, error_);
        if (!path.empty()) std::filesystem::remove_all(path, error_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string write(const std::string& name, const Bytes& bytes) const {
        writeFile(file(name), bytes);
        return file(name);
    }

    std::string path;

  private:
    std::filesystem::path previous_;
    std::error_code error_;
};

struct Bgr {
    uint8_t b, g, r;
};

// 54-byte header, rows bottom first padded to 4 bytes, pixel(column, row from the bottom). The sizes go
// into the header as given; pixel data is only written for sizes a test can hold. `cut` bytes are
// dropped from the end.
inline Bytes bmpBytes(int32_t width, int32_t height, const std::function<Bgr(int, int)>& pixel, int bits = 24,
                      int compression = 0, size_t cut = 0) {
    const int64_t rowBytes = (static_cast<int64_t>(width) * 3 + 3) / 4 * 4;
    const bool small = width > 0 && height > 0 && static_cast<int64_t>(width) * height <= 70000;
    Bytes bytes(54 + (small ? static_cast<size_t>(rowBytes * height) : 0), 0);
    const auto put32 = [&bytes](size_t at, uint32_t value) {
        for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = static_cast<uint8_t>(bits);
    put32(30, static_cast<uint32_t>(compression));
    for (int row = 0; small && row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const Bgr p = pixel(column, row);
            uint8_t* out = &bytes[static_cast<size_t>(54 + row * rowBytes + column * 3)];
            out[0] = p.b, out[1] = p.g, out[2] = p.r;
        }
    }
    bytes.resize(bytes.size() - cut);
    return bytes;
}

inline Bytes bmpBytes(int32_t width, int32_t height, Bgr colour) {
    return bmpBytes(width, height, [colour](int, int) { return colour; });
}

// The 44-byte header of a 16-bit PCM WAV file.
inline Bytes wavHeader(int rate, int channels, uint32_t dataBytes) {
    Bytes header(44);
    const auto put = [&header](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) header[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    const std::string tags = "RIFF    WAVEfmt ";
    std::copy(tags.begin(), tags.end(), header.begin());
    std::copy_n("data", 4, header.begin() + 36);
    const uint32_t frame = static_cast<uint32_t>(channels) * 2;
    put(4, 36 + dataBytes, 4);
    put(16, 16, 4);
    put(20, 1, 2);
    put(22, static_cast<uint32_t>(channels), 2);
    put(24, static_cast<uint32_t>(rate), 4);
    put(28, static_cast<uint32_t>(rate) * frame, 4);
    put(32, frame, 2);
    put(34, 16, 2);
    put(40, dataBytes, 4);
    return header;
}
