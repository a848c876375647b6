// The back button.
#include "ui/back_button_item.h"

#include "input/keyboard_state.h"
#include "input/pointer_state.h"

int BackButtonItem::handleInput(const KeyboardState& keys, const PointerState& pointer, float originX,
                                float originY, float&, int focused) {
    const bool inside = hitTest(pointer, originX, originY) == kHitInside;
    switch (pointer.leftButton) {
        case kButtonPressed:
            state = 1;
            return kInputPressed;
        case kButtonHeld:
            state = inside ? 1 : 0;
            break;
        case kButtonReleased:
            if (inside && focused) return kInputActivated;
            break;
        default:
            break;
    }
    return handleKeys(keys, focused);
}
