// The window-system seam: the few things the program asks of the window system outside its
// callbacks. The program installs the GLUT implementation; unit tests install a scripted fake.
#pragma once

enum class CursorShape { None, Arrow };

struct Platform {
    int (*elapsedMs)();                 // milliseconds since the window system started
    void (*warpPointer)(int x, int y);  // window coordinates, y down
    void (*setCursor)(CursorShape shape);
    int (*modifiers)();  // bit set: 1 shift, 2 ctrl, 4 alt
    void (*fullScreen)();
    void (*reshapeWindow)(int width, int height);
    void (*postRedisplay)();  // while the window cannot be seen, waits for news from the window system
    void (*swapBuffers)();    // and then waits for the next frame's deadline where frames are paced
    void (*exitProgram)(int status);  // ends the program; the only way the program ends itself
    int (*isFullScreen)();            // 1 when the window is, or is about to be, full screen
};

// The active implementation. Until one is installed every call is a harmless no-op returning 0.
extern Platform platform;

void installGlutPlatform();
// Paces the frames of the GLUT window, called once the window (and its GL context) exists:
// maxFps > 0 frames a second at most, 0 = as fast as possible, negative = the screen's refresh
// rate. Where the buffer swap waits for the screen it does the pacing; elsewhere the swap sleeps
// until the next frame's deadline. While the window is hidden or fully covered nothing is drawn.
void startFramePacing(int maxFps);
