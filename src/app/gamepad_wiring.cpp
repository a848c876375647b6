// The gamepad's input queued as events like the keyboard's and the mouse's, and its comings and
// goings shown on the status line. A key the pad gives carries no modifiers of the keyboard's: it
// acts with those last seen, joined with the pad's own.
#include "app/gamepad_wiring.h"

#include <string>

#include "app/globals.h"

namespace {
void holdInput(int moveBits, int modifiers) {
    Events.push({InputKind::PadHold, moveBits, 0, 0, 0, modifiers});
}

void mouseButton(int button, int event) {
    Events.push({InputKind::PadButton, button, event, 0, 0, kLastSeenModifiers});
}

void key(unsigned char code) {
    Events.push({InputKind::Key, code, 0, 0, 0, kLastSeenModifiers});
}

void specialKey(int code) {
    Events.push({InputKind::PadSpecialKey, code, 0, 0, 0, kLastSeenModifiers});
}

void look(int dx, int dy) {
    Events.push({InputKind::PadLook, 0, 0, dx, dy, kLastSeenModifiers});
}

int menuOpen() {
    return Flags.menuActive;
}

void connected(const char* name) {
    StatusLine.showInt("Gamepad: %s", name);
}

void removed() {
    StatusLine.setText("Gamepad removed");
}

// The splash only waits for a press; a pad found then is announced when the park starts.
bool splashPressed = false;
std::string splashPadName;
void splashConnected(const char* name) {
    splashPadName = name;
}
void splashRemoved() {
    splashPadName.clear();
}
void splashHold(int moveBits, int modifiers) {
    splashPressed = splashPressed || moveBits != 0 || modifiers != 0;
}
void splashButton(int, int event) {
    splashPressed = splashPressed || event == kButtonDownEvent;
}
void splashKey(unsigned char) {
    splashPressed = true;
}
void splashSpecialKey(int) {
    splashPressed = true;
}
int noMenu() {
    return 0;
}
}  // namespace

void pollGamepad() {
    if (!splashPadName.empty()) connected(splashPadName.c_str());
    splashPadName.clear();
    Pad.sink = GamepadSink{holdInput, mouseButton, key, specialKey, look, menuOpen, connected, removed};
    Pad.poll(Clock.dt);
}

bool pollGamepadOnSplash() {
    Pad.sink = GamepadSink{splashHold, splashButton, splashKey,       splashSpecialKey,
                           nullptr,    noMenu,       splashConnected, splashRemoved};
    splashPressed = false;
    Pad.poll(Clock.dt);
    return splashPressed;
}
