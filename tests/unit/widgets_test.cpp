// The menu widgets: what each input does to a slider, toggle, button, back button and title bar.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "ui/back_button_item.h"
#include "ui/button_item.h"
#include "ui/slider_item.h"
#include "ui/title_bar_item.h"
#include "ui/toggle_item.h"

namespace {
// One input offered to a widget: the pointer, the keys, the focus, the answer and what the widget shows
// after it, its state or a slider's value (-1: not checked).
struct Step {
    int x, y, button, key, special, focused, result;
    float after;
};
template <size_t N>
void runSteps(DialogItem& widget, const Step (&steps)[N], float ox = 0.0f, float oy = 0.0f) {
    KeyboardState keys;
    PointerState pointer;
    float out = 0.0f;
    for (const Step& s : steps) {
        std::tie(pointer.x, pointer.y, pointer.leftButton, keys.key, keys.specialKey) =
            std::tie(s.x, s.y, s.button, s.key, s.special);
        const int result = widget.handleInput(keys, pointer, ox, oy, out, s.focused);
        const auto* slider = dynamic_cast<const SliderItem*>(&widget);
        const float after = slider ? slider->value : static_cast<float>(widget.state);
        EXPECT_TRUE(s.result < 0 || result == s.result) << "step " << &s - steps << " gave " << result;
        EXPECT_TRUE(s.after < 0 || after == s.after) << "step " << &s - steps << " left " << after;
        EXPECT_TRUE(result != kInputActivated || !slider || out == after) << "step " << &s - steps;
    }
}
constexpr int U = kButtonUp, P = kButtonPressed, H = kButtonHeld, R = kButtonReleased;
constexpr int No = kInputIgnored, Act = kInputActivated, Down = kInputPressed, Move = kInputMoveDialog;
constexpr int Left = kKeyLeft, Right = kKeyRight;

// The track runs from x 30 to 170, y 100 to 124.
void initSlider(SliderItem& s, float value, float min, float max, int integerSteps, int linear) {
    s.init("Slider", 7, 30.0f, 100.0f, 140.0f, 24.0f, value, min, max, integerSteps, linear);
}
std::string valueText(const SliderItem& s) {
    char text[32];
    s.formatValue(text, sizeof text);
    return text;
}
}  // namespace

// A quadratic slider clicked at mid-track gives a quarter; edges count as inside (the origin is truncated
// to whole pixels); only the focused slider follows a drag above or below it; keys step by a hundredth,
// or whole steps up to a half-step maximum, and only Left and Right answer.
TEST(SliderItem, ClicksDragsAndKeys) {
    SliderItem s;
    initSlider(s, 2.0f, 2.0f, 10.0f, 0, 0);
    const Step steps1[] = {{100, 110, P, 0, 0, 0, Act, 4.0f}};
    runSteps(s, steps1);
    EXPECT_FLOAT_EQ(s.knobOffset(), 70.0f);
    EXPECT_EQ(valueText(s), " 4.00");
    initSlider(s, 0.0f, 0.01f, 1.0f, 0, 0);  // the fade snaps to 0 under its minimum of 0.01
    EXPECT_FLOAT_EQ(s.knobOffset(), 0.0f);

    initSlider(s, 0.0f, 0.0f, 1.0f, 0, 1);
    const Step steps2[] = {{40, 120, P, 0, 0, 0, Act, 0.0f},
                           {180, 144, P, 0, 0, 0, Act, 1.0f},
                           {39, 120, P, 0, 0, 0, No, 1.0f},
                           {181, 119, P, 0, 0, 0, No, 1.0f},
                           {100, 145, P, 0, 0, 0, No, 1.0f}};
    runSteps(s, steps2, 10.9f, 20.9f);
    initSlider(s, 5.0f, 5.0f, 178.0f, 0, 1);  // a linear slider from 5: halfway is 5 + 173 / 2
    const Step halfway[] = {{110, 130, P, 0, 0, 0, Act, 91.5f}};
    runSteps(s, halfway, 10.9f, 20.9f);
    initSlider(s, 0.0f, 0.0f, 1.0f, 0, 1);
    const Step steps3[] = {{65, 300, H, 0, 0, 0, No, 0.0f},
                           {65, 300, H, 0, 0, 1, Act, 0.25f},
                           {170, -40, H, 0, 0, 1, Act, 1.0f},
                           {171, 110, H, 0, 0, 1, No, 1.0f}};
    runSteps(s, steps3);

    initSlider(s, 0.5f, 0.5f, 2.5f, 0, 0);
    const Step steps4[] = {{0, 0, U, 0, Left, 0, No, 0.5f},    {0, 0, U, 0, Left, 1, Act, 0.5f},
                           {0, 0, U, 0, Right, 1, Act, 0.52f}, {0, 0, U, 0, kKeyDown, 1, No, -1},
                           {0, 0, U, 0, kKeyUp, 1, No, -1},    {0, 0, U, 0, kKeyF1, 1, No, 0.52f}};
    runSteps(s, steps4);
    initSlider(s, 0.0f, 0.0f, 11.5f, 1, 1);
    const Step steps5[] = {{100, 110, P, 0, 0, 0, -1, -1}, {170, 110, H, 0, 0, 1, Act, 11.5f}};
    runSteps(s, steps5);
    EXPECT_EQ(valueText(s), "   11");
    initSlider(s, 11.0f, 0.0f, 11.5f, 1, 1);
    const Step steps6[] = {{0, 0, U, 0, Right, 1, -1, 11.5f},
                           {0, 0, U, 0, Right, 1, -1, 11.5f},
                           {0, 0, U, 0, Left, 1, -1, 10.5f}};
    runSteps(s, steps6);
    EXPECT_EQ(valueText(s), "   10");
}

// Toggles answer keys only when focused ('d' is the left arrow's number, but an ordinary key), clicks
// always. Buttons fire only on a release over them while focused, or on Enter; the back button arms on a
// press anywhere and lights while the pointer is over it. The title bar drags while pressed and moves on
// keys only when focused.
TEST(DialogItems, ToggleButtonBackButtonAndTitleBar) {
    ToggleItem toggle;
    toggle.init("Pause", 97, 70.0f, 100.0f, 30.0f, 30.0f, 1.0f, 0.0f, 0.0f, 0, 0);
    const Step steps7[] = {{0, 0, U, 13, 0, 0, No, 1},     {0, 0, U, 13, 0, 1, Act, 0},
                           {0, 0, U, 0, Left, 1, Act, 1},  {0, 0, U, 0, Right, 1, Act, 0},
                           {0, 0, U, 0, kKeyUp, 1, No, 0}, {0, 0, U, 'd', 0, 1, No, 0},
                           {100, 130, P, 0, 0, 0, Act, 1}, {101, 130, P, 0, 0, 0, No, 1}};
    runSteps(toggle, steps7);
    ButtonItem button;
    button.init("Save...", 1, 30.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    const Step steps8[] = {
        {45, 115, P, 0, 0, 0, Down, -1}, {200, 115, H, 0, 0, 1, No, 0}, {200, 115, R, 0, 0, 1, No, -1},
        {45, 115, P, 0, 0, 0, -1, -1},   {60, 130, R, 0, 0, 0, No, -1}, {60, 130, R, 0, 0, 1, Act, -1},
        {0, 0, U, 13, 0, 0, No, -1},     {0, 0, U, 13, 0, 1, Act, -1},  {0, 0, U, 'a', 0, 1, No, -1}};
    runSteps(button, steps8);
    BackButtonItem back;
    back.init("", 93, 180.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    const Step steps9[] = {{5, 5, P, 0, 0, 0, Down, -1},
                           {5, 5, H, 0, 0, 0, No, 0},
                           {190, 110, H, 0, 0, 0, -1, 1},
                           {190, 110, R, 0, 0, 0, No, -1},
                           {190, 110, R, 0, 0, 1, Act, -1}};
    runSteps(back, steps9);
    TitleBarItem title;
    title.init("Main Menu", 0, 30.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    const Step steps10[] = {{45, 115, P, 0, 0, 0, Move, -1},         {400, 400, H, 0, 0, 0, No, -1},
                            {400, 400, H, 0, 0, 1, Move, -1},        {0, 0, U, 0, kKeyUp, 1, No, -1},
                            {0, 0, U, 0, Left, 1, Move, -1},         {0, 0, U, 0, Left, 0, No, -1},
                            {0, 0, U, 0, Right, 1, Move, -1},        {0, 0, U, 0, Right, 0, No, -1},
                            {0, 0, U, 0, kKeyPageUp, 1, Move, -1},   {0, 0, U, 0, kKeyPageUp, 0, No, -1},
                            {0, 0, U, 0, kKeyPageDown, 1, Move, -1}, {0, 0, U, 0, kKeyPageDown, 0, No, -1}};
    runSteps(title, steps10);
}
