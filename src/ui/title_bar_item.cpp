// The title bar that drags the dialog.
#include "ui/title_bar_item.h"

#include "input/keyboard_state.h"
#include "input/pointer_state.h"

int TitleBarItem::handleInput(const KeyboardState& keys, const PointerState& pointer, float originX,
                              float originY, float&, int focused) {
    const int event = pointer.leftButton;
    if (event == kButtonPressed && hitTest(pointer, originX, originY) == kHitInside) {
        state = 1;
        return kInputMoveDialog;
    }
    if (event == kButtonHeld && focused && state) return kInputMoveDialog;
    if (event == kButtonReleased && focused) {
        state = 0;
        return kInputMoveDialog;
    }
    const int k = keys.specialKey;
    const bool moveKey = k == kKeyLeft || k == kKeyRight || k == kKeyPageUp || k == kKeyPageDown;
    if (moveKey && focused) return kInputMoveDialog;
    return kInputIgnored;
}

void TitleBarItem::draw(float originX, float originY, int) {
    drawSkinCell(originX + x, originY + y, originX + right, originY + bottom, 0);
    drawLabel(label, originX + right + 15.0f, textY(originY));
}
