// The GLUT side of the window-system seam.
#include <GL/freeglut.h>

#include "base/platform.h"

namespace {
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
    glutFullScreen();
}
void glutReshape(int width, int height) {
    glutReshapeWindow(width, height);
}
void glutRedisplay() {
    glutPostRedisplay();
}
void glutSwap() {
    glutSwapBuffers();
}
}  // namespace

void installGlutPlatform() {
    platform = {glutElapsedMs,    glutWarp,    glutCursor,    glutModifierBits,
                glutGoFullScreen, glutReshape, glutRedisplay, glutSwap};
}
