// The program's own start-up, offscreen: in a scratch working folder with a copy of the generated data
// files less the one named, or with none, sound silent and the window the context's size.
#pragma once

#include <cstdlib>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "app/startup.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/test_files.h"

struct Park {
    Park(int width, int height) : gl(width, height) {}

    // false when there is no context or the data could not be copied.
    bool start(const std::string& without = "", bool withData = true) {
        std::string copy = "cp " RAMPIX_DATA_DIR "/* .";
        if (!without.empty()) copy += " && rm " + without;
        if (!gl.ok() || (withData && std::system(copy.c_str()) != 0)) return false;
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Screen.width = gl.width();
        Screen.height = gl.height();
        initGraphicsState();
        initOnce();
        initVars();
        return true;
    }

    // Frames of 50 ms each on the faked clock.
    void runFrames(int count) {
        for (int i = 0; i < count; ++i) {
            fake.elapsedMs += 50;
            runFrame();
        }
    }

    // Ridden past the two-second fade-in, then skip seconds of game time further on (20 of them leave
    // the title crawl behind).
    void passFadeIn(float skip) {
        Clock.tick();
        Clock.restart();
        runFrames(44);
        Clock.offset += skip;
        Clock.prevNow += skip;
    }

    GlContext gl;
    FakePlatform fake;
    TempFolder folder{true};
};
