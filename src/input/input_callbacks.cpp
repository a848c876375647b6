#include "input/input_callbacks.h"

#include "app/globals.h"
#include "input/key_commands.h"

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

void onKey(unsigned char key, int, int) {
    Screen.clearPasses = 0;
    Keyboard.recordKey(key);
    runKeyCommand(Keyboard.key);
    afterKeyCommand(static_cast<char>(key));
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
    if (Pointer.recordButton(button, state) && button == kRightButton) togglePopupMenu();
}

void onPointerMotion(int x, int y) {
    Pointer.trackPointer(x, y, Prefs, Screen.height);
}
