// A horizontal slider for a float or integer setting between a minimum and a maximum, with a linear or
// quadratic response (the quadratic one gives fine control near the minimum).
#pragma once

#include <cstddef>

#include "ui/dialog_item.h"

class SliderItem : public DialogItem {
  public:
    SliderItem() : DialogItem(0.0f, 0.75f) {}

    void init(const char* text, int itemId, float left, float lower, float width, float height,
              float startValue, float minimum, float maximum, int intSteps, int isLinear) override;
    int handleInput(const KeyboardState& keys, const PointerState& pointer, float originX, float originY,
                    float& outValue, int focused) override;
    void draw(float originX, float originY, int focused) override;

    // Distance of the knob centre from the left end of the track.
    float knobOffset() const;
    // "%5d" of the truncated value for integer sliders, "%5.2f" otherwise.
    void formatValue(char* out, size_t size) const;

    float minValue = 0.0f;
    float maxValue = 0.0f;
    float range = 0.0f;
    float value = 0.0f;
    int integerSteps = 0;
    int linear = 0;

  private:
    void setFromPointer(const PointerState& pointer, float originX);
    void stepByKey(int specialKey);
};
