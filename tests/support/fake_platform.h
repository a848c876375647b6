// A scripted window system for unit tests: a clock set by hand, and logs of what the program asked.
// It is the active platform while it lives; the previous one comes back when it is destroyed.
#pragma once

#include <utility>
#include <vector>

#include "base/platform.h"

struct FakePlatform {
    int elapsedMs = 0;
    int modifiers = 0;
    std::vector<std::pair<int, int>> warps;
    std::vector<CursorShape> cursors;
    std::vector<std::pair<int, int>> reshapes;
    int fullScreenCalls = 0;
    int windowFullScreen = 1;  // the window starts full screen; the requests above change it
    int swaps = 0;
    std::vector<int> exits;  // the status of every exit the program asked for
    FakePlatform();
    ~FakePlatform();

  private:
    Platform previous_;
    FakePlatform* outer_;
};
