// The keyboard input of the current frame: the last key and special key (one frame each), the
// modifiers of the last key event and the movement keys held down.
#pragma once

#include "input/input_event.h"

enum MoveKeyBits {
    kMoveLeft = 1,
    kMoveRight = 2,
    kMoveForward = 4,
    kMoveBack = 8,
    kMoveUp = 16,
    kMoveDown = 32,
};

// GLUT's special key codes, as the program uses them.
enum SpecialKeyCode {
    kKeyF1 = 1,
    kKeyF2 = 2,
    kKeyF3 = 3,
    kKeyF4 = 4,
    kKeyF5 = 5,
    kKeyF6 = 6,
    kKeyF7 = 7,
    kKeyF8 = 8,
    kKeyF9 = 9,
    kKeyF10 = 10,
    kKeyF11 = 11,
    kKeyF12 = 12,
    kKeyLeft = 100,
    kKeyUp = 101,
    kKeyRight = 102,
    kKeyDown = 103,
    kKeyPageUp = 104,
    kKeyPageDown = 105,
    kKeyHome = 106,
    kKeyEnd = 107,
    kKeyInsert = 108,
};

class KeyboardState {
  public:
    virtual ~KeyboardState() = default;

    // modifiers: the bits seen with the key (1 shift, 2 ctrl, 4 alt), or kLastSeenModifiers.
    void recordKey(int code, int modifiers);
    void recordSpecialKey(int code, int modifiers);
    void releaseSpecialKey(int code);
    // The function keys, arrows, Page Up/Down, Home, End and Insert; the window system also reports
    // modifier keys and a few others as special keys, which the program ignores.
    static bool isCommandSpecialKey(int code);
    // What another device (a gamepad) holds: movement bits and modifier bits (1 shift, 2 ctrl,
    // 4 alt). They join the keyboard's own in moveKeys and the modifier fields but are kept apart,
    // so neither device letting go clears what the other still holds.
    void holdDeviceInput(int moveBits, int modifiers);

    int key = 0;
    int specialKey = 0;
    int altDown = 0;
    int ctrlDown = 0;
    int shiftDown = 0;
    int moveKeys = 0;

  private:
    void recordModifiers(int modifiers);
    void combine();
    // The keyboard's own share of moveKeys and the modifiers, and the other device's.
    int keyMoveKeys_ = 0;
    int keyModifiers_ = 0;
    int deviceMoveKeys_ = 0;
    int deviceModifiers_ = 0;
};
