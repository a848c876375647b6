#include <gtest/gtest.h>

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

    void at(int px, int py, int button) {
        pointer.x = px;
        pointer.y = py;
        pointer.leftButton = button;
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

TEST(SliderItem, QuadraticClickAtMidTrackGivesAQuarterAndKnobReturnsToTheMiddle) {
    SliderItem s;
    initSlider(s, 2.0f, 2.0f, 10.0f, 0, 0);
    Input in;
    in.at(100, 110, kButtonPressed);
    EXPECT_EQ(in.offer(s, 0), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 4.0f);
    EXPECT_FLOAT_EQ(in.out, 4.0f);
    EXPECT_FLOAT_EQ(s.knobOffset(), 70.0f);
    EXPECT_EQ(valueText(s), " 4.00");
}

TEST(SliderItem, BothEdgesCountAsInsideWithTheOriginTruncated) {
    SliderItem s;
    initSlider(s, 0.0f, 0.0f, 1.0f, 0, 1);
    Input in;
    const float ox = 10.9f, oy = 20.9f;  // counts as (10, 20)
    in.at(40, 120, kButtonPressed);
    EXPECT_EQ(s.hitTest(in.pointer, ox, oy), kHitInside);
    EXPECT_EQ(in.offer(s, 0, ox, oy), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 0.0f);
    in.at(180, 144, kButtonPressed);
    EXPECT_EQ(s.hitTest(in.pointer, ox, oy), kHitInside);
    EXPECT_EQ(in.offer(s, 0, ox, oy), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 1.0f);
    in.at(39, 120, kButtonPressed);
    EXPECT_EQ(s.hitTest(in.pointer, ox, oy), kHitVertical);
    EXPECT_EQ(in.offer(s, 0, ox, oy), kInputIgnored);
    in.at(181, 119, kButtonPressed);
    EXPECT_EQ(s.hitTest(in.pointer, ox, oy), 0);
    in.at(100, 145, kButtonPressed);
    EXPECT_EQ(s.hitTest(in.pointer, ox, oy), kHitHorizontal);
}

TEST(SliderItem, OnlyTheFocusedSliderFollowsADragAboveOrBelowIt) {
    SliderItem s;
    initSlider(s, 0.0f, 0.0f, 1.0f, 0, 1);
    Input in;
    in.at(65, 300, kButtonHeld);
    EXPECT_EQ(in.offer(s, 0), kInputIgnored);
    EXPECT_FLOAT_EQ(s.value, 0.0f);
    EXPECT_EQ(in.offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 0.25f);
    in.at(170, -40, kButtonHeld);
    EXPECT_EQ(in.offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(in.out, 1.0f);
    in.at(171, 110, kButtonHeld);  // beyond the right end
    EXPECT_EQ(in.offer(s, 1), kInputIgnored);
    EXPECT_FLOAT_EQ(s.value, 1.0f);
}

TEST(SliderItem, KeySteps) {
    SliderItem s;
    initSlider(s, 0.5f, 0.5f, 2.5f, 0, 0);
    Input in;
    in.keys.specialKey = kKeyLeft;
    EXPECT_EQ(in.offer(s, 0), kInputIgnored);
    EXPECT_EQ(in.offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(in.out, 0.5f);
    in.keys.specialKey = kKeyRight;
    EXPECT_EQ(in.offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 0.52f);
    for (int passing : {kKeyDown, kKeyUp, kKeyF1}) {  // keys that only pass over the slider
        in.keys.specialKey = passing;
        EXPECT_EQ(in.offer(s, 1), kInputIgnored);
    }
}

TEST(SliderItem, IntegerSliderReachesItsHalfStepMaximumButShowsTheInteger) {
    SliderItem s;
    initSlider(s, 0.0f, 0.0f, 11.5f, 1, 1);
    Input in;
    in.at(100, 110, kButtonPressed);
    in.offer(s, 0);
    in.at(170, 110, kButtonHeld);
    EXPECT_EQ(in.offer(s, 1), kInputActivated);
    EXPECT_FLOAT_EQ(s.value, 11.5f);
    EXPECT_EQ(valueText(s), "   11");
    initSlider(s, 11.0f, 0.0f, 11.5f, 1, 1);
    in.at(0, 0, kButtonUp);
    in.keys.specialKey = kKeyRight;
    in.offer(s, 1);
    EXPECT_FLOAT_EQ(s.value, 11.5f);
    in.offer(s, 1);
    EXPECT_FLOAT_EQ(s.value, 11.5f);
    in.keys.specialKey = kKeyLeft;
    in.offer(s, 1);
    EXPECT_FLOAT_EQ(s.value, 10.5f);
    EXPECT_EQ(valueText(s), "   10");
}

TEST(SliderItem, KnobStaysOnTheTrackForASettingBelowTheMinimum) {
    SliderItem s;
    initSlider(s, 0.0f, 0.01f, 1.0f, 0, 0);  // the fade snaps to 0 under its minimum of 0.01
    EXPECT_FLOAT_EQ(s.knobOffset(), 0.0f);
}

TEST(ToggleItem, KeysOnlyWhenFocusedClicksAlways) {
    ToggleItem t;
    t.init("Pause", 97, 70.0f, 100.0f, 30.0f, 30.0f, 1.0f, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(t.state, 1);
    Input in;
    in.keys.key = 13;
    EXPECT_EQ(in.offer(t, 0), kInputIgnored);
    EXPECT_EQ(in.offer(t, 1), kInputActivated);
    EXPECT_EQ(t.state, 0);
    EXPECT_FLOAT_EQ(in.out, 0.0f);
    in.keys.key = 0;
    in.keys.specialKey = kKeyLeft;
    EXPECT_EQ(in.offer(t, 1), kInputActivated);
    in.keys.specialKey = kKeyRight;
    EXPECT_EQ(in.offer(t, 1), kInputActivated);
    EXPECT_EQ(t.state, 0);
    in.keys.specialKey = kKeyUp;
    EXPECT_EQ(in.offer(t, 1), kInputIgnored);
    in.keys.specialKey = 0;
    in.keys.key = 'd';  // the same number as the left arrow, but an ordinary key
    EXPECT_EQ(in.offer(t, 1), kInputIgnored);
    in.keys.key = 0;
    in.at(100, 130, kButtonPressed);
    EXPECT_EQ(in.offer(t, 0), kInputActivated);
    EXPECT_EQ(t.state, 1);
    EXPECT_FLOAT_EQ(in.out, 1.0f);
    in.at(101, 130, kButtonPressed);
    EXPECT_EQ(in.offer(t, 0), kInputIgnored);
}

TEST(ButtonItem, FiresOnlyOnReleaseOverItWhileFocused) {
    ButtonItem b;
    b.init("Save...", 1, 30.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    Input in;
    in.at(45, 115, kButtonPressed);
    EXPECT_EQ(in.offer(b, 0), kInputPressed);
    EXPECT_EQ(b.state, 1);
    in.at(200, 115, kButtonHeld);
    EXPECT_EQ(in.offer(b, 1), kInputIgnored);
    EXPECT_EQ(b.state, 0);
    in.at(200, 115, kButtonReleased);
    EXPECT_EQ(in.offer(b, 1), kInputIgnored);

    in.at(45, 115, kButtonPressed);
    in.offer(b, 0);
    in.at(60, 130, kButtonReleased);
    EXPECT_EQ(in.offer(b, 0), kInputIgnored);
    EXPECT_EQ(in.offer(b, 1), kInputActivated);

    in.at(0, 0, kButtonUp);
    in.keys.key = 13;
    EXPECT_EQ(in.offer(b, 0), kInputIgnored);
    EXPECT_EQ(in.offer(b, 1), kInputActivated);
    in.keys.key = 'a';
    EXPECT_EQ(in.offer(b, 1), kInputIgnored);
}

TEST(BackButtonItem, ArmsOnAnyPressAndFiresOnReleaseOverIt) {
    BackButtonItem b;
    b.init("", 93, 180.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    Input in;
    in.at(5, 5, kButtonPressed);
    EXPECT_EQ(in.offer(b, 0), kInputPressed);
    EXPECT_EQ(b.state, 1);
    in.at(5, 5, kButtonHeld);
    EXPECT_EQ(in.offer(b, 0), kInputIgnored);
    EXPECT_EQ(b.state, 0);
    in.at(190, 110, kButtonHeld);
    in.offer(b, 0);
    EXPECT_EQ(b.state, 1);
    in.at(190, 110, kButtonReleased);
    EXPECT_EQ(in.offer(b, 0), kInputIgnored);
    EXPECT_EQ(in.offer(b, 1), kInputActivated);
}

TEST(TitleBarItem, DragsWhilePressedAndMovesOnKeysWhenFocused) {
    TitleBarItem t;
    t.init("Main Menu", 0, 30.0f, 100.0f, 30.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0, 0);
    Input in;
    in.at(45, 115, kButtonPressed);
    EXPECT_EQ(in.offer(t, 0), kInputMoveDialog);
    in.at(400, 400, kButtonHeld);
    EXPECT_EQ(in.offer(t, 0), kInputIgnored);
    EXPECT_EQ(in.offer(t, 1), kInputMoveDialog);
    in.at(400, 400, kButtonReleased);
    EXPECT_EQ(in.offer(t, 1), kInputMoveDialog);
    EXPECT_EQ(t.state, 0);
    in.at(400, 400, kButtonHeld);
    EXPECT_EQ(in.offer(t, 1), kInputIgnored);
    in.at(0, 0, kButtonUp);
    for (int key : {kKeyLeft, kKeyRight, kKeyPageUp, kKeyPageDown}) {
        in.keys.specialKey = key;
        EXPECT_EQ(in.offer(t, 1), kInputMoveDialog);
        EXPECT_EQ(in.offer(t, 0), kInputIgnored);
    }
    in.keys.specialKey = kKeyUp;
    EXPECT_EQ(in.offer(t, 1), kInputIgnored);
}
