// The GLUT callbacks. Input callbacks never draw: they record the input for the next frame and run
// the key commands at once.
#include "app/glut_callbacks.h"

#include <GL/freeglut.h>

#include "app/dialog_commands.h"
#include "app/frame.h"
#include "app/globals.h"
#include "app/key_commands.h"
#include "app/park_actions.h"
#include "app/startup.h"
#include "base/platform.h"
#include "base/random.h"

namespace {
void installWorkingCallbacks() {
    Dialogs.command = executeDialogCommand;
    glutKeyboardFunc(onKey);
    glutSpecialFunc(onSpecialKey);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutMouseFunc(onMouseButton);
    glutPassiveMotionFunc(onPointerMotion);
    glutMotionFunc(onPointerMotion);
}
}  // namespace

void installSplashCallbacks() {
    glutKeyboardFunc(onSplashKey);
    glutMouseFunc(onSplashMouse);
    glutSpecialFunc(onSplashSpecialKey);
    glutDisplayFunc(firstDisplay);
    glutReshapeFunc(reshapeWindow);
    glutIdleFunc(requestRedisplay);
}

void onSplashKey(unsigned char key, int, int) {
    if (Keyboard.key != 0 || Pointer.leftButton != 0)
        Keyboard.holdKey(key);
    else
        Keyboard.key = key;
}

void onSplashMouse(int, int, int, int) {
    Pointer.leftButton = kButtonReleased;
    Pointer.middleButton = kButtonReleased;
    Pointer.rightButton = kButtonReleased;
}

void onSplashSpecialKey(int, int, int) {}

void firstDisplay() {
    if (Keyboard.key == 0 && Pointer.leftButton == 0) {
        drawSplashFrame();
        platform.swapBuffers();
        return;
    }
    seedRandom(static_cast<unsigned>(Clock.rawMs));
    initOnce();
    initVars();
    installWorkingCallbacks();
    Keyboard.key = 0;
    Pointer.leftButton = 0;
    Clock.restart();
    while (const int key = Keyboard.takeHeldKey()) onKey(static_cast<unsigned char>(key), 0, 0);
    glutDisplayFunc(displayFrame);
}

void onKey(unsigned char key, int, int) {
    Screen.clearPasses = 0;
    Keyboard.recordKey(key);
    runKeyCommand(Keyboard.key);
}

void onSpecialKey(int key, int, int) {
    if (!KeyboardState::isCommandSpecialKey(key)) return;
    Keyboard.recordSpecialKey(key);
    runSpecialKeyCommand(key);
}

void onSpecialKeyUp(int key, int, int) {
    if (!KeyboardState::isCommandSpecialKey(key)) return;
    Keyboard.releaseSpecialKey(key);
}

void onMouseButton(int button, int state, int x, int y) {
    Pointer.trackPointer(x, y, Prefs, Screen.height);
    if (Pointer.recordButton(button, state) && button == kRightButton)
        togglePopupMenu(MenuToggleSource::MouseButton);
}

void onPointerMotion(int x, int y) {
    Pointer.trackPointer(x, y, Prefs, Screen.height);
}

void displayFrame() {
    runFrame();
    platform.swapBuffers();
}

void reshapeWindow(int width, int height) {
    Screen.width = width;
    Screen.height = height;
    glViewport(0, 0, width, height);
}

void requestRedisplay() {
    platform.postRedisplay();
}
