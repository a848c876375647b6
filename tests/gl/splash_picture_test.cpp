// The splash emblem at a few moments of its loop, against stored pictures: its bars, turns, colours,
// texture and fog.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/splash_screen.h"
#include "base/frame_clock.h"
#include "support/picture_check.h"
#include "textures/texture_loader.h"

TEST(SplashPicture, TheEmblemThroughItsLoop) {
    GlContext gl(72, 72);
    ASSERT_TRUE(gl.ok());
    glFogi(GL_FOG_MODE, GL_LINEAR);  // the program's fixed fog
    SplashScreen splash;
    splash.texture = loadBmpTexture(RAMPIX_DATA_DIR "/metalplate128.bmp", -1, 0, 1);
    ASSERT_NE(splash.texture, 0u);
    const FrameClock clock;
    for (const float time : {1.5f, 2.0f, 4.0f, 5.5f, 6.3f}) {
        splash.animationTime = time;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        splash.draw(0.0f, 0.0f, 72.0f, clock);
        const std::string name = "splash_" + std::to_string(static_cast<int>(time * 10));
        EXPECT_LE(pixelsUnlikeStored(gl, name), 4) << name;
    }
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_FOG) || glIsEnabled(GL_TEXTURE_2D));
}
