// The dialog widgets' skin: a 4 x 4 atlas of 32 x 32 cells, drawn in greys (the program tints them)
// on black, which the program treats as transparent.
#pragma once

#include "image.h"

constexpr int kSkinSize = 128;
constexpr int kSkinCell = 32;

// Cell positions as (column, row from the top of the picture).
struct SkinCell {
    int column;
    int row;
};
constexpr SkinCell kSliderTrackCell{0, 0};
constexpr SkinCell kSliderKnobCell{1, 0};
constexpr SkinCell kToggleOffCell{2, 0};
constexpr SkinCell kToggleOnCell{3, 0};
constexpr SkinCell kButtonCell{0, 1};
constexpr SkinCell kButtonPressedCell{1, 1};
constexpr SkinCell kTitleBarCell{2, 1};
constexpr SkinCell kBackButtonCell{0, 2};
constexpr SkinCell kBackButtonPressedCell{1, 2};

Image makeWidgetSkin();
