// The gamepad's input delivered through the same handlers the keyboard and the mouse use, and its
// comings and goings shown on the status line.
#include "app/gamepad_wiring.h"

#include "app/globals.h"
#include "app/glut_callbacks.h"
#include "app/key_commands.h"
#include "app/park_actions.h"

namespace {
void holdInput(int moveBits, int modifiers) {
    Keyboard.holdDeviceInput(moveBits, modifiers);
}

// The mouse-button callback without its pointer tracking: the pad has no position, and the
// pointer's place is where the menu hit-tests.
void mouseButton(int button, int event) {
    if (Pointer.recordButton(button, event) && button == kRightButton)
        togglePopupMenu(MenuToggleSource::MouseButton);
}

void key(unsigned char code) {
    onKey(code, 0, 0);
}

// The special-key callback without its movement bits, which the pad holds through holdInput.
void specialKey(int code) {
    Keyboard.specialKey = code;
    runSpecialKeyCommand(code);
}

// A pointer motion away from the warp point, on top of any the mouse made this frame. Only the
// Manual camera looks with the pointer; elsewhere its place belongs to the menu.
void look(int dx, int dy) {
    if (Prefs.cameraMode != kCameraManual || Flags.menuActive) return;
    const int x = Pointer.moved ? Pointer.x : 0;
    const int y = Pointer.moved ? Pointer.y : 0;
    onPointerMotion(Pointer.warpX + x + dx, Pointer.warpY + y + dy);
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
}  // namespace

void pollGamepad() {
    Pad.sink = GamepadSink{holdInput, mouseButton, key, specialKey, look, menuOpen, connected, removed};
    Pad.poll(Clock.dt);
}
