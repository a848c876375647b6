#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/splash_screen.h"
#include "base/frame_clock.h"
#include "support/gl_context.h"
#include "textures/texture_loader.h"

TEST(SplashScreenDraw, PaintsTheEmblemInItsSquareIntoTheFogAndTurnsEverythingOffAgain) {
    GlContext gl(96, 64);
    ASSERT_TRUE(gl.ok());
    glFogi(GL_FOG_MODE, GL_LINEAR);  // the program's fixed fog
    const std::vector<uint8_t> white(8 * 8 * 4, 255);
    SplashScreen splash;
    splash.texture = uploadRgbaTexture(white.data(), 8, 8, 1);
    FrameClock clock;
    for (float time : {2.0f, 0.0f}) {  // red at the origin, a quarter into the fog; white far back at z -2
        splash.animationTime = time;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        splash.draw(24.0f, 0.0f, 64.0f, clock);
        const auto middle = gl.pixel(56, 32);
        if (time == 2.0f) {
            EXPECT_TRUE(middle.r > 150 && middle.g < 10 && middle.b < 10) << middle.r << " " << middle.g;
        } else {
            EXPECT_LT(middle.r, 60) << "far back the emblem fades almost entirely into the black fog";
        }
    }
    for (int x : {0, 10, 22}) EXPECT_EQ(gl.pixel(x, 32).r, 0) << x;  // left of the square
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
