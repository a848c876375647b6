// How a player meets the program: the splash waits for a click (or a key), and leaving takes the
// one-second fade.
#include <gtest/gtest.h>

#include "support/e2e.h"

TEST(Flows, AClickEndsTheSplashAndTheExitFadesForASecond) {
    XSession x;
    ScratchFolder folder;
    Rampix game(x, folder.path());
    ASSERT_EQ(game.passSplash(nullptr), "");
    sleepMs(700);
    EXPECT_EQ(game.output().find("Init Once..."), std::string::npos) << "the splash ended by itself";
    x.buttonDown(1);
    x.buttonUp(1);
    ASSERT_TRUE(game.waitForOutput("Dialog Init...\n", 30000)) << game.output() << game.errors();
    sleepMs(2500);  // past the start-up fade
    const long long pressed = monotonicMs();
    x.key("Escape");
    EXPECT_EQ(game.waitForExit(20000), 0) << game.output() << game.errors();
    EXPECT_GE(monotonicMs() - pressed, 1000) << "the exit fade was cut short";
    EXPECT_NE(game.output().find("\nShutting down...\nFin\n\n"), std::string::npos) << game.output();
}
