// The GLUT side of the window-system seam, with the pacing of the window's frames.
#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/frame_pacer.h"
#include "base/platform.h"
#include "base/swap_control.h"

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

FramePacer pacer(monotonicNs, sleepUntilNs);
bool windowHidden = false;

// RAMPIX_FRAME_COUNTER names a file that holds the number of frames swapped so far, for tests and
// measurements from outside.
int frameCounterFd = -1;
long long framesSwapped = 0;

void countFrame() {
    if (frameCounterFd < 0) return;
    char text[24];
    const int length = std::snprintf(text, sizeof text, "%20lld\n", ++framesSwapped);
    if (pwrite(frameCounterFd, text, static_cast<size_t>(length), 0) != length) frameCounterFd = -1;
}

void onWindowStatus(int state) {
    windowHidden = state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED;
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
// A request not yet carried out counts as done, so a second press in the same frame undoes the first.
int glutIsFullScreen() {
    if (windowRequest.pending) return windowRequest.fullScreen ? 1 : 0;
    return glutGet(GLUT_FULL_SCREEN) != 0 ? 1 : 0;
}
// The idle callback asks for every frame. While the window cannot be seen it sleeps instead until
// the X server has news, such as the next change of visibility.
void glutRedisplay() {
    if (windowHidden)
        waitForDisplayEvents(1000);
    else
        glutPostRedisplay();
}
void exitNow(int status) {
    std::exit(status);
}
void glutSwap() {
    glutSwapBuffers();
    countFrame();
    applyWindowRequest();
    pacer.endFrame();
}
}  // namespace

void installGlutPlatform() {
    platform = {glutElapsedMs, glutWarp,      glutCursor, glutModifierBits, glutGoFullScreen,
                glutReshape,   glutRedisplay, glutSwap,   exitNow,          glutIsFullScreen};
}

void startFramePacing(int maxFps) {
    glutWindowStatusFunc(onWindowStatus);
    if (const char* counter = std::getenv("RAMPIX_FRAME_COUNTER"))
        frameCounterFd = open(counter, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (maxFps == 0) {
        requestSwapInterval(0);
        pacer.setRate(0.0, false);
        return;
    }
    const double refreshRate = displayRefreshRate();
    const double rate = maxFps > 0 ? maxFps : refreshRate;
    const bool swapWaits = requestSwapInterval(1);
    pacer.setRate(rate, swapWaits && rate >= refreshRate);
}
