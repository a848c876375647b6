// An on/off toggle.
#include "ui/toggle_item.h"

#include <GL/gl.h>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"

void ToggleItem::init(const char* text, int itemId, float left, float lower, float width, float height,
                      float startValue, float, float, int, int) {
    DialogItem::init(text, itemId, left, lower, width, height, 0.0f, 0.0f, 0.0f, 0, 0);
    state = truncateToInt(startValue);
}

int ToggleItem::handleInput(const KeyboardState& keys, const PointerState& pointer, float originX,
                            float originY, float& outValue, int focused) {
    const bool clicked =
        pointer.leftButton == kButtonPressed && hitTest(pointer, originX, originY) == kHitInside;
    // Enter is an ordinary key, the arrows are special keys: 'd' and 'f' share the arrows' numbers.
    const bool keyed =
        focused && (keys.key == 13 || keys.specialKey == kKeyLeft || keys.specialKey == kKeyRight);
    if (!clicked && !keyed) return kInputIgnored;
    state = !state;
    outValue = static_cast<float>(state);
    return kInputActivated;
}

void ToggleItem::draw(float originX, float originY, int focused) {
    const float k = static_cast<float>(0.66 + 0.33 * focused);
    const float rightEdge = originX + right;
    drawLabel(state ? "On" : "Off", rightEdge + 25.0f, textY(originY));
    if (state)
        glColor3f(0.5f * k, k, 0.5f * k);
    else
        glColor3f(k, 0.5f * k, 0.5f * k);
    drawSkinCell(originX + x, originY + y, rightEdge, originY + bottom, state);
    drawLabel(label, rightEdge + static_cast<float>(textSize * 150 / 30 + 20), textY(originY));
}
