// Each kind of input event turned into what the keys, the mouse and the pad do.
#include "app/input_handling.h"

#include "app/globals.h"
#include "app/key_commands.h"
#include "app/park_actions.h"
#include "app/ride_recording.h"

namespace {
void handleKey(const InputEvent& event) {
    Screen.clearPasses = 0;
    Keyboard.recordKey(event.code, event.modifiers);
    runKeyCommand(Keyboard.key);
}

void handleSpecialKey(const InputEvent& event) {
    if (!KeyboardState::isCommandSpecialKey(event.code)) return;
    Keyboard.recordSpecialKey(event.code, event.modifiers);
    runSpecialKeyCommand(event.code);
}

void handleSpecialKeyUp(const InputEvent& event) {
    if (KeyboardState::isCommandSpecialKey(event.code)) Keyboard.releaseSpecialKey(event.code);
}

// The pad has no place of its own: its buttons act where the pointer is.
void handleButton(const InputEvent& event) {
    if (event.kind == InputKind::MouseButton) Pointer.trackPointer(event.x, event.y, Prefs, Screen.height);
    if (Pointer.recordButton(event.code, event.state) && event.code == kRightButton)
        togglePopupMenu(MenuToggleSource::MouseButton);
}

void handleMotion(const InputEvent& event) {
    Pointer.trackPointer(event.x, event.y, Prefs, Screen.height);
}

// An arrow the pad pressed; its movement bits come with the pad's hold.
void handlePadSpecialKey(const InputEvent& event) {
    Keyboard.specialKey = event.code;
    runSpecialKeyCommand(event.code);
}

void handlePadHold(const InputEvent& event) {
    Keyboard.holdDeviceInput(event.code, event.modifiers);
}

// A pointer motion away from the warp point, on top of any the mouse made this frame. Only the
// Manual camera looks with the pointer; elsewhere its place belongs to the menu.
void handlePadLook(const InputEvent& event) {
    if (Prefs.cameraMode != kCameraManual || Flags.menuActive) return;
    const int x = Pointer.moved ? Pointer.x : 0;
    const int y = Pointer.moved ? Pointer.y : 0;
    Pointer.trackPointer(Pointer.warpX + x + event.x, Pointer.warpY + y + event.y, Prefs, Screen.height);
}

using Handler = void (*)(const InputEvent& event);
// In the order of InputKind.
constexpr Handler kHandlers[kInputKindCount] = {handleKey,           handleSpecialKey, handleSpecialKeyUp,
                                                handleButton,        handleMotion,     handlePadHold,
                                                handlePadSpecialKey, handleButton,     handlePadLook};
}  // namespace

void handleInputEvent(const InputEvent& event) {
    kHandlers[static_cast<int>(event.kind)](event);
}

void takeInput() {
    for (InputEvent event; Events.take(event);) {
        noteRideEvent(event);
        handleInputEvent(event);
    }
}
