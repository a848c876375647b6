// Recording keys, special keys, modifiers and the held movement keys.
#include "input/keyboard_state.h"

#include "base/platform.h"

bool KeyboardState::isCommandSpecialKey(int code) {
    return (code >= kKeyF1 && code <= kKeyF12) || (code >= kKeyLeft && code <= kKeyInsert);
}

void KeyboardState::recordModifiers() {
    altDown = platform.modifiers() & 4;
    ctrlDown = platform.modifiers() & 2;
    shiftDown = platform.modifiers() & 1;
}

void KeyboardState::recordKey(int code) {
    key = code;
    recordModifiers();
}

void KeyboardState::recordSpecialKey(int code) {
    specialKey = code;
    recordModifiers();
    switch (code) {
        case kKeyLeft:
            moveKeys |= kMoveLeft;
            break;
        case kKeyRight:
            moveKeys |= kMoveRight;
            break;
        case kKeyUp:
            moveKeys |= ctrlDown ? kMoveUp : kMoveForward;
            break;
        case kKeyDown:
            moveKeys |= ctrlDown ? kMoveDown : kMoveBack;
            break;
        case kKeyPageUp:
            moveKeys |= kMoveUp;
            break;
        case kKeyPageDown:
            moveKeys |= kMoveDown;
            break;
        default:
            break;
    }
}

void KeyboardState::releaseSpecialKey(int code) {
    // The modifiers are those of the last press: the release of Up after Ctrl+Up clears the
    // vertical bit even when Ctrl was let go first.
    switch (code) {
        case kKeyLeft:
            moveKeys &= ~kMoveLeft;
            break;
        case kKeyRight:
            moveKeys &= ~kMoveRight;
            break;
        case kKeyUp:
            moveKeys &= ctrlDown ? ~kMoveUp : ~kMoveForward;
            break;
        case kKeyDown:
            moveKeys &= ctrlDown ? ~kMoveDown : ~kMoveBack;
            break;
        case kKeyPageUp:
            moveKeys &= ~kMoveUp;
            break;
        case kKeyPageDown:
            moveKeys &= ~kMoveDown;
            break;
        default:
            break;
    }
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
