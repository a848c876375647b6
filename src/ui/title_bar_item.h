// The title bar: a drag handle carrying the dialog title. Dragging it, or the arrow and page keys while
// it has the focus, move the whole dialog (the manager does the moving).
#pragma once

#include "ui/dialog_item.h"

class TitleBarItem : public DialogItem {
  public:
    TitleBarItem() : DialogItem(0.5f, 0.5f) {}

    int handleInput(const KeyboardState& keys, const PointerState& pointer, float originX, float originY,
                    float& outValue, int focused) override;
    void draw(float originX, float originY, int focused) override;
};
