#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/gl_context.h"
#include "support/test_files.h"
#include "textures/texture_loader.h"

namespace {
// Level 0 of a texture as RGBA bytes.
std::vector<uint8_t> readBack(unsigned name, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 7);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

GLint textureParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

struct TextureUpload : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(gl.ok()); }
    unsigned load(const char* name, const Bytes& bytes, int mipmapped = 0) {
        return loadBmpTexture(folder.write(name, bytes).c_str(), -1, 0, mipmapped);
    }
    GlContext gl{16, 16};
    TempFolder folder;
};
}  // namespace

TEST_F(TextureUpload, AlphaFollowsTheBrightnessAndPaddedRowsReadInFileOrder) {
    const unsigned red = load("red.bmp", bmpBytes(4, 4, Colour{255, 0, 0}));
    ASSERT_NE(red, 0u);
    const auto pixels = readBack(red, 4, 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(std::vector<uint8_t>(&pixels[i], &pixels[i + 4]), (std::vector<uint8_t>{255, 0, 0, 85}));
    }
    GLint envMode = 0, alignment = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(envMode, GL_MODULATE);
    EXPECT_EQ(alignment, 1);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(readBack(load("white.bmp", bmpBytes(4, 4, Colour{255, 255, 255})), 4, 4)[3], 255);
    EXPECT_EQ(readBack(load("black.bmp", bmpBytes(4, 4, Colour{0, 0, 0})), 4, 4)[3], 0);

    // Width 5 has one byte of padding per row; every pixel carries its own column and row.
    const unsigned odd =
        load("odd.bmp", bmpBytes(5, 3, [](int column, int row) {
                 return Colour{200, static_cast<uint8_t>(column), static_cast<uint8_t>(10 * row)};
             }));
    const auto oddPixels = readBack(odd, 5, 3);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(oddPixels[i * 4], 200);
        EXPECT_EQ(oddPixels[i * 4 + 1], i % 5);
        EXPECT_EQ(oddPixels[i * 4 + 2], 10 * (i / 5));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUpload, LargestImageLoadsAndBadFilesCreateNoTexture) {
    const Colour grey{90, 90, 90};
    const unsigned largest = load("largest.bmp", bmpBytes(256, 256, grey));
    ASSERT_NE(largest, 0u);
    EXPECT_EQ(readBack(largest, 256, 256)[256 * 256 * 4 - 1], 90);

    const Bytes plain = bmpBytes(8, 8, grey);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    std::vector<std::string> refused = {
        folder.write("wide.bmp", bmpBytes(257, 256, grey)),
        folder.write("truncated.bmp", Bytes(plain.begin(), plain.end() - 5)),
        folder.write("16bit.bmp", patched(plain, 28, 16, 2)),
        folder.write("compressed.bmp", patched(plain, 30, 1)),
        folder.write("bitfields.bmp", patched(plain, 30, 3)),
        folder.write("empty.bmp", patched(plain, 18, 0)),
        folder.write("huge.bmp", patched(patched(plain, 18, 65535), 22, 65535)),
        folder.write("header.bmp", Bytes(plain.begin(), plain.begin() + 44)),
        folder.file("missing.bmp"),
    };
    if (maxSize < 65536) refused.push_back(folder.write("toowide.bmp", bmpBytes(maxSize + 1, 1, grey)));
    const auto textureCount = [] {
        int count = 0;
        for (GLuint name = 1; name < 200; ++name) count += glIsTexture(name);
        return count;
    };
    const int before = textureCount();
    for (const std::string& path : refused) EXPECT_EQ(loadBmpTexture(path.c_str(), -1, 0, 1), 0u) << path;
    EXPECT_EQ(textureCount(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUpload, SameFileTwiceGivesTwoMipmappedTextures) {
    const Bytes plate = bmpBytes(8, 8, [](int column, int row) {
        const uint8_t v = static_cast<uint8_t>(30 * ((column + row) % 8));
        return Colour{v, v, v};
    });
    const unsigned first = load("plate.bmp", plate, 1);
    const unsigned second = load("plate.bmp", plate, 1);
    ASSERT_NE(first, 0u);
    EXPECT_NE(first, second);
    GLint smallestWidth = 0;
    glBindTexture(GL_TEXTURE_2D, second);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallestWidth);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(smallestWidth, 1);
}
