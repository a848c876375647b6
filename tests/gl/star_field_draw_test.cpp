#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "base/random.h"
#include "scene/star_field.h"
#include "support/gl_context.h"
#include "support/gl_helpers.h"

namespace {
// Eight pixels per unit, looking down -z; returns the lit pixels and the leftmost lit column.
int drawnPixels(const GlContext& gl, const StarField& field, int* leftmost = nullptr) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4.0, 4.0, -4.0, 4.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    field.draw();
    const auto rgba = gl.readRgba();
    int count = 0, left = gl.width();
    for (int i = 0; i < gl.width() * gl.height(); ++i) {
        if (rgba[i * 4] == 0) continue;
        ++count;
        left = std::min(left, i % gl.width());
    }
    if (leftmost) *leftmost = left;
    return count;
}
}  // namespace

TEST(StarFieldDraw, LayersAddTurnedCopiesWithLargerPointsAndTakeTheirSwitchesBack) {
    GlContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    StarField field;
    field.blendOn = 1;
    field.depthTestOn = 1;
    field.depthWriteOn = 0;
    field.compile({{2.0625, 1.0625, 0.5625, 1.0f, 1.0f, 1.0f}});  // nudged to pixel centres
    int leftmost = 0;
    field.layers = 1;
    EXPECT_EQ(drawnPixels(gl, field), 1);
    EXPECT_EQ(gl.pixel(48, 40).r, 255);
    field.layers = 3;
    EXPECT_EQ(drawnPixels(gl, field, &leftmost), 1 + 4 + 9) << "point sizes 1, 2 and 3";
    EXPECT_LT(leftmost, 20) << "the half-turned copy sits at x = -2";
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[0], 1.0f) << "the turns stay inside the draw";
    expectRestingState();
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
    EXPECT_GT(drawnPixels(gl, field), 100);
    field.build(0);
    const GLuint second = static_cast<GLuint>(field.listId);
    EXPECT_TRUE(glIsList(second));
    EXPECT_TRUE(second == first || !glIsList(first));
    EXPECT_EQ(drawnPixels(gl, field), 0);
    field.release();
    EXPECT_EQ(field.listId, -1);
    EXPECT_FALSE(glIsList(second));
    field.draw();  // nothing to draw, and no error either
    field.release();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
