// The bare terrain draw of the game's scene: a full-screen GLUT window that starts up like the game
// (same textures, settings, light, fog, camera and rider) but draws only the terrain each frame,
// flat out, until the q key. It takes the game's own input callbacks, so the same scripted input
// rides the same way. Run it in a folder that holds the game's data and settings file.
#include <GL/freeglut.h>

#include <cstdlib>

#include "app/globals.h"
#include "app/glut_callbacks.h"
#include "app/startup.h"
#include "bare_terrain.h"
#include "base/platform.h"

namespace {
int started = 0;

void onBenchKey(unsigned char key, int, int) {
    if (key == 'q') std::exit(0);
}

void display() {
    if (!started) {
        initOnce();
        initVars();
        Clock.restart();
        glutSpecialFunc(onSpecialKey);
        glutSpecialUpFunc(onSpecialKeyUp);
        glutMouseFunc(onMouseButton);
        glutPassiveMotionFunc(onPointerMotion);
        glutMotionFunc(onPointerMotion);
        started = 1;
    }
    drawBareTerrainFrame();
    glutSwapBuffers();
}
}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    installGlutPlatform();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(Screen.width, Screen.height);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Rampix terrain");
    glutFullScreen();
    glutDisplayFunc(display);
    glutKeyboardFunc(onBenchKey);
    glutReshapeFunc(reshapeWindow);
    glutIdleFunc(requestRedisplay);
    initGraphicsState();
    glutMainLoop();
    return 0;
}
