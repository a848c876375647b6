// Rampix: a virtual skatepark on a heightmap. Entry point: opens the window, sets the fixed
// graphics state and hands over to GLUT; the splash runs until the first key or click.
#include <GL/freeglut.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/globals.h"
#include "app/renderer_warm_up.h"
#include "app/startup.h"
#include "base/driver_pin.h"
#include "base/platform.h"
#include "input/input_callbacks.h"

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitStatus >= 0) return reportCommandLine(commandLine);
    pinGraphicsDriver();
    glutInit(&argc, argv);
    installGlutPlatform();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(Screen.width, Screen.height);
    // Without a window manager nothing places the window: put it at the origin so pointer
    // coordinates match the screen.
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Rampix");
    startFramePacing(commandLine.maxFps);
    glutFullScreen();
    glutKeyboardFunc(onSplashKey);
    glutMouseFunc(onSplashMouse);
    glutSpecialFunc(onSplashSpecialKey);
    glutDisplayFunc(firstDisplay);
    glutReshapeFunc(reshapeWindow);
    glutIdleFunc(requestRedisplay);
    initGraphicsState();
    warmUpRenderer(catalogue.catalogueTexture(0), catalogue.catalogueTexture(1));
    std::printf("Ready...\n\n");
    std::fflush(stdout);
    glutMainLoop();
    return 0;
}
