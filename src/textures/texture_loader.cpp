// Uploading pictures as OpenGL textures.
#include "textures/texture_loader.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "base/file_places.h"
#include "textures/bmp_reader.h"

namespace {
uint8_t pixelAlpha(uint8_t b0, uint8_t b1, uint8_t b2, int alphaValue, int alphaThreshold) {
    if (alphaValue < 0) return static_cast<uint8_t>((b0 + b1 + b2) / 3.0);
    if (b0 < alphaThreshold && b1 < alphaThreshold && b2 < alphaThreshold) return 0;
    return static_cast<uint8_t>(std::min(alphaValue, 255));
}
}  // namespace

std::vector<uint8_t> makeRgbaPixels(const BmpImage& image, int alphaValue, int alphaThreshold) {
    const size_t pixelCount = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    std::vector<uint8_t> rgba(pixelCount * 4);
    for (size_t i = 0; i < pixelCount; ++i) {
        const uint8_t red = image.rgb[i * 3];
        const uint8_t green = image.rgb[i * 3 + 1];
        const uint8_t blue = image.rgb[i * 3 + 2];
        rgba[i * 4] = red;
        rgba[i * 4 + 1] = green;
        rgba[i * 4 + 2] = blue;
        rgba[i * 4 + 3] = pixelAlpha(blue, green, red, alphaValue, alphaThreshold);
    }
    return rgba;
}

unsigned uploadRgbaTexture(const uint8_t* pixels, int width, int height, int mipmapped) {
    // A side longer than the implementation takes would leave a texture object without an image;
    // such a picture counts as unreadable instead.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) return 0;

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<float>(GL_MODULATE));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    if (mipmapped) gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return name;
}

unsigned loadBmpTexture(const char* fileName, int alphaValue, int alphaThreshold, int mipmapped) {
    BmpImage image;
    if (!readBmpFile(filePlaces().dataPath(fileName).c_str(), image)) return 0;
    const std::vector<uint8_t> rgba = makeRgbaPixels(image, alphaValue, alphaThreshold);
    return uploadRgbaTexture(rgba.data(), image.width, image.height, mipmapped);
}
