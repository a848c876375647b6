// Bitmap-font text in the started program on a real offscreen context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "app/terrain_images.h"
#include "support/gl_helpers.h"
#include "support/park_start.h"
#include "ui/dialog_menus.h"
#include "ui/frame_rate_text.h"

namespace {
// The started program with text in window pixels on black.
struct TextScene : Park {
    TextScene(int width, int height) : Park(width, height) {
        started = start();
        Screen.applyViewport();
        Screen.setOverlayProjection();
        clear();
    }
    void clear() const {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    int litCount() const {
        int count = 0;
        const auto rgba = gl.readRgba();
        for (size_t i = 0; i < rgba.size(); i += 4) count += rgba[i] + rgba[i + 1] + rgba[i + 2] > 0;
        return count;
    }
    bool started;
};
}  // namespace

// Which codes have a glyph (where its cell lies shows in the screens transcript's text). Drawing,
// even an empty text, restores the resting state and the text's own defaults; with blending off the
// blend switch and function stay as they were.
TEST(FontText, GlyphCellsAndTheStateLeftBehind) {
    EXPECT_TRUE(FontText::hasGlyph(' ') && FontText::hasGlyph('~'));
    EXPECT_FALSE(FontText::hasGlyph(31) || FontText::hasGlyph(127) || FontText::hasGlyph(200));

    TextScene canvas(80, 80);
    ASSERT_TRUE(canvas.started);
    FontText text;
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_LESS, 0.5f);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    text.drawText("", 10.0f, 10.0f, 10.0f);
    expectRestingState();
    EXPECT_EQ(canvas.litCount(), 0);
    GLfloat reference = -1.0f;
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_TRUE(glInteger(GL_ALPHA_TEST_FUNC) == GL_GREATER && reference == 0.0f);
    EXPECT_EQ(glInteger(GL_BLEND_SRC) * 1000 + glInteger(GL_BLEND_DST),
              GL_SRC_ALPHA * 1000 + GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(Catalogue.catalogueTexture(kFontSlot)));
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_POINT);

    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    FontText dialogText;
    dialogText.blendOn = 0;
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    dialogText.drawText("Hi", 10.0f, 40.0f, 10.0f);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glInteger(GL_BLEND_SRC) * 1000 + glInteger(GL_BLEND_DST), GL_ONE * 1000 + GL_ONE);
    glDisable(GL_BLEND);
    dialogText.drawText("Hi", 10.0f, 40.0f, 10.0f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_GT(canvas.litCount(), 0);
}

// The frame rate shows for three seconds; texts are cut at 79 characters, and a text's own buffer can be
// drawn and used as its format.
TEST(FontText, LongAndOwnTextsAreCutAndFormatted) {
    TextScene canvas(200, 60);
    ASSERT_TRUE(canvas.started);
    FrameRateText fps;  // its own fields lie right behind the buffer
    fps.x = 100.0f;
    fps.y = 30.0f;
    fps.framesShown = 42;
    Clock.now = 6.1f;
    fps.show();
    EXPECT_STREQ(fps.text, "FPS: 42");
    EXPECT_FLOAT_EQ(fps.expiryTime, 9.1f);
    EXPECT_GT(canvas.litCount(), 0);
    fps.nextSecond = 12.5;
    fps.framesCounted = 7;
    const std::string longText(200, 'x');
    fps.setText(longText.c_str());
    EXPECT_EQ(std::strlen(fps.text), 79u);
    fps.showFloat((longText + "%4.2f").c_str(), 1.5f);
    EXPECT_EQ(std::string(fps.text), longText.substr(0, 79));
    fps.showInt((std::string(78, 'y') + "%d").c_str(), 12345);
    EXPECT_EQ(std::string(fps.text), std::string(78, 'y') + "1");
    fps.drawText(longText.c_str(), 10.0f, 20.0f, 1.0f);
    EXPECT_EQ(std::strlen(fps.text), 79u);
    EXPECT_TRUE(fps.nextSecond == 12.5 && fps.framesCounted == 7 && fps.framesShown == 42);

    fps.setText("Hi there");
    fps.drawText(fps.text + 3, 10.0f, 20.0f, 10.0f);
    EXPECT_STREQ(fps.text, "there");
    fps.setText("%d apples");
    fps.showInt(fps.text, 3);
    EXPECT_STREQ(fps.text, "3 apples");
    fps.showInt("[%s]", fps.text);
    EXPECT_STREQ(fps.text, "[3 apples]");
    fps.setText(nullptr);
    EXPECT_STREQ(fps.text, "");
    fps.setText("%4.2f m");
    fps.showFloat(fps.text, 2.5f);
    EXPECT_STREQ(fps.text, "2.50 m");
}
