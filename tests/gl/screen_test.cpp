// The screen as a whole: letterbox, clearing and trails, the clear request, polygon mode and the
// GL error report, on a real offscreen context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "support/gl_context.h"
#include "support/gl_helpers.h"

namespace {
void paint(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}
}  // namespace

TEST(Screen, LetterboxFields) {
    ScreenView screen;
    const struct {
        int height, level, bar, top, visible;
    } fields[] = {{480, 0, 0, 480, 480}, {480, 6, 144, 336, 192}, {720, 6, 216, 503, 287}};
    for (const auto& f : fields) {
        screen.height = f.height;
        screen.setLetterbox(f.level);
        EXPECT_EQ(screen.barHeight, f.bar) << f.height << " " << f.level;
        EXPECT_EQ(screen.topEdge, f.top) << "computed in double and truncated";
        EXPECT_EQ(screen.visibleHeight, f.visible);
    }
}

TEST(Screen, TrailsBarsAndPolygonMode) {
    GlContext gl(40, 100);
    ASSERT_TRUE(gl.ok());
    ScreenView screen;
    screen.width = 40;
    screen.height = 100;
    screen.setClearColour(0.0f, 0.0f, 1.0f);
    PrefsRecord prefs;
    prefs.setDefaults();
    const auto overlay = [&screen](int letterbox) {
        screen.setLetterbox(letterbox);
        screen.applyViewport();
        screen.setOverlayProjection();
    };
    paint(1, 1, 1);
    prefs.screenClear = 0;
    overlay(0);
    screen.fade(0.5f);
    screen.clearScreen(prefs.screenClear, prefs.letterbox);
    EXPECT_NEAR(gl.pixel(20, 50).r, 128, 2) << "trails dim towards the clear colour instead of erasing";
    EXPECT_NEAR(gl.pixel(20, 50).b, 255, 1);

    paint(1, 0, 0);
    prefs.screenClear = 1;
    prefs.letterbox = 2;
    overlay(0);
    screen.setLetterbox(2);
    screen.drawLetterboxBars();
    overlay(2);
    screen.clearScreen(prefs.screenClear, prefs.letterbox);
    for (int y : {5, 95}) EXPECT_EQ(gl.pixel(20, y).r + gl.pixel(20, y).b, 0) << "bars stay black: " << y;
    EXPECT_EQ(gl.pixel(20, 50).b, 255) << "the picture cleared to the sky";
    EXPECT_EQ(gl.pixel(20, 50).r, 0);

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    prefs.polygonMode = 3;
    applyPolygonMode(prefs.polygonMode);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_LINE) << "an unknown mode leaves the previous one";
    prefs.polygonMode = 2;
    applyPolygonMode(prefs.polygonMode);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_POINT);
}

TEST(Screen, AClearRequestBlacksOutTwoFramesAndOneGlErrorGivesOneMessage) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    Screen.clearPasses = 1;
    int blackFrames = 0;
    for (int frame = 0; frame < 5; ++frame) {
        paint(1, 1, 1);
        runScreenClearRequest();
        blackFrames += gl.pixel(4, 4).r == 0;
    }
    EXPECT_EQ(blackFrames, 2);
    EXPECT_EQ(Screen.clearPasses, 0);

    glEnable(0x1234);
    checkGlError();
    EXPECT_EQ(std::string(ErrorText.text), "OpenGL Error: invalid enumerant");
    EXPECT_GT(ErrorText.expiryTime, 0.0f);
    ErrorText.text[0] = 0;
    checkGlError();
    EXPECT_EQ(std::string(ErrorText.text), "") << "no error, no message";
}
