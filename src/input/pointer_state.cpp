// Recording pointer motion and mouse buttons; the cursor and warp policy.
#include "input/pointer_state.h"

#include "base/platform.h"
#include "base/screen_view.h"
#include "settings/prefs.h"

void PointerState::trackPointer(int px, int py, const PrefsRecord& prefs, int windowHeight) {
    if (prefs.cameraMode == kCameraAuto || prefs.cameraMode == kCameraHold) {
        x = px;
        y = windowHeight - py - 1;
    } else if (prefs.cameraMode == kCameraManual) {
        x = px - warpX;
        y = py - warpY;
    }
    moved = 1;
}

int* PointerState::buttonField(int button) {
    switch (button) {
        case kLeftButton:
            return &leftButton;
        case kMiddleButton:
            return &middleButton;
        case kRightButton:
            return &rightButton;
        default:
            return nullptr;
    }
}

int PointerState::recordButton(int button, int event) {
    int* state = buttonField(button);
    if (!state) return 0;
    if (event == kButtonDownEvent && *state == kButtonUp) {
        *state = kButtonPressed;
        releasePending_[button] = 0;
        return 1;
    }
    if (event == kButtonUpEvent) {
        if (*state == kButtonHeld)
            *state = kButtonReleased;
        else if (*state == kButtonPressed)
            releasePending_[button] = 1;
    }
    return 0;
}

void PointerState::ageButtons() {
    for (int button = kLeftButton; button <= kRightButton; ++button) {
        int& state = *buttonField(button);
        if (state == kButtonPressed)
            state = releasePending_[button] ? kButtonReleased : kButtonHeld;
        else if (state == kButtonReleased)
            state = kButtonUp;
        releasePending_[button] = 0;
    }
}

void PointerState::updateCursor(const PrefsRecord& prefs, int menuActive) {
    if (!menuActive && (prefs.fullScreen || prefs.cameraMode)) {
        platform.setCursor(CursorShape::None);
        warpToCentre();
    } else {
        platform.setCursor(CursorShape::Arrow);
    }
    // A stale position from another camera mode, or the menu's overlay coordinates, must not turn
    // the Manual view.
    if (prefs.cameraMode == kCameraManual) x = y = 0;
}

void PointerState::warpToCentre() {
    if (screen) {
        warpX = screen->width / 2;
        warpY = screen->height / 2;
    }
    platform.warpPointer(warpX, warpY);
}
