// The program's own start-up, offscreen: in the current (scratch) working folder, with a copy of the
// generated data files less the one named, or with none, sound silent and the window the context's size.
#pragma once

#include <cstdlib>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "app/startup.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

// false when the data could not be copied.
inline bool startPark(const GlContext& gl, bool withData = true, const std::string& without = "") {
    std::string copy = "cp " RAMPIX_DATA_DIR "/* .";
    if (!without.empty()) copy += " && rm " + without;
    if (withData && std::system(copy.c_str()) != 0) return false;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Screen.width = gl.width();
    Screen.height = gl.height();
    initGraphicsState();
    initOnce();
    initVars();
    return true;
}

// Frames of 50 ms each on the faked clock.
inline void runFrames(FakePlatform& fake, int count) {
    for (int i = 0; i < count; ++i) {
        fake.elapsedMs += 50;
        runFrame();
    }
}

// The started park ridden past its two-second fade-in, then skip seconds of game time further on
// (20 of them leave the title crawl behind).
inline void passFadeIn(FakePlatform& fake, float skip) {
    Clock.tick();
    Clock.restart();
    runFrames(fake, 44);
    Clock.offset += skip;
    Clock.prevNow += skip;
}
