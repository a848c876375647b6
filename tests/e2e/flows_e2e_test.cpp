// How a player meets the program: the splash waits for a click (or a key, but not a function key), the
// start-up lines come in order, and leaving takes the one-second fade.
#include <gtest/gtest.h>

#include "support/e2e.h"

TEST(Flows, AClickEndsTheSplashAndTheExitFadesForASecond) {
    XSession x;
    ScratchFolder folder;
    Rampix game(x, folder.path());
    ASSERT_EQ(game.passSplash(nullptr), "");
    x.key("F1");
    sleepMs(700);
    EXPECT_EQ(game.output(), "Ready...\n\n") << "the splash ended by itself or by a function key";
    x.buttonDown(1);
    x.buttonUp(1);
    ASSERT_TRUE(game.waitForOutput("Dialog Init...\n", 30000)) << game.output() << game.errors();
    sleepMs(2500);  // past the start-up fade
    const long long pressed = monotonicMs();
    x.key("Escape");
    EXPECT_EQ(game.waitForExit(20000), 0) << game.output() << game.errors();
    EXPECT_GE(monotonicMs() - pressed, 1000) << "the exit fade was cut short";
    const std::string lines = "Ready...\n\nInit Once...\nParticle Init...\nInit Vars...\nNo Prefs found.\n";
    EXPECT_EQ(game.output().substr(0, lines.size()), lines) << "the start-up lines, in order";
    EXPECT_NE(game.output().find("\nShutting down...\nFin\n\n"), std::string::npos) << game.output();
}
