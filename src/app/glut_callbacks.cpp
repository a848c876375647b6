// The GLUT callbacks. Input callbacks never draw and never act: they queue the input for the next
// frame, and only they ask GLUT for the modifiers (freeglut refuses the question anywhere else).
#include "app/glut_callbacks.h"

#include <GL/freeglut.h>

#include "app/dialog_commands.h"
#include "app/frame.h"
#include "app/gamepad_wiring.h"
#include "app/globals.h"
#include "app/input_handling.h"
#include "app/ride_recording.h"
#include "app/startup.h"
#include "base/platform.h"
#include "base/random.h"

namespace {
void installWorkingCallbacks() {
    Dialogs.command = executeDialogCommand;
    glutKeyboardFunc(queueKey);
    glutSpecialFunc(queueSpecialKey);
    glutSpecialUpFunc(queueSpecialKeyUp);
    glutMouseFunc(queueMouseButton);
    glutPassiveMotionFunc(queuePointerMotion);
    glutMotionFunc(queuePointerMotion);
}

// A replay ignores live input except the keys that end the program.
bool liveInputTaken(int key) {
    if (rideTakesLiveInput()) return true;
    if (key == 27 || key == 'q' || key == 'Q') stopRide();
    return false;
}

void takeAtOnce(const InputEvent& made) {
    Events.push(made);
    takeInput();
}
}  // namespace

void installSplashCallbacks() {
    glutKeyboardFunc(onSplashKey);
    glutMouseFunc(onSplashMouse);
    glutSpecialFunc(onSplashSpecialKey);
    glutDisplayFunc(firstDisplay);
    glutReshapeFunc(reshapeWindow);
    glutIdleFunc(requestRedisplay);
    glutCloseFunc(onWindowClosed);
}

void onSplashKey(unsigned char key, int, int) {
    if (Keyboard.key == 0 && Pointer.leftButton == 0) {
        Keyboard.key = key;
    } else if (Events.size() < kKeysKeptFromSplash) {
        Events.push(InputEvent{InputKind::Key, key, 0, 0, 0, platform.modifiers()});
    }
}

void onSplashMouse(int, int, int, int) {
    Pointer.leftButton = kButtonReleased;
    Pointer.middleButton = kButtonReleased;
    Pointer.rightButton = kButtonReleased;
}

void onSplashSpecialKey(int, int, int) {}

void firstDisplay() {
    // A played ride starts at once; a live pad is read only when no key or click has come.
    const bool ended =
        rideSkipsSplash() || Keyboard.key != 0 || Pointer.leftButton != 0 || pollGamepadOnSplash();
    if (!ended) {
        drawSplashFrame();
        platform.swapBuffers();
        return;
    }
    startRideClock();
    seedRandom(static_cast<unsigned>(Clock.rawMs));
    initOnce();
    initVars();
    installWorkingCallbacks();
    Keyboard.key = 0;
    Pointer.leftButton = 0;
    Clock.restart();
    noteRideClockRestart();
    glutDisplayFunc(displayFrame);
}

void queueKey(unsigned char key, int x, int y) {
    if (liveInputTaken(key)) Events.push(InputEvent{InputKind::Key, key, 0, x, y, platform.modifiers()});
}

void queueSpecialKey(int key, int x, int y) {
    if (liveInputTaken(0)) Events.push(InputEvent{InputKind::SpecialKey, key, 0, x, y, platform.modifiers()});
}

void queueSpecialKeyUp(int key, int x, int y) {
    if (liveInputTaken(0)) Events.push(InputEvent{InputKind::SpecialKeyUp, key, 0, x, y, kLastSeenModifiers});
}

void queueMouseButton(int button, int state, int x, int y) {
    if (liveInputTaken(0))
        Events.push(InputEvent{InputKind::MouseButton, button, state, x, y, kLastSeenModifiers});
}

void queuePointerMotion(int x, int y) {
    if (liveInputTaken(0)) Events.push(InputEvent{InputKind::PointerMotion, 0, 0, x, y, kLastSeenModifiers});
}

void onKey(unsigned char key, int x, int y) {
    takeAtOnce(InputEvent{InputKind::Key, key, 0, x, y, platform.modifiers()});
}

void onSpecialKey(int key, int x, int y) {
    takeAtOnce(InputEvent{InputKind::SpecialKey, key, 0, x, y, platform.modifiers()});
}

void onSpecialKeyUp(int key, int x, int y) {
    takeAtOnce(InputEvent{InputKind::SpecialKeyUp, key, 0, x, y, kLastSeenModifiers});
}

void onMouseButton(int button, int state, int x, int y) {
    takeAtOnce(InputEvent{InputKind::MouseButton, button, state, x, y, kLastSeenModifiers});
}

void onPointerMotion(int x, int y) {
    takeAtOnce(InputEvent{InputKind::PointerMotion, 0, 0, x, y, kLastSeenModifiers});
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

void onWindowClosed() {
    if (rideMode() != RideMode::Live) platform.exitProgram(0);
}

void requestRedisplay() {
    platform.postRedisplay();
}
