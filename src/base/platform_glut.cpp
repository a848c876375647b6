// The GLUT side of the window-system seam.
#include <GL/freeglut.h>

#include "base/platform.h"

namespace {
// Full screen and window size are asked for at once but carried out at the buffer swap, once per
// frame. freeglut leaves full screen as deferred work that restores the size the window had before
// it went full screen, overriding a size asked for in the same pass of its loop; so leaving full
// screen and sizing the window must happen in two passes. Several requests in one frame come down
// to the last one.
struct WindowRequest {
    bool pending;
    bool fullScreen;
    int width;
    int height;
};
WindowRequest windowRequest = {false, false, 0, 0};

void applyWindowRequest() {
    if (!windowRequest.pending) return;
    const bool isFullScreen = glutGet(GLUT_FULL_SCREEN) != 0;
    if (windowRequest.fullScreen) {
        if (!isFullScreen) glutFullScreen();
        windowRequest.pending = false;
    } else if (isFullScreen) {
        glutLeaveFullScreen();
    } else {
        glutReshapeWindow(windowRequest.width, windowRequest.height);
        windowRequest.pending = false;
    }
}

int glutElapsedMs() {
    return glutGet(GLUT_ELAPSED_TIME);
}
void glutWarp(int x, int y) {
    glutWarpPointer(x, y);
}
void glutCursor(CursorShape shape) {
    glutSetCursor(shape == CursorShape::None ? GLUT_CURSOR_NONE : GLUT_CURSOR_LEFT_ARROW);
}
int glutModifierBits() {
    return glutGetModifiers();
}
void glutGoFullScreen() {
    windowRequest = {true, true, 0, 0};
}
void glutReshape(int width, int height) {
    windowRequest = {true, false, width, height};
}
void glutRedisplay() {
    glutPostRedisplay();
}
void glutSwap() {
    glutSwapBuffers();
    applyWindowRequest();
}
}  // namespace

void installGlutPlatform() {
    platform = {glutElapsedMs,    glutWarp,    glutCursor,    glutModifierBits,
                glutGoFullScreen, glutReshape, glutRedisplay, glutSwap};
}
