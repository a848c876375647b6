#include "ui/font_text.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/gl_context.h"
#include "support/gl_helpers.h"
#include "support/text_canvas.h"
#include "ui/frame_rate_text.h"

namespace {
// The resting state, and the text's own defaults put back.
void expectTextAtRest(GLuint fontTexture) {
    expectRestingState();
    EXPECT_EQ(glInteger(GL_ALPHA_TEST_FUNC), GL_GREATER);
    GLfloat reference = -1.0f;
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_EQ(reference, 0.0f);
    EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(glInteger(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(fontTexture));
}
}  // namespace

TEST(FontText, GlyphCellsPickTheirTexelAndOtherCodesOnlyAdvanceThePen) {
    EXPECT_TRUE(FontText::glyphCell(' ').column == 0 && FontText::glyphCell(' ').row == 0);
    EXPECT_TRUE(FontText::glyphCell('A').column == 1 && FontText::glyphCell('A').row == 2);
    GlContext gl(80, 80);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl, TextCanvas::Font::CellCoded);
    FontText text;
    text.drawText(" A~", 20.0f, 60.0f, 10.0f);
    const GlContext::Pixel space = gl.pixel(21, 60), a = gl.pixel(30, 60), tilde = gl.pixel(39, 60);
    EXPECT_TRUE(space.r == 0 && space.g == 0 && space.b == 200);
    EXPECT_TRUE(a.r == 16 && a.g == 64);
    EXPECT_TRUE(tilde.r == 14 * 16 && tilde.g == 5 * 32);

    text.drawText("\x01\x7f\xc8\x41", 10.0f, 20.0f, 10.0f);  // three codes without a glyph, then "A"
    for (int column = 0; column < 31; ++column) EXPECT_FALSE(canvas.lit(column, 20)) << column;
    for (int column = 34; column < 44; ++column) EXPECT_TRUE(canvas.lit(column, 20)) << column;
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
    expectTextAtRest(canvas.fontTexture);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_POINT);
    EXPECT_EQ(canvas.litCount(), 0);

    FontText dialogText;
    dialogText.blendOn = 0;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    dialogText.drawText("Hi", 10.0f, 30.0f, 10.0f);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(glInteger(GL_BLEND_DST), GL_ONE);
    glDisable(GL_BLEND);
    dialogText.drawText("Hi", 10.0f, 30.0f, 10.0f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
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
    canvas.clock.now = 3.0f;
    status.showInt("two %d", 2);
    EXPECT_STREQ(status.text, "two 2");
    EXPECT_FLOAT_EQ(status.expiryTime, 6.0f);

    for (float now : {5.9f, 6.0f, 6.1f}) {  // shown for the full three seconds, then cleared away once
        canvas.clear();
        canvas.screen.clearPasses = 0;
        canvas.clock.now = now;
        status.update();
        EXPECT_EQ(canvas.litCount() > 0, now < 6.0f) << now;
        EXPECT_EQ(canvas.screen.clearPasses, now == 6.0f ? 1 : 0) << now;
    }

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
    text.showFloat((longText + "%4.2f").c_str(), 1.5f);
    EXPECT_EQ(std::string(text.text), longText.substr(0, 79));
    text.showInt((std::string(78, 'y') + "%d").c_str(), 12345);
    EXPECT_EQ(std::string(text.text), std::string(78, 'y') + "1");
    text.drawText(longText.c_str(), 10.0f, 20.0f, 1.0f);
    EXPECT_EQ(std::strlen(text.text), 79u);
    EXPECT_TRUE(text.nextSecond == 12.5 && text.framesCounted == 7 && text.framesShown == 9);

    text.setText("Hi there");
    text.drawText(text.text + 3, 10.0f, 20.0f, 10.0f);
    EXPECT_STREQ(text.text, "there");
    EXPECT_TRUE(canvas.lit(10, 20));
    text.setText("%d apples");
    text.showInt(text.text, 3);
    EXPECT_STREQ(text.text, "3 apples");
    text.showInt("[%s]", text.text);
    EXPECT_STREQ(text.text, "[3 apples]");
    text.setText(nullptr);
    EXPECT_STREQ(text.text, "");
    text.setText("%4.2f m");
    text.showFloat(text.text, 2.5f);
    EXPECT_STREQ(text.text, "2.50 m");
}
