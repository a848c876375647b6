// The pointer input of the current frame: position (or offset from the warp point in the Manual
// camera), a moved flag and the three mouse-button states.
#pragma once

class PrefsRecord;
class ScreenView;

enum ButtonState { kButtonUp = 0, kButtonPressed = 1, kButtonHeld = 2, kButtonReleased = 3 };
enum MouseButton { kLeftButton = 0, kMiddleButton = 1, kRightButton = 2 };
enum ButtonEvent { kButtonDownEvent = 0, kButtonUpEvent = 1 };

class PointerState {
  public:
    virtual ~PointerState() = default;

    // Manual camera: offset from the warp point (y down). Other modes: overlay coordinates (y up).
    void trackPointer(int px, int py, const PrefsRecord& prefs, int windowHeight);
    // Returns 1 when this event moved the button from up to pressed.
    int recordButton(int button, int event);
    // End of frame: pressed becomes held, or released when the button already came up in the same
    // frame; released becomes up.
    void ageButtons();
    // Hides the cursor and re-centres the pointer while the view follows the mouse; shows the arrow
    // while a menu is open or in a window with the Auto camera.
    void updateCursor(const PrefsRecord& prefs, int menuActive);
    // Puts the pointer back in the middle of the window, the point the next look is measured from: a
    // fixed point would leave a small window, and with it the look, the clicks and the keys.
    void warpToCentre();

    const ScreenView* screen = nullptr;  // the window's size; without it the warp point stays put
    int warpX = 500;
    int warpY = 500;
    int x = 0;
    int y = 0;
    int moved = 0;
    int leftButton = 0;
    int middleButton = 0;
    int rightButton = 0;

  private:
    int* buttonField(int button);
    int releasePending_[3] = {0, 0, 0};
};
