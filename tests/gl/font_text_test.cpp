#include "ui/font_text.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "base/math_helpers.h"
#include "base/random.h"
#include "support/gl_context.h"
#include "support/text_canvas.h"
#include "ui/frame_rate_text.h"

namespace {
GLint integerState(GLenum name) {
    GLint values[4] = {};
    glGetIntegerv(name, values);
    return values[0];
}

bool enabled(GLenum capability) {
    return glIsEnabled(capability) == GL_TRUE;
}

void expectRestingState(GLuint fontTexture) {
    EXPECT_FALSE(enabled(GL_ALPHA_TEST));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_TEXTURE_2D));
    EXPECT_EQ(integerState(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(integerState(GL_ALPHA_TEST_FUNC), GL_GREATER);
    GLfloat reference = -1.0f;
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_EQ(reference, 0.0f);
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), static_cast<GLint>(fontTexture));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
}  // namespace

TEST(FontText, GlyphCellsFollowTheGridAndPickTheirTexel) {
    const GlyphCell space = FontText::glyphCell(' ');
    EXPECT_EQ(space.column, 0);
    EXPECT_EQ(space.row, 0);
    EXPECT_FLOAT_EQ(space.u, 0.0f);
    EXPECT_FLOAT_EQ(space.v, 0.875f);
    const GlyphCell a = FontText::glyphCell('A');
    EXPECT_EQ(a.column, 1);
    EXPECT_EQ(a.row, 2);
    EXPECT_FLOAT_EQ(a.u, 1.0f / 16.0f);
    EXPECT_FLOAT_EQ(a.v, 0.625f);
    const GlyphCell tilde = FontText::glyphCell('~');
    EXPECT_EQ(tilde.column, 14);
    EXPECT_EQ(tilde.row, 5);

    GlContext gl(80, 40);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl, TextCanvas::Font::CellCoded);
    FontText text;
    text.drawText(" A~", 20.0f, 20.0f, 10.0f);
    const GlContext::Pixel inSpace = gl.pixel(21, 20);
    const GlContext::Pixel inA = gl.pixel(30, 20);
    const GlContext::Pixel inTilde = gl.pixel(39, 20);
    EXPECT_EQ(inSpace.r, 0);
    EXPECT_EQ(inSpace.g, 0);
    EXPECT_EQ(inSpace.b, 200);
    EXPECT_EQ(inA.r, 16);
    EXPECT_EQ(inA.g, 64);
    EXPECT_EQ(inTilde.r, 14 * 16);
    EXPECT_EQ(inTilde.g, 5 * 32);
}

TEST(FontText, PlainGlyphIsASlantedParallelogramDrawnSolidInAnyPolygonMode) {
    GlContext gl(100, 80);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    FontText text;
    text.drawText("A", 50.0f, 50.0f, 10.0f);

    // Corners (45, 40), (55, 40), (58, 60), (48, 60); a pixel is covered when its centre is inside.
    for (int row = 0; row < gl.height(); ++row) {
        int first = -1, count = 0;
        for (int column = 0; column < gl.width(); ++column) {
            if (!canvas.lit(column, row)) continue;
            if (first < 0) first = column;
            ++count;
        }
        if (row < 40 || row > 59) {
            EXPECT_EQ(count, 0) << "row " << row;
            continue;
        }
        const double leftEdge = 45.0 + 3.0 * (row + 0.5 - 40.0) / 20.0;
        EXPECT_EQ(count, 10) << "row " << row;
        EXPECT_EQ(first, static_cast<int>(std::ceil(leftEdge - 0.5))) << "row " << row;
    }
    const GlContext::Pixel inside = gl.pixel(50, 50);
    EXPECT_EQ(inside.r + inside.g + inside.b, 3 * 255);

    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_EQ(modes[1], GL_LINE);
    expectRestingState(canvas.fontTexture);
}

TEST(FontText, CharactersOutsidePrintableAsciiDrawNothingButAdvanceThePen) {
    GlContext gl(80, 40);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FontText text;
    text.drawText(
        "\x01\x7f\xc8"
        "A",
        10.0f, 20.0f, 10.0f);
    for (int column = 0; column < 31; ++column) EXPECT_FALSE(canvas.lit(column, 20)) << column;
    for (int column = 34; column < 44; ++column) EXPECT_TRUE(canvas.lit(column, 20)) << column;
    EXPECT_EQ(canvas.litCount(), 200);
}

TEST(FontText, EmptyTextStillSetsAndRestoresStateAndBlendingOffLeavesBlendAlone) {
    GlContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FontText text;
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_LESS, 0.5f);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    text.drawText("", 10.0f, 10.0f, 10.0f);
    expectRestingState(canvas.fontTexture);
    EXPECT_EQ(integerState(GL_POLYGON_MODE), GL_POINT);
    EXPECT_EQ(canvas.litCount(), 0);

    FontText dialogText;
    dialogText.blendOn = 0;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    dialogText.drawText("Hi", 10.0f, 30.0f, 10.0f);
    EXPECT_TRUE(enabled(GL_BLEND));
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ONE);
    glDisable(GL_BLEND);
    dialogText.drawText("Hi", 10.0f, 30.0f, 10.0f);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_GT(canvas.litCount(), 0);
}

TEST(FontText, MessagesReplaceEachOtherAndExpiryRequestsOneClear) {
    GlContext gl(200, 60);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FontText status;
    status.x = 20.0f;
    status.y = 30.0f;

    canvas.clock.now = 1.0f;
    status.setText("one");
    EXPECT_FLOAT_EQ(status.expiryTime, 4.0f);
    canvas.clock.now = 3.0f;
    status.showInt("two %d", 2);
    EXPECT_STREQ(status.text, "two 2");
    EXPECT_FLOAT_EQ(status.expiryTime, 6.0f);

    canvas.clock.now = 5.9f;
    status.update();
    EXPECT_GT(canvas.litCount(), 0);
    EXPECT_EQ(canvas.screen.clearPasses, 0);

    canvas.clear();
    canvas.clock.now = 6.0f;
    status.update();
    EXPECT_EQ(canvas.litCount(), 0);
    EXPECT_EQ(status.expiryTime, 0.0f);
    EXPECT_EQ(canvas.screen.clearPasses, 1);

    canvas.screen.clearPasses = 0;
    canvas.clock.now = 6.1f;
    status.update();
    EXPECT_EQ(canvas.screen.clearPasses, 0);
    EXPECT_EQ(canvas.litCount(), 0);

    FrameRateText fps;
    fps.x = 100.0f;
    fps.y = 30.0f;
    fps.framesShown = 42;
    fps.show();
    EXPECT_STREQ(fps.text, "FPS: 42");
    EXPECT_FLOAT_EQ(fps.expiryTime, 9.1f);
    EXPECT_TRUE(canvas.lit(101, 30));
}

TEST(FontText, LongTextIsCutAt79AndOwnTextCanBeDrawnAndFormatted) {
    GlContext gl(100, 40);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FrameRateText text;  // its own fields lie right behind the buffer
    text.nextSecond = 12.5;
    text.framesCounted = 7;
    text.framesShown = 9;
    const std::string longText(200, 'x');

    text.setText(longText.c_str());
    EXPECT_EQ(std::strlen(text.text), 79u);
    text.showInt("%s", longText.c_str());
    EXPECT_EQ(std::strlen(text.text), 79u);
    text.showFloat((longText + "%4.2f").c_str(), 1.5f);
    EXPECT_EQ(std::string(text.text), longText.substr(0, 79));
    text.showInt((std::string(78, 'y') + "%d").c_str(), 12345);
    EXPECT_EQ(std::string(text.text), std::string(78, 'y') + "1");
    text.drawText(longText.c_str(), 10.0f, 20.0f, 1.0f);
    EXPECT_EQ(std::strlen(text.text), 79u);
    EXPECT_EQ(text.nextSecond, 12.5);
    EXPECT_EQ(text.framesCounted, 7);
    EXPECT_EQ(text.framesShown, 9);

    canvas.clear();
    text.setText("Hi there");
    text.drawText(text.text, 10.0f, 20.0f, 10.0f);
    EXPECT_STREQ(text.text, "Hi there");
    EXPECT_TRUE(canvas.lit(10, 20));
    text.drawText(text.text + 3, 10.0f, 20.0f, 10.0f);
    EXPECT_STREQ(text.text, "there");

    text.setText("%d apples");
    text.showInt(text.text, 3);
    EXPECT_STREQ(text.text, "3 apples");
    text.showInt("[%s]", text.text);
    EXPECT_STREQ(text.text, "[3 apples]");
    text.setText("%4.2f m");
    text.showFloat(text.text, 2.5f);
    EXPECT_STREQ(text.text, "2.50 m");
}

TEST(FontText, SwayAndWaveReadTheirChannelsAndJitterDrawsInOrder) {
    GlContext gl(120, 80);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    for (float& phase : canvas.waves.phase) phase = 0.0f;
    canvas.waves.phase[3] = static_cast<float>(kPi / 2.0 / 100.0);  // sway x at its peak: +size / 2
    canvas.waves.phase[5] = static_cast<float>(kPi / 2.0 / 25.0);   // first glyph 1.25 wide, 0.75 high
    canvas.clock.now = 0.0f;
    FontText text;
    text.slant = 0.0f;
    text.swayOn = 1;
    text.waveOn = 1;
    text.wobbleOn = 1;  // channels 1 and 2 at phase 0 leave the corners in place
    text.drawText("A", 50.0f, 50.25f, 10.0f);
    // Centre (55, 50.25), half width 6.25, half height 7.5: columns 49..60, rows 43..57.
    EXPECT_EQ(canvas.litCount(), 12 * 15);
    EXPECT_TRUE(canvas.lit(49, 43));
    EXPECT_TRUE(canvas.lit(60, 57));
    EXPECT_EQ(text.x, 50.0f);

    seedRandom(5);
    const double r1 = randomRange(1.0);
    const double r2 = randomRange(1.0);
    const double r3 = randomRange(1.0);
    const double r4 = randomRange(1.0);
    const double r5 = randomRange(1.0);
    ASSERT_GT(1000.0 * 0.005, r1 * r2);
    ASSERT_LT(r4 * r5, 1.0);
    const int sixth = nextRandom();
    seedRandom(5);
    canvas.clear();
    FontText jittery;
    jittery.slant = 0.0f;
    jittery.jitterOn = 1;
    jittery.jitterRateX = 1000.0f;  // x always jumps: three draws
    jittery.jitterRateY = 0.0f;     // y never does: two draws
    jittery.jitterAmpX = 2.0f;
    jittery.drawText("A", 60.0f, 40.0f, 10.0f);
    EXPECT_EQ(nextRandom(), sixth);
    const double centre = 60.0 + 2.0 * (r3 - 0.5) * 10.0 * 2.0;
    EXPECT_TRUE(canvas.lit(static_cast<int>(centre - 4.0), 40));
    EXPECT_TRUE(canvas.lit(static_cast<int>(centre + 4.0), 40));
    EXPECT_EQ(canvas.litCount(), 200);
}
