// One piece of input as it was born: in a GLUT input callback, from the game pad or from a stored
// ride. Every input of the running park reaches the frame as one of these, in arrival order.
#pragma once

#include <cstdint>

enum class InputKind : uint8_t {
    Key,            // code: the key; modifiers
    SpecialKey,     // code: GLUT's special key; modifiers
    SpecialKeyUp,   // code: GLUT's special key
    MouseButton,    // code: the button, state: kButtonDownEvent or kButtonUpEvent; x, y: where
    PointerMotion,  // x, y: where, window pixels with y down
    PadHold,        // code: the pad's movement bits; modifiers: the pad's modifier bits
    PadSpecialKey,  // code: an arrow key the pad pressed; its movement comes with PadHold
    PadButton,      // code: the button, state: as MouseButton; the pointer stays where it is
    PadLook,        // x, y: the look's pointer offset this frame
};
constexpr int kInputKindCount = 9;

// Modifier bits (1 shift, 2 ctrl, 4 alt) are read only inside GLUT's keyboard callbacks; a key
// born elsewhere (the pad) carries this instead and acts with the modifiers last seen.
constexpr int kLastSeenModifiers = -1;

struct InputEvent {
    InputKind kind = InputKind::Key;
    int code = 0;
    int state = 0;
    int x = 0;
    int y = 0;
    int modifiers = kLastSeenModifiers;

    bool operator==(const InputEvent& other) const {
        return kind == other.kind && code == other.code && state == other.state && x == other.x &&
               y == other.y && modifiers == other.modifiers;
    }
};
