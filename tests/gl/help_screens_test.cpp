#include "ui/help_screens.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/gl_context.h"
#include "support/text_canvas.h"
#include "ui/font_text.h"

TEST(HelpScreens, HelpScreenRunsDownToItsLastLineBelowTheWindow) {
    GlContext gl(600, 600);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FontText helpText;
    drawHelpScreen(helpText, canvas.screen);
    EXPECT_EQ(helpText.y, -91.0f);
    EXPECT_STREQ(helpText.text, "   <?> to return");
    EXPECT_TRUE(canvas.lit(21, 552));  // the title
    EXPECT_TRUE(canvas.lit(30, 529));  // "Special Controls ..."
    EXPECT_TRUE(canvas.lit(30, 254));  // "Standard Controls ..."
    EXPECT_FALSE(canvas.lit(300, 590));
}

TEST(HelpScreens, InfoScreenTitleIsYellowAndTheTextEndsWhite) {
    GlContext gl(800, 600);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FontText helpText;
    helpText.wobbleOn = 1;
    drawInfoScreen(helpText, canvas.screen, "Rampix");
    const GlContext::Pixel title = gl.pixel(201, 570), basics = gl.pixel(211, 528);
    EXPECT_TRUE(title.r == 255 && title.g == 255 && title.b == 0);
    EXPECT_TRUE(basics.r == 0 && basics.g == 255);
    EXPECT_TRUE(canvas.lit(231, 528 - 30));
    EXPECT_EQ(helpText.y, 528.0f - 370.0f);
    EXPECT_EQ(helpText.red + helpText.green + helpText.blue, 3.0f);
    EXPECT_EQ(helpText.wobbleOn, 0);
}

TEST(HelpScreens, TitleCrawlMovesAcrossAndStopsAtTwentySeconds) {
    GlContext gl(300, 100);
    ASSERT_TRUE(gl.ok());
    TextCanvas canvas(gl);
    FontText titleText;
    drawTitleCrawl(titleText, canvas.screen, 5.0f);
    EXPECT_FLOAT_EQ(titleText.x, 60.0f);
    EXPECT_FLOAT_EQ(titleText.y, 90.0f);
    EXPECT_TRUE(canvas.lit(61, 90));
    canvas.clear();
    titleText.x = -1.0f;
    drawTitleCrawl(titleText, canvas.screen, 20.0f);
    EXPECT_EQ(titleText.x, -1.0f);
    drawTitleCrawl(titleText, canvas.screen, 19.99f);
    EXPECT_GT(titleText.x, 359.0f);
    EXPECT_EQ(canvas.litCount(), 0);
}
