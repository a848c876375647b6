#include <gtest/gtest.h>

#include <string>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "ui/back_button_item.h"
#include "ui/button_item.h"
#include "ui/slider_item.h"
#include "ui/title_bar_item.h"
#include "ui/toggle_item.h"

namespace {
struct Input {
    KeyboardState keys;
    PointerState pointer;
    float out = -99.0f;

    Input& at(int px, int py, int button) {
        pointer.x = px;
        pointer.y = py;
        pointer.leftButton = button;
        return *this;
    }
    Input& key(int ordinary, int special = 0) {
        keys.key = ordinary;
        keys.specialKey = special;
        return *this;
    }
    int offer(DialogItem& widget, int focused, float ox = 0.0f, float oy = 0.0f) {
        return widget.handleInput(keys, pointer, ox, oy, out, focused);
    }
};

// The track runs from x 30 to 170, y 100 to 124.
void initSlider(SliderItem& s, float value, float minValue, float maxValue, int integerSteps, int linear) {
    s.init("Slider", 7, 30.0f, 100.0f, 140.0f, 24.0f, value, minValue, maxValue, integerSteps, linear);
}

std::string valueText(const SliderItem& s) {
    char text[32];
    s.formatValue(text, sizeof text);
    return text;
}
}  // namespace

TEST(SliderItem, QuadraticClickAtMidTrackGivesAQuarterAndTheKnobStaysOnTheTrack) {
    SliderItem s;
    initSlider(s, 2.0f, 2.0f, 10.0f, 0, 0);
    Input in;
    EXPECT_EQ(in.at(100, 110, kButtonPressed).offer(s, 0), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 4.0f);
    EXPECT_FLOAT_EQ(in.out, 4.0f);
    EXPECT_FLOAT_EQ(s.knobOffset(), 70.0f);
    EXPECT_EQ(valueText(s), " 4.00");
    initSlider(s, 0.0f, 0.01f, 1.0f, 0, 0);  // the fade snaps to 0 under its minimum of 0.01
    EXPECT_FLOAT_EQ(s.knobOffset(), 0.0f);
}

TEST(SliderItem, EdgesCountAsInsideAndOnlyTheFocusedSliderFollowsADragAboveOrBelowIt) {
    SliderItem s;
    initSlider(s, 0.0f, 0.0f, 1.0f, 0, 1);
    Input in;
    const float ox = 10.9f, oy = 20.9f;  // counts as (10, 20)
    const struct {
        int x, y, hit;
        float value;
    } clicks[] = {{40, 120, kHitInside, 0.0f},
                  {180, 144, kHitInside, 1.0f},
                  {39, 120, kHitVertical, 1.0f},
                  {181, 119, 0, 1.0f},
                  {100, 145, kHitHorizontal, 1.0f}};
    for (const auto& c : clicks) {
        in.at(c.x, c.y, kButtonPressed);
        EXPECT_EQ(s.hitTest(in.pointer, ox, oy), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(in.offer(s, 0, ox, oy), c.hit == kHitInside ? kInputActivated : kInputIgnored);
        EXPECT_FLOAT_EQ(s.value, c.value);
    }

    initSlider(s, 0.0f, 0.0f, 1.0f, 0, 1);
    in.at(65, 300, kButtonHeld);
    EXPECT_EQ(in.offer(s, 0), kInputIgnored);
    EXPECT_EQ(in.offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 0.25f);
    EXPECT_EQ(in.at(170, -40, kButtonHeld).offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(in.out, 1.0f);
    EXPECT_EQ(in.at(171, 110, kButtonHeld).offer(s, 1), kInputIgnored) << "beyond the right end";
}

TEST(SliderItem, KeyStepsAndTheIntegerSliderWithAHalfStepMaximum) {
    SliderItem s;
    initSlider(s, 0.5f, 0.5f, 2.5f, 0, 0);
    Input in;
    EXPECT_EQ(in.key(0, kKeyLeft).offer(s, 0), kInputIgnored);
    EXPECT_EQ(in.offer(s, 1), kInputActivated) << "left at the minimum still answers";
    EXPECT_FLOAT_EQ(in.out, 0.5f);
    EXPECT_EQ(in.key(0, kKeyRight).offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 0.52f);
    for (int passing : {kKeyDown, kKeyUp, kKeyF1}) EXPECT_EQ(in.key(0, passing).offer(s, 1), kInputIgnored);

    initSlider(s, 0.0f, 0.0f, 11.5f, 1, 1);
    in.key(0).at(100, 110, kButtonPressed).offer(s, 0);
    EXPECT_EQ(in.at(170, 110, kButtonHeld).offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 11.5f);
    EXPECT_EQ(valueText(s), "   11");
    initSlider(s, 11.0f, 0.0f, 11.5f, 1, 1);
    in.at(0, 0, kButtonUp).key(0, kKeyRight);
    for (float expected : {11.5f, 11.5f}) {
        in.offer(s, 1);
        EXPECT_FLOAT_EQ(s.value, expected);
    }
    in.key(0, kKeyLeft).offer(s, 1);
    EXPECT_FLOAT_EQ(s.value, 10.5f);
    EXPECT_EQ(valueText(s), "   10");
}

namespace {
// One input offered to a widget: the pointer, the keys, the focus, the answer and the widget's state
// after it (-1: not checked).
struct Step {
    int x, y, button, key, special, focused, result, state;
};
template <size_t N>
void runSteps(DialogItem& widget, const Step (&steps)[N]) {
    Input in;
    int n = 0;
    for (const Step& s : steps) {
        const int result = in.at(s.x, s.y, s.button).key(s.key, s.special).offer(widget, s.focused);
        EXPECT_TRUE(s.result < 0 || result == s.result) << "step " << n << " gave " << result;
        EXPECT_TRUE(s.state < 0 || widget.state == s.state) << "step " << n << " left " << widget.state;
        ++n;
    }
}
constexpr int U = kButtonUp, P = kButtonPressed, H = kButtonHeld, R = kButtonReleased;
constexpr int No = kInputIgnored, Act = kInputActivated, Down = kInputPressed, Move = kInputMoveDialog;
}  // namespace

// Toggles answer keys only when focused ('d' is the left arrow's number, but an ordinary key), clicks
// always. Buttons fire only on a release over them while focused, or on Enter; the back button arms on a
// press anywhere and lights while the pointer is over it. The title bar drags while pressed and moves on
// keys only when focused.
TEST(DialogItems, ToggleButtonBackButtonAndTitleBar) {
    ToggleItem toggle;
    toggle.init("Pause", 97, 70.0f, 100.0f, 30.0f, 30.0f, 1.0f, 0.0f, 0.0f, 0, 0);
    const Step toggleSteps[] = {{0, 0, U, 13, 0, 0, No, 1},        {0, 0, U, 13, 0, 1, Act, 0},
                                {0, 0, U, 0, kKeyLeft, 1, Act, 1}, {0, 0, U, 0, kKeyRight, 1, Act, 0},
                                {0, 0, U, 0, kKeyUp, 1, No, 0},    {0, 0, U, 'd', 0, 1, No, 0},
                                {100, 130, P, 0, 0, 0, Act, 1},    {101, 130, P, 0, 0, 0, No, 1}};
    runSteps(toggle, toggleSteps);
    ButtonItem button;
    button.init("Save...", 1, 30.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    const Step buttonSteps[] = {
        {45, 115, P, 0, 0, 0, Down, -1}, {200, 115, H, 0, 0, 1, No, 0}, {200, 115, R, 0, 0, 1, No, -1},
        {45, 115, P, 0, 0, 0, -1, -1},   {60, 130, R, 0, 0, 0, No, -1}, {60, 130, R, 0, 0, 1, Act, -1},
        {0, 0, U, 13, 0, 0, No, -1},     {0, 0, U, 13, 0, 1, Act, -1},  {0, 0, U, 'a', 0, 1, No, -1}};
    runSteps(button, buttonSteps);
    BackButtonItem back;
    back.init("", 93, 180.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    const Step backSteps[] = {{5, 5, P, 0, 0, 0, Down, -1},
                              {5, 5, H, 0, 0, 0, No, 0},
                              {190, 110, H, 0, 0, 0, -1, 1},
                              {190, 110, R, 0, 0, 0, No, -1},
                              {190, 110, R, 0, 0, 1, Act, -1}};
    runSteps(back, backSteps);
    TitleBarItem title;
    title.init("Main Menu", 0, 30.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    const Step titleSteps[] = {
        {45, 115, P, 0, 0, 0, Move, -1},         {400, 400, H, 0, 0, 0, No, -1},
        {400, 400, H, 0, 0, 1, Move, -1},        {0, 0, U, 0, kKeyUp, 1, No, -1},
        {0, 0, U, 0, kKeyLeft, 1, Move, -1},     {0, 0, U, 0, kKeyLeft, 0, No, -1},
        {0, 0, U, 0, kKeyRight, 1, Move, -1},    {0, 0, U, 0, kKeyRight, 0, No, -1},
        {0, 0, U, 0, kKeyPageUp, 1, Move, -1},   {0, 0, U, 0, kKeyPageUp, 0, No, -1},
        {0, 0, U, 0, kKeyPageDown, 1, Move, -1}, {0, 0, U, 0, kKeyPageDown, 0, No, -1}};
    runSteps(title, titleSteps);
}
