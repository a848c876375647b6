#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "base/random.h"
#include "scene/star_field.h"
#include "support/gl_context.h"

namespace {
// Eight pixels per unit; a star at (2, 1, 0.5) (nudged to pixel centres) lands at a different
// column for each quarter turn about y.
void frontView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4.0, 4.0, -4.0, 4.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

int litPixels(const GlContext& gl, int* leftmostColumn = nullptr) {
    const auto rgba = gl.readRgba();
    int count = 0;
    int leftmost = gl.width();
    for (int i = 0; i < gl.width() * gl.height(); ++i) {
        if (rgba[i * 4] == 0) continue;
        ++count;
        if (i % gl.width() < leftmost) leftmost = i % gl.width();
    }
    if (leftmostColumn) *leftmostColumn = leftmost;
    return count;
}
}  // namespace

TEST(StarFieldDraw, LayersAddTurnedCopiesWithLargerPoints) {
    GlContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    StarField field;
    field.blendOn = 1;
    field.compile({{2.0625, 1.0625, 0.5625, 1.0f, 1.0f, 1.0f}});
    ASSERT_NE(field.listId, -1);

    const int expected[] = {1, 1 + 4, 1 + 4 + 9};
    for (int layers = 1; layers <= 3; ++layers) {
        frontView();
        field.layers = layers;
        field.draw();
        int leftmost = 0;
        EXPECT_EQ(litPixels(gl, &leftmost), expected[layers - 1]) << layers;
        if (layers == 1) {
            EXPECT_EQ(gl.pixel(48, 40).r, 255);
        }
        if (layers == 3) {
            EXPECT_LT(leftmost, 20);  // the half-turned copy sits at x = -2
        }
    }
    GLfloat pointSize = 0.0f;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    EXPECT_FLOAT_EQ(pointSize, 3.0f);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[0], 1.0f);  // the turns stay inside the draw
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST(StarFieldDraw, DepthSwitchesAreTakenBack) {
    GlContext gl(16, 16);
    ASSERT_TRUE(gl.ok());
    StarField field;
    field.depthTestOn = 1;
    field.depthWriteOn = 0;
    field.blendOn = 1;
    field.build(10);
    frontView();
    field.draw();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(StarFieldDraw, RebuildReplacesTheListAndReleaseDeletesIt) {
    GlContext gl(32, 32);
    ASSERT_TRUE(gl.ok());
    seedRandom(1);
    StarField field;
    field.outerRadius = 3.5f;
    field.innerRadius = 1.0f;
    field.build(300);
    const GLuint first = static_cast<GLuint>(field.listId);
    ASSERT_TRUE(glIsList(first));
    frontView();
    field.draw();
    EXPECT_GT(litPixels(gl), 100);

    field.build(0);
    const GLuint second = static_cast<GLuint>(field.listId);
    EXPECT_TRUE(glIsList(second));
    if (second != first) {
        EXPECT_FALSE(glIsList(first));
    }
    frontView();
    field.draw();
    EXPECT_EQ(litPixels(gl), 0);

    field.release();
    EXPECT_EQ(field.listId, -1);
    EXPECT_FALSE(glIsList(second));
    field.draw();  // nothing to draw, and no error either
    field.release();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
