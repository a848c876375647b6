// A push button that fires on release.
#include "ui/button_item.h"

#include "input/keyboard_state.h"
#include "input/pointer_state.h"

void ButtonItem::init(const char* text, int itemId, float left, float lower, float width, float height, float,
                      float, float, int, int) {
    DialogItem::init(text, itemId, left, lower, width, height, 0.0f, 0.0f, 0.0f, 0, 0);
    state = 0;
}

int ButtonItem::handleKeys(const KeyboardState& keys, int focused) {
    if ((keys.key == 0 && keys.specialKey == 0) || !focused) return kInputIgnored;
    if (keys.key == 13 || keys.specialKey == kKeyLeft || keys.specialKey == kKeyRight) return kInputActivated;
    return kInputIgnored;
}

int ButtonItem::handleInput(const KeyboardState& keys, const PointerState& pointer, float originX,
                            float originY, float&, int focused) {
    const bool inside = hitTest(pointer, originX, originY) == kHitInside;
    const int event = pointer.leftButton;
    if (event == kButtonPressed && inside) {
        state = 1;
        return kInputPressed;
    }
    if (event == kButtonReleased && inside && focused) {
        state = 1;
        return kInputActivated;
    }
    if ((event == kButtonPressed || event == kButtonHeld) && focused) state = inside ? 1 : 0;
    return handleKeys(keys, focused);
}

void ButtonItem::draw(float originX, float originY, int) {
    drawSkinCell(originX + x, originY + y, originX + right, originY + bottom, state);
    drawLabel(label, originX + right + 15.0f, textY(originY));
}
