// A push button: shows its pressed look while the pointer holds it down and fires when the press is
// released over it (or on Enter, left or right while it has the focus).
#pragma once

#include "ui/dialog_item.h"

class ButtonItem : public DialogItem {
  public:
    ButtonItem() : DialogItem(0.0f, 0.5f) {}

    void init(const char* text, int itemId, float left, float lower, float width, float height,
              float startValue, float minimum, float maximum, int intSteps, int isLinear) override;
    int handleInput(const KeyboardState& keys, const PointerState& pointer, float originX, float originY,
                    float& outValue, int focused) override;
    void draw(float originX, float originY, int focused) override;

  protected:
    ButtonItem(float cellS, float cellT) : DialogItem(cellS, cellT) {}
    // Enter, left or right on the focused button.
    static int handleKeys(const KeyboardState& keys, int focused);
};
