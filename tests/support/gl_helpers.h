// GL state checks and small textures shared by the rendering tests.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

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
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A texture of RGBA texels read with nearest filtering, so every texel shows as it is.
inline GLuint nearestTexture(int width, int height, const unsigned char* rgba) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}
