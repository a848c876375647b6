// One frame of the running program, in its fixed order.
#include "app/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "app/gamepad_wiring.h"
#include "app/globals.h"
#include "app/input_handling.h"
#include "app/ride_recording.h"
#include "app/screenshot.h"
#include "app/startup.h"
#include "app/world_drawing.h"
#include "base/platform.h"
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
    } else if (Flags.exitStartTime != 0.0f) {
        Flags.menuActive = 0;
        Screen.setClearColour(0.0f, 0.0f, 0.0f);
        Screen.fade((Clock.now - Flags.exitStartTime) / 1.0f);
        if (Clock.now - Flags.exitStartTime > 1.0f) {
            shutdown();
            printProgress("Fin\n\n");
            platform.exitProgram(0);
        }
    }
}
}  // namespace

void drawOverlays() {
    StatusLine.update();
    if (Flags.menuActive) Dialogs.run();
    if (Flags.infoVisible) drawInfoScreen(HelpText, Screen, "Rampix");
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

void runFrame() {
    glFogfv(GL_FOG_COLOR, fogColour);
    beginRideFrame();
    Clock.tick();
    noteRideFrameClock();
    if (rideTakesLiveInput()) pollGamepad();
    takeInput();
    if (randomRange(1.0) < 0.01) seedRandom(static_cast<unsigned>(Clock.rawMs));
    if (!Flags.paused) {
        AngleWander.advance(Clock.dt, Prefs.rotateSpeed);
        PositionWander.advance(Clock.dt, Prefs.moveSpeed);
    }
    TextWaves.advance(Clock.dt, Prefs.mainSpeed);
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
    Screen.clearScreen(Prefs.screenClear, Prefs.letterbox);
    if (Prefs.depthCueFog) {
        glFogf(GL_FOG_START, Prefs.cameraZ + Prefs.fogStart);
        glFogf(GL_FOG_END, Prefs.cameraZ + Prefs.fogEnd);
    }
    applyPolygonMode(Prefs.polygonMode);
    setProjection(Skater, Prefs, Screen);
    Skater.stepRider(Flags.paused, Flags.menuActive);
    drawWorld();

    useWholeWindow();
    drawOverlays();
    if (Flags.helpVisible) drawHelpScreen(HelpText, Screen);
    if (Prefs.fpsClockOn) FpsCounter.show();
    checkGlError();
    takeScreenshotIfAsked();
    runFadesAndExit();
    endRideFrame();

    Keyboard.key = 0;
    Keyboard.specialKey = 0;
    Pointer.ageButtons();
}
