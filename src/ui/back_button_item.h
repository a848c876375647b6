// The back button: a push button without a label that returns to the previous dialog. It arms on any
// press, so a press away from every other widget leaves the focus on it.
#pragma once

#include "ui/button_item.h"

class BackButtonItem : public ButtonItem {
  public:
    BackButtonItem() : ButtonItem(0.0f, 0.25f) {}

    int handleInput(const KeyboardState& keys, const PointerState& pointer, float originX, float originY,
                    float& outValue, int focused) override;
};
