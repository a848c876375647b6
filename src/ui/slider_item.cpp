// A horizontal slider for a float or integer setting between a minimum and a maximum.
#include "ui/slider_item.h"

#include <cmath>
#include <cstdio>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"

void SliderItem::init(const char* text, int itemId, float left, float lower, float width, float height,
                      float startValue, float minimum, float maximum, int intSteps, int isLinear) {
    DialogItem::init(text, itemId, left, lower, width, height, 0.0f, 0.0f, 0.0f, 0, 0);
    value = startValue;
    minValue = minimum;
    maxValue = maximum;
    range = maxValue - minValue;
    integerSteps = intSteps;
    linear = isLinear;
}

void SliderItem::setFromPointer(const PointerState& pointer, float originX) {
    const float ox = static_cast<float>(static_cast<int>(originX));
    const float f = (static_cast<float>(pointer.x) - ox - x) / w;
    value = linear ? f * range + minValue : f * f * range + minValue;
}

void SliderItem::stepByKey(int specialKey) {
    const double step = integerSteps ? 1.0 : range * 0.01;
    if (specialKey == kKeyLeft) {
        value = static_cast<float>(value - step);
        if (value < minValue) value = minValue;
    } else if (specialKey == kKeyRight) {
        value = static_cast<float>(value + step);
        if (value > maxValue) value = maxValue;
    }
}

int SliderItem::handleInput(const KeyboardState& keys, const PointerState& pointer, float originX,
                            float originY, float& outValue, int focused) {
    const int hit = hitTest(pointer, originX, originY);
    const bool pressedOn = pointer.leftButton == kButtonPressed && hit == kHitInside;
    const bool draggedAlong = pointer.leftButton == kButtonHeld && (hit & kHitHorizontal) && focused;
    if (pressedOn || draggedAlong) {
        setFromPointer(pointer, originX);
    } else if (focused && (keys.specialKey == kKeyLeft || keys.specialKey == kKeyRight)) {
        // Only the arrows that move the knob count: the Up and Down that bring the focus here,
        // or a function key, must not re-apply the value (the fade slider would switch screen
        // clearing off just by being passed over).
        stepByKey(keys.specialKey);
    } else {
        return kInputIgnored;
    }
    outValue = value;
    return kInputActivated;
}

float SliderItem::knobOffset() const {
    float f = range != 0.0f ? (value - minValue) / range : 0.0f;
    // A setting below the minimum (the fade snaps to 0 under a minimum of 0.01) must not take the
    // square root of a negative number.
    if (!linear) f = f > 0.0f ? std::sqrt(f) : 0.0f;
    return f * w;
}

void SliderItem::formatValue(char* out, size_t size) const {
    if (integerSteps)
        std::snprintf(out, size, "%5d", truncateToInt(value));
    else
        std::snprintf(out, size, "%5.2f", static_cast<double>(value));
}

void SliderItem::draw(float originX, float originY, int) {
    const float left = originX + x;
    const float rightEdge = originX + right;
    const float lower = originY + y;
    const float upper = originY + bottom;
    const float k = knobOffset();
    drawSkinRect(left, lower + 6.0f, rightEdge, upper - 6.0f, skinS + 0.1f, skinT, skinS + 0.25f - 0.1f,
                 skinT + 0.25f);
    drawSkinCell(left + k - 10.0f, lower, left + k + 10.0f, upper, 1);
    char text[32];
    formatValue(text, sizeof text);
    drawLabel(text, rightEdge + 15.0f, textY(originY));
    drawLabel(label, rightEdge + static_cast<float>(textSize * 150 / 20), textY(originY));
}
