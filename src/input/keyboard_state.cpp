// Recording keys, special keys, modifiers and the held movement keys.
#include "input/keyboard_state.h"

#include "base/platform.h"

bool KeyboardState::isCommandSpecialKey(int code) {
    return (code >= kKeyF1 && code <= kKeyF12) || (code >= kKeyLeft && code <= kKeyInsert);
}

void KeyboardState::recordModifiers() {
    keyModifiers_ = (platform.modifiers() & 4) | (platform.modifiers() & 2) | (platform.modifiers() & 1);
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

void KeyboardState::recordKey(int code) {
    key = code;
    recordModifiers();
}

void KeyboardState::recordSpecialKey(int code) {
    specialKey = code;
    recordModifiers();
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

void KeyboardState::holdKey(int code) {
    if (heldCount_ < 16) heldKeys_[heldCount_++] = code;
}

int KeyboardState::takeHeldKey() {
    if (heldTaken_ == heldCount_) {
        heldTaken_ = heldCount_ = 0;
        return 0;
    }
    return heldKeys_[heldTaken_++];
}
