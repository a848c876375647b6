// GL state checks, and the offscreen picture against a stored one in tests/data under a small tolerance.
// RAMPIX_UPDATE_PICTURES=1 stores the picture anew after the comparison (look at it before keeping it).
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/gl_context.h"
#include "support/test_files.h"

inline GLint glInteger(GLenum name) {
    GLint values[4] = {};
    glGetIntegerv(name, values);
    return values[0];
}

inline std::vector<float> glFloats(void (*get)(GLenum, GLenum, GLfloat*), GLenum target, GLenum name) {
    std::vector<float> values(4, -1.0f);
    get(target, name, values.data());
    return values;
}

// What every drawing routine leaves behind: blending, alpha test, depth test and 2-D texturing off,
// depth writes on, and no GL error on the way.
inline void expectRestingState() {
    EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_ALPHA_TEST) || glIsEnabled(GL_DEPTH_TEST) ||
                 glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// How many pixels differ by more than 12 in a channel; all of them when the stored picture is unreadable.
inline int pixelsUnlikeStored(const GlContext& gl, const std::string& name) {
    const Bytes rgba = gl.readRgba();
    Bytes picture;  // RGB, top row first
    for (int y = gl.height() - 1; y >= 0; --y)
        for (int x = 0; x < gl.width(); ++x)
            for (int c = 0; c < 3; ++c)
                picture.push_back(rgba[(static_cast<size_t>(y) * gl.width() + x) * 4 + c]);
    const std::string path = std::string(RAMPIX_SOURCE_DIR) + "/tests/data/" + name + ".png";
    Bytes stored;
    int width = 0, height = 0;
    int differing = gl.width() * gl.height();
    if (decodeStoredPng(path, &width, &height, &stored) && stored.size() == picture.size()) {
        differing = 0;
        for (size_t i = 0; i < picture.size(); i += 3)
            differing += std::abs(picture[i] - stored[i]) > 12 ||
                         std::abs(picture[i + 1] - stored[i + 1]) > 12 ||
                         std::abs(picture[i + 2] - stored[i + 2]) > 12;
    }
    if (updateRequested("RAMPIX_UPDATE_PICTURES")) {
        writeFile(path, encodePng(gl.width(), gl.height(), 3, picture));
        std::printf("wrote %s (%d pixels unlike the old one)\n", path.c_str(), differing);
    }
    return differing;
}
