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
    void (*postRedisplay)();
    void (*swapBuffers)();
};

// The active implementation. Until one is installed every call is a harmless no-op returning 0.
extern Platform platform;

void installGlutPlatform();
