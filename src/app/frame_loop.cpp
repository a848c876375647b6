#include "app/frame_loop.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

#include "app/gamepad_wiring.h"
#include "app/globals.h"
#include "app/startup.h"
#include "app/world_drawing.h"
#include "base/random.h"
#include "motion/camera.h"
#include "ui/help_screens.h"

void runScreenClearRequest() {
    if (Screen.clearPasses == 1 || Screen.clearPasses == 2) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(Screen.clearColour[0], Screen.clearColour[1], Screen.clearColour[2], 1.0f);
        ++Screen.clearPasses;
    }
    if (Screen.clearPasses == 3) Screen.clearPasses = 0;
}

namespace {

void useWholeWindow() {
    Screen.setLetterbox(0);
    Screen.applyViewport();
    Screen.setOverlayProjection();
}

void placeOverlays() {
    FpsCounter.x = static_cast<float>(Screen.width - 100);
    FpsCounter.y = static_cast<float>(Screen.height - 20);
    StatusLine.y = static_cast<float>(Screen.height - 20);
}

void runFadesAndExit() {
    if (Clock.now < 2.0f) {
        Screen.fade(1.0f - Clock.now / 2.0f);
    } else if (exitStartTime != 0.0f) {
        menuActive = 0;
        Screen.setClearColour(0.0f, 0.0f, 0.0f);
        Screen.fade((Clock.now - exitStartTime) / 1.0f);
        if (Clock.now - exitStartTime > 1.0f) {
            shutdown();
            printProgress("Fin\n\n");
            std::exit(0);
        }
    }
}
}  // namespace

void drawOverlays() {
    StatusLine.update();
    if (menuActive) dialogManager.run();
    if (infoVisible) drawInfoScreen(HelpText, Screen, "Rampix");
    drawTitleCrawl(TitleText, Screen, Clock.now);
}

void checkGlError() {
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return;
    const GLubyte* description = gluErrorString(error);
    char text[64];
    if (description)
        std::snprintf(text, sizeof text, "%.60s", reinterpret_cast<const char*>(description));
    else
        std::snprintf(text, sizeof text, "unknown error 0x%04X", error);
    ErrorText.showInt("OpenGL Error: %s", text);
    std::fprintf(stderr, "OpenGL Error: %s\n", text);
}

int runFrame() {
    glFogfv(GL_FOG_COLOR, fogColour);
    Clock.tick();
    pollGamepad();
    if (randomRange(1.0) < 0.01) seedRandom(static_cast<unsigned>(Clock.rawMs));
    if (!paused) {
        angleWander.advance(Clock.dt, Prefs.rotateSpeed);
        positionWander.advance(Clock.dt, Prefs.moveSpeed);
    }
    textWaves.advance(Clock.dt, Prefs.mainSpeed);
    FpsCounter.countFrame(Clock.now);
    placeOverlays();

    // The bars are painted black every frame: the start-up fade, the title crawl and the status line
    // are drawn over the whole window, and nothing else would ever wipe them off the bars.
    if (Prefs.letterbox != 0) {
        useWholeWindow();
        Screen.setLetterbox(Prefs.letterbox);
        Screen.drawLetterboxBars();
    }
    runScreenClearRequest();
    Screen.setLetterbox(Prefs.letterbox);
    Screen.applyViewport();
    Screen.setOverlayProjection();
    if (Prefs.screenClear == 0 && Prefs.fadeEffect < 1.0f) Screen.fade(Prefs.fadeEffect * Clock.dt * 40.0f);
    Screen.clearScreen(Prefs);
    if (Prefs.depthCueFog) {
        glFogf(GL_FOG_START, Prefs.cameraZ + Prefs.fogStart);
        glFogf(GL_FOG_END, Prefs.cameraZ + Prefs.fogEnd);
    }
    applyPolygonMode(Prefs);
    setProjection(rider, Prefs, Screen);
    rider.stepRider(paused, menuActive);
    drawWorld();

    useWholeWindow();
    drawOverlays();
    if (helpVisible) drawHelpScreen(HelpText, Screen);
    if (Prefs.fpsClockOn) FpsCounter.show();
    checkGlError();
    runFadesAndExit();

    Keyboard.key = 0;
    Keyboard.specialKey = 0;
    Pointer.ageButtons();
    return 0;
}
