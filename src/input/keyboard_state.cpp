// Recording keys, special keys, modifiers and the held movement keys.
#include "input/keyboard_state.h"

bool KeyboardState::isCommandSpecialKey(int code) {
    return (code >= kKeyF1 && code <= kKeyF12) || (code >= kKeyLeft && code <= kKeyInsert);
}

void KeyboardState::recordModifiers(int modifiers) {
    if (modifiers != kLastSeenModifiers) keyModifiers_ = modifiers & 7;
    combine();
}

void KeyboardState::combine() {
    const int modifiers = keyModifiers_ | deviceModifiers_;
    altDown = modifiers & 4;
    ctrlDown = modifiers & 2;
    shiftDown = modifiers & 1;
    moveKeys = keyMoveKeys_ | deviceMoveKeys_;
}

void KeyboardState::holdDeviceInput(int moveBits, int modifiers) {
    deviceMoveKeys_ = moveBits;
    deviceModifiers_ = modifiers & 7;
    combine();
}

void KeyboardState::recordKey(int code, int modifiers) {
    key = code;
    recordModifiers(modifiers);
}

void KeyboardState::recordSpecialKey(int code, int modifiers) {
    specialKey = code;
    recordModifiers(modifiers);
    const int keyCtrl = keyModifiers_ & 2;
    switch (code) {
        case kKeyLeft:
            keyMoveKeys_ |= kMoveLeft;
            break;
        case kKeyRight:
            keyMoveKeys_ |= kMoveRight;
            break;
        case kKeyUp:
            keyMoveKeys_ |= keyCtrl ? kMoveUp : kMoveForward;
            break;
        case kKeyDown:
            keyMoveKeys_ |= keyCtrl ? kMoveDown : kMoveBack;
            break;
        case kKeyPageUp:
            keyMoveKeys_ |= kMoveUp;
            break;
        case kKeyPageDown:
            keyMoveKeys_ |= kMoveDown;
            break;
        default:
            break;
    }
    combine();
}

void KeyboardState::releaseSpecialKey(int code) {
    // The modifiers are those of the last press: the release of Up after Ctrl+Up clears the
    // vertical bit even when Ctrl was let go first. Only the keyboard's own Ctrl counts: a gamepad
    // steers its own arrows.
    const int keyCtrl = keyModifiers_ & 2;
    switch (code) {
        case kKeyLeft:
            keyMoveKeys_ &= ~kMoveLeft;
            break;
        case kKeyRight:
            keyMoveKeys_ &= ~kMoveRight;
            break;
        case kKeyUp:
            keyMoveKeys_ &= keyCtrl ? ~kMoveUp : ~kMoveForward;
            break;
        case kKeyDown:
            keyMoveKeys_ &= keyCtrl ? ~kMoveDown : ~kMoveBack;
            break;
        case kKeyPageUp:
            keyMoveKeys_ &= ~kMoveUp;
            break;
        case kKeyPageDown:
            keyMoveKeys_ &= ~kMoveDown;
            break;
        default:
            break;
    }
    combine();
}
