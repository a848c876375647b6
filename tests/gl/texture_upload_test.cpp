#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/gl_context.h"
#include "textures/procedural_texture.h"
#include "textures/texture_loader.h"

namespace {
struct Bgr {
    uint8_t b, g, r;
};

struct BmpOptions {
    int bitsPerPixel = 24;
    int compression = 0;
    size_t cutBytes = 0;  // dropped from the end of the file
};

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A BMP file as the program reads it: 54-byte header, rows bottom first, padded to 4 bytes. The pixel
// data is only written for sizes small enough to hold in a test.
std::vector<uint8_t> bmpBytes(uint32_t width, uint32_t height, const std::function<Bgr(int, int)>& pixel,
                              const BmpOptions& options = {}) {
    const size_t rowBytes = (width * 3 + 3) / 4 * 4;
    const size_t dataSize = static_cast<uint64_t>(width) * height <= 70000 ? rowBytes * height : 0;
    std::vector<uint8_t> bytes(54 + dataSize, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    put32(bytes, 10, 54);
    put32(bytes, 14, 40);
    put32(bytes, 18, width);
    put32(bytes, 22, height);
    bytes[26] = 1;
    bytes[28] = static_cast<uint8_t>(options.bitsPerPixel);
    put32(bytes, 30, static_cast<uint32_t>(options.compression));
    if (dataSize) {
        for (uint32_t row = 0; row < height; ++row) {
            for (uint32_t column = 0; column < width; ++column) {
                const Bgr p = pixel(static_cast<int>(column), static_cast<int>(row));
                uint8_t* out = &bytes[54 + row * rowBytes + column * 3];
                out[0] = p.b;
                out[1] = p.g;
                out[2] = p.r;
            }
        }
    }
    bytes.resize(bytes.size() - options.cutBytes);
    return bytes;
}

Bgr flat(uint8_t b, uint8_t g, uint8_t r, int, int) {
    return {b, g, r};
}

class TextureUpload : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        char pattern[] = "/tmp/rampix-textures-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        for (const std::string& file : files) std::remove(file.c_str());
        rmdir(folder.c_str());
    }

    std::string write(const char* name, const std::vector<uint8_t>& bytes) {
        const std::string path = folder + "/" + name;
        FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        if (file) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        files.push_back(path);
        return path;
    }

    // Level 0 of a texture as RGBA bytes.
    std::vector<uint8_t> readBack(unsigned name, int width, int height) {
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 7);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    int textureObjectCount() {
        int count = 0;
        for (GLuint name = 1; name < 200; ++name) count += glIsTexture(name) ? 1 : 0;
        return count;
    }

    GlContext gl{16, 16};
    std::string folder;
    std::vector<std::string> files;
};
}  // namespace

TEST_F(TextureUpload, AlphaFollowsTheBrightness) {
    using std::placeholders::_1;
    using std::placeholders::_2;
    const auto red = write("red.bmp", bmpBytes(4, 4, std::bind(flat, 0, 0, 255, _1, _2)));
    const unsigned name = loadBmpTexture(red.c_str(), -1, 0, 0);
    ASSERT_NE(name, 0u);
    const auto pixels = readBack(name, 4, 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(pixels[i], 255);
        ASSERT_EQ(pixels[i + 1], 0);
        ASSERT_EQ(pixels[i + 2], 0);
        ASSERT_EQ(pixels[i + 3], 85);
    }
    GLint envMode = 0, minFilter = 0, magFilter = 0, alignment = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(envMode, GL_MODULATE);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(alignment, 1);

    const auto white = write("white.bmp", bmpBytes(4, 4, std::bind(flat, 255, 255, 255, _1, _2)));
    const auto black = write("black.bmp", bmpBytes(4, 4, std::bind(flat, 0, 0, 0, _1, _2)));
    EXPECT_EQ(readBack(loadBmpTexture(white.c_str(), -1, 0, 0), 4, 4)[3], 255);
    EXPECT_EQ(readBack(loadBmpTexture(black.c_str(), -1, 0, 0), 4, 4)[3], 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUpload, RowsComeInFileOrderAndPaddedRowsReadCorrectly) {
    // Width 5 has one byte of padding per row; every pixel carries its own column and row.
    const auto path = write("odd.bmp", bmpBytes(5, 3, [](int column, int row) {
                                return Bgr{static_cast<uint8_t>(10 * row), static_cast<uint8_t>(column), 200};
                            }));
    const unsigned name = loadBmpTexture(path.c_str(), -1, 0, 0);
    ASSERT_NE(name, 0u);
    const auto pixels = readBack(name, 5, 3);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            const uint8_t* p = &pixels[(row * 5 + column) * 4];
            EXPECT_EQ(p[0], 200);
            EXPECT_EQ(p[1], column);
            EXPECT_EQ(p[2], 10 * row);
        }
    }
}

TEST_F(TextureUpload, LargestImageLoadsAndBadFilesCreateNoTexture) {
    using std::placeholders::_1;
    using std::placeholders::_2;
    const auto grey = std::bind(flat, 90, 90, 90, _1, _2);
    const auto largest = write("largest.bmp", bmpBytes(256, 256, grey));
    const unsigned name = loadBmpTexture(largest.c_str(), -1, 0, 0);
    ASSERT_NE(name, 0u);
    EXPECT_EQ(readBack(name, 256, 256)[256 * 256 * 4 - 1], 90);

    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    std::vector<std::string> refused = {
        write("wide.bmp", bmpBytes(257, 256, grey)),
        write("truncated.bmp", bmpBytes(8, 8, grey, {24, 0, 5})),
        write("16bit.bmp", bmpBytes(8, 8, grey, {16, 0, 0})),
        write("compressed.bmp", bmpBytes(8, 8, grey, {24, 1, 0})),
        write("empty.bmp", bmpBytes(0, 128, grey)),
        write("huge.bmp", bmpBytes(65535, 65535, grey)),
        write("header.bmp", bmpBytes(8, 8, grey, {24, 0, 8 * 8 * 3 + 10})),
        folder + "/missing.bmp",
    };
    if (maxSize < 65536) refused.push_back(write("toowide.bmp", bmpBytes(maxSize + 1, 1, grey)));
    const int before = textureObjectCount();
    for (const std::string& path : refused) EXPECT_EQ(loadBmpTexture(path.c_str(), -1, 0, 1), 0u) << path;
    EXPECT_EQ(textureObjectCount(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUpload, SameFileTwiceGivesTwoTexturesAndMipmapsUseNearestLevel) {
    const auto path = write("plate.bmp", bmpBytes(8, 8, [](int column, int row) {
                                const uint8_t v = static_cast<uint8_t>(30 * ((column + row) % 8));
                                return Bgr{v, v, v};
                            }));
    const unsigned first = loadBmpTexture(path.c_str(), -1, 0, 1);
    const unsigned second = loadBmpTexture(path.c_str(), -1, 0, 1);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, second);
    GLint minFilter = 0, magFilter = 0, smallestWidth = 0;
    glBindTexture(GL_TEXTURE_2D, second);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallestWidth);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(smallestWidth, 1);
}

TEST_F(TextureUpload, ProceduralTexturesHoldThePatternInAllFourChannels) {
    const unsigned checker = makeProceduralTexture(kCheckerboardKind, 0);
    const unsigned grid = makeProceduralTexture(kGridKind, 0);
    ASSERT_NE(checker, 0u);
    ASSERT_NE(grid, checker);
    const auto checkerPixels = readBack(checker, kProceduralSize, kProceduralSize);
    const auto gridPixels = readBack(grid, kProceduralSize, kProceduralSize);
    for (int y = 0; y < kProceduralSize; ++y) {
        for (int x = 0; x < kProceduralSize; ++x) {
            const size_t at = static_cast<size_t>(y * kProceduralSize + x) * 4;
            for (int channel = 0; channel < 4; ++channel) {
                ASSERT_EQ(checkerPixels[at + channel], proceduralPattern(kCheckerboardKind, x, y));
                ASSERT_EQ(gridPixels[at + channel], proceduralPattern(kGridKind, x, y));
            }
        }
    }
    EXPECT_EQ(checkerPixels[(0 * kProceduralSize + 8) * 4], 255);
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR);
}
