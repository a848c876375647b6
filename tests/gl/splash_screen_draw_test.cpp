#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/splash_screen.h"
#include "base/frame_clock.h"
#include "support/gl_context.h"
#include "textures/texture_loader.h"

TEST(SplashScreenDraw, PaintsTheEmblemInItsSquareAndTurnsEverythingOffAgain) {
    GlContext gl(96, 64);
    ASSERT_TRUE(gl.ok());
    glFogi(GL_FOG_MODE, GL_LINEAR);  // the program's fixed fog
    const std::vector<uint8_t> white(8 * 8 * 4, 255);
    SplashScreen splash;
    splash.texture = uploadRgbaTexture(white.data(), 8, 8, 1);
    splash.animationTime = 2.0f;  // red, at the origin: a quarter of the way into the fog
    FrameClock clock;
    clock.dt = 0.0f;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    splash.draw(24.0f, 0.0f, 64.0f, clock);
    const auto middle = gl.pixel(56, 32);
    EXPECT_GT(middle.r, 150);
    EXPECT_LT(middle.g, 10);
    EXPECT_LT(middle.b, 10);
    for (int x : {0, 10, 22}) EXPECT_EQ(gl.pixel(x, 32).r, 0) << x;  // left of the square

    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 24);
    EXPECT_EQ(viewport[2], 64);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Far back at z -2 the emblem fades almost entirely into the black fog.
    splash.animationTime = 0.0f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    splash.draw(24.0f, 0.0f, 64.0f, clock);
    EXPECT_LT(gl.pixel(56, 32).r, 60);
}
