#include "support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(GlContext, ClearsAndReadsBack) {
    GlContext gl(32, 16);
    ASSERT_TRUE(gl.ok());
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const auto p = gl.pixel(31, 15);
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
