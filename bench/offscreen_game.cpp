// Offscreen start of the game for the frame benchmarks.
#include "offscreen_game.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "app/globals.h"
#include "app/startup.h"
#include "base/platform.h"

void startGameOffscreen(int width, int height, int (*elapsedMs)()) {
    platform.elapsedMs = elapsedMs;
    platform.warpPointer = [](int, int) {};
    platform.setCursor = [](CursorShape) {};
    platform.modifiers = [] { return 0; };
    platform.fullScreen = [] {};
    platform.reshapeWindow = [](int, int) {};
    platform.postRedisplay = [] {};
    platform.swapBuffers = [] {};
    Screen.width = width;
    Screen.height = height;

    std::fflush(stdout);
    const int savedStdout = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    initGraphicsState();
    initOnce();
    initVars();
    Clock.restart();
    std::fflush(stdout);
    dup2(savedStdout, 1);
    close(null);
    close(savedStdout);
}
