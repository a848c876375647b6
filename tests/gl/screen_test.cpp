// The screen as a whole: letterbox, clearing and trails, the clear request, polygon mode and the
// GL error report, on a real offscreen context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/frame_loop.h"
#include "app/globals.h"
#include "support/gl_context.h"

namespace {
void paint(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}
}  // namespace

TEST(Screen, LetterboxFields) {
    ScreenView screen;
    screen.height = 480;
    screen.setLetterbox(0);
    EXPECT_EQ(screen.barHeight, 0);
    EXPECT_EQ(screen.topEdge, 480);
    EXPECT_EQ(screen.visibleHeight, 480);
    screen.setLetterbox(6);
    EXPECT_EQ(screen.barHeight, 144);
    EXPECT_EQ(screen.topEdge, 336);
    EXPECT_EQ(screen.visibleHeight, 192);
    screen.height = 720;
    screen.setLetterbox(6);
    EXPECT_EQ(screen.topEdge, 503) << "computed in double and truncated";
}

TEST(Screen, ClearingTrailsAndBars) {
    GlContext gl(40, 100);
    ASSERT_TRUE(gl.ok());
    ScreenView screen;
    screen.width = 40;
    screen.height = 100;
    PrefsRecord prefs;
    prefs.setDefaults();
    screen.setClearColour(0.0f, 0.0f, 1.0f);

    paint(1, 1, 1);
    prefs.screenClear = 0;
    screen.setLetterbox(0);
    screen.applyViewport();
    screen.setOverlayProjection();
    screen.fade(0.5f);
    screen.clearScreen(prefs);
    auto p = gl.pixel(20, 50);
    EXPECT_NEAR(p.r, 128, 2) << "trails dim towards the clear colour instead of erasing";
    EXPECT_NEAR(p.b, 255, 1);
    screen.fade(1.0f);  // with the fade effect at 1.0 the frame loop does not fade at all
    screen.clearScreen(prefs);
    EXPECT_EQ(gl.pixel(20, 50).r, 0);

    paint(1, 0, 0);
    prefs.screenClear = 1;
    prefs.letterbox = 2;
    screen.setLetterbox(0);
    screen.applyViewport();
    screen.setOverlayProjection();
    screen.setLetterbox(2);
    screen.drawLetterboxBars();
    screen.applyViewport();
    screen.setOverlayProjection();
    screen.clearScreen(prefs);
    glViewport(0, 0, 40, 100);
    EXPECT_EQ(gl.pixel(20, 5).r, 0) << "lower bar black";
    EXPECT_EQ(gl.pixel(20, 5).b, 0);
    EXPECT_EQ(gl.pixel(20, 95).r, 0) << "upper bar black";
    EXPECT_EQ(gl.pixel(20, 50).b, 255) << "the picture cleared to the sky";
    EXPECT_EQ(gl.pixel(20, 50).r, 0);

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    prefs.polygonMode = 3;
    applyPolygonMode(prefs);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE) << "an unknown mode leaves the previous one";
    prefs.polygonMode = 2;
    applyPolygonMode(prefs);
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_POINT);
}

TEST(Screen, AClearRequestBlacksOutExactlyTwoFrames) {
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
}

TEST(Screen, OneGlErrorMessagePerFrame) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    glEnable(0x1234);
    checkGlError();
    EXPECT_EQ(std::string(ErrorText.text), "OpenGL Error: invalid enumerant");
    EXPECT_GT(ErrorText.expiryTime, 0.0f);
    ErrorText.text[0] = 0;
    checkGlError();
    EXPECT_EQ(std::string(ErrorText.text), "") << "no error, no message";
}
