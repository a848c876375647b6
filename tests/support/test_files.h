// Scratch files for tests: a temporary folder (the working folder while it lives, if asked), whole-file
// reads, and BMP, PNG and WAV files from the data generator's own encoders, broken ones included.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "bmp.h"
#include "png_codec.h"
#include "wav.h"

// Stored expectations (pictures, transcripts) are written anew only when this variable is exactly "1".
inline bool updateRequested(const char* variable) {
    const char* value = std::getenv(variable);
    return value && std::string(value) == "1";
}

// The whole file; empty when it cannot be read.
inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
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

// Writes a little-endian word into the bytes; patched gives a copy so changed (a broken header, say).
inline void putLe(Bytes& bytes, size_t at, uint32_t value, int count = 4) {
    for (int k = 0; k < count; ++k) bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
}
inline Bytes patched(Bytes bytes, size_t at, uint32_t value, int count = 4) {
    putLe(bytes, at, value, count);
    return bytes;
}

// A 24-bit BMP of pixel(column, row from the bottom) as 0..255 red, green, blue.
struct Colour {
    int r, g, b;
};
inline Bytes bmpBytes(int width, int height, const std::function<Colour(int, int)>& pixel) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour c = pixel(x, height - 1 - y);
            image.at(x, y) = {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f};
        }
    return encodeBmp(image);
}
inline Bytes bmpBytes(int width, int height, Colour colour) {
    return bmpBytes(width, height, [colour](int, int) { return colour; });
}

// Reads back a stored picture (any PNG) as 8-bit RGB or RGBA as channels says, top row first.
inline bool decodeStoredPng(const std::string& path, int* width, int* height, Bytes* rgb, int channels = 3) {
    return decodePng(path, width, height, rgb, channels);
}
