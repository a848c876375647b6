// An on/off toggle: a square that shows "On" or "Off" beside it, tinted green when on, red when off.
#pragma once

#include "ui/dialog_item.h"

class ToggleItem : public DialogItem {
  public:
    ToggleItem() : DialogItem(0.5f, 0.75f) {}

    void init(const char* text, int itemId, float left, float lower, float width, float height,
              float startValue, float minimum, float maximum, int intSteps, int isLinear) override;
    int handleInput(const KeyboardState& keys, const PointerState& pointer, float originX, float originY,
                    float& outValue, int focused) override;
    void draw(float originX, float originY, int focused) override;
};
