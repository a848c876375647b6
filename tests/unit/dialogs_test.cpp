// The menu widgets, and the dialog manager's menus, stack and console lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/globals.h"  // the widgets, the manager and what it shows
#include "ui/back_button_item.h"
#include "ui/button_item.h"
#include "ui/dialog_menus.h"
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

namespace {
struct Wired {
    PrefsRecord prefs;
    ScreenView screen;
    FontText text;
    int paused = 1, soundOn = 0, infoVisible = 1;
    DialogManager manager;

    Wired() {
        prefs.setDefaults();
        screen.height = 600;  // y0 = 420
        manager.prefs = &prefs;
        manager.screen = &screen;
        manager.text = &text;
        manager.pausedFlag = &paused;
        manager.soundOnFlag = &soundOn;
        manager.infoVisibleFlag = &infoVisible;
        build(kMainMenu);
    }
    std::string build(int menu, int resetItems = 1) {
        testing::internal::CaptureStdout();
        manager.buildDialog(menu, resetItems);
        return testing::internal::GetCapturedStdout();
    }
    float sliderValue(int slot) const { return static_cast<SliderItem*>(manager.item(slot))->value; }
    // Each widget as "id x distance-below-y0", a slider with "min max whole-steps linear"; sliders are
    // 140 x 24, the rest 30 x 30.
    std::string layout() const {
        std::ostringstream out;
        for (int slot = 0; slot < manager.itemCount; ++slot) {
            const DialogItem* item = manager.item(slot);
            const auto* s = dynamic_cast<const SliderItem*>(item);
            out << (slot ? "|" : "") << item->id << ' ' << item->x << ' ' << 420 - item->y;
            if (s)
                out << ' ' << s->minValue << ' ' << s->maxValue << ' ' << s->integerSteps << ' ' << s->linear;
            if (item->w != (s ? 140 : 30) || item->h != (s ? 24 : 30))
                out << " is " << item->w << "x" << item->h;
        }
        return out.str();
    }
};
}  // namespace

TEST(DialogManager, EveryMenuHasItsDescribedWidgetsAndShowsItsSettings) {
    const char* const layouts[kMenuCount] = {
        "0 30 0|93 180 0|92 250 0|56 30 29 0 20 0 0|60 30 53 0 2 0 0|51 30 82 5 178 1 1|52 30 106 -3 3 0 1|"
        "55 30 135 0.01 1 0 0|59 30 159 0 6.8 1 1|58 30 183 0 2.9 1 1|96 70 212|97 70 247|70 70 282|"
        "98 70 327|99 70 367",
        "0 30 0|93 180 0|92 250 0|40 30 29 0 11.5 1 1|41 30 53 0 4.5 1 1|73 30 77 0 3 0 1|"
        "50 30 101 31 99.9 1 1|20 30 135 0 3 0 0|21 30 159 0 10 0 0|22 30 183 0 6 0 0|23 30 207 0 6 0 0|"
        "71 30 241 0 2 0 1|72 30 265 0 2 0 1|10 30 299 0 1 0 1|11 30 323 0 1 0 1|12 30 347 0 1 0 1|"
        "13 30 371 0 1 0 1|14 30 395 0 128 1 0",
        "0 30 0|3 30 55|1 30 95|2 30 135|80 30 185|99 30 240",
        "0 30 0|93 250 0|1 30 75",
        "0 30 0|93 250 0|1 30 75",
    };
    Wired w;
    EXPECT_EQ(w.manager.item(4)->state, 1) << "the Info toggle shows infoVisible";
    EXPECT_EQ(w.text.wobbleOn, 1);
    for (int menu = 0; menu < kMenuCount; ++menu) {
        w.build(menu);
        EXPECT_EQ(w.layout(), layouts[menu]) << menu;
    }
    w.prefs.fovDegrees = 120;
    w.prefs.screenClear = 0;
    w.build(kStandardMenu);
    EXPECT_EQ(w.text.wobbleOn, 0) << "only the Main Menu wobbles";
    EXPECT_STREQ(w.manager.item(5)->label, "Magnification/FOV");
    EXPECT_FLOAT_EQ(w.sliderValue(5), 120.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.manager.item(10 + i)->state, i == 1) << i;  // Clear, Pause, Sounds

    // A rebuild without reset only refreshes the values.
    w.build(kCustomMenu);
    DialogItem* before = w.manager.item(17);
    w.manager.focusIndex = 7;
    w.manager.originX = 12.0f;
    w.manager.originY = -4.0f;
    w.prefs.fogEnd = 5.5f;
    EXPECT_EQ(w.build(w.manager.currentDialog, 0), "");
    EXPECT_EQ(std::make_tuple(w.manager.item(17), w.manager.itemCount, w.manager.focusIndex,
                              w.manager.originX, w.manager.originY),
              std::make_tuple(before, 18, 7, 12.0f, -4.0f));
    EXPECT_FLOAT_EQ(w.sliderValue(10), 5.5f);
}

TEST(DialogManager, AddItemRefreshesByIdAndStopsAtFifty) {
    DialogManager m;
    EXPECT_EQ(m.addItem(kButtonKind, "A", 5, 0, 0, 30, 30, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(m.addItem(kSliderKind, "B", 6, 0, 0, 140, 24, 1, 0, 2, 0, 1), 1);
    DialogItem* slider = m.item(1);
    EXPECT_EQ(m.addItem(kSliderKind, "B2", 6, 10, 10, 140, 24, 1.5f, 0, 2, 0, 1), 1);
    EXPECT_EQ(m.item(1), slider);
    EXPECT_STREQ(slider->label, "B2");
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(slider)->value, 1.5f);
    EXPECT_EQ(m.addItem(7, "bad kind", 7, 0, 0, 30, 30, 0, 0, 0, 0, 0), -1);
    for (int id = 100, slot = 2; m.itemCount < DialogManager::kMaxItems; ++id, ++slot)
        ASSERT_EQ(m.addItem(kToggleKind, "T", id, 0, 0, 30, 30, 0, 0, 0, 0, 0), slot);
    EXPECT_EQ(m.addItem(kToggleKind, "T", 999, 0, 0, 30, 30, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(m.itemCount, 50);
    m.reset();
    EXPECT_EQ(m.item(0), nullptr);
}

TEST(DialogManager, StackLimitsAndConsoleLines) {
    Wired w;
    const auto output = [&w](void (*action)(DialogManager&)) {
        testing::internal::CaptureStdout();
        action(w.manager);
        return testing::internal::GetCapturedStdout();
    };
    for (int i = 0; i < DialogManager::kStackSize; ++i)
        EXPECT_EQ(output([](DialogManager& m) { m.pushDialog(); }), "");
    EXPECT_EQ(output([](DialogManager& m) { m.openDialog(kCustomMenu, 1); }),
              "** Attempt to push dialog beyond limits");
    EXPECT_EQ(std::make_pair(w.manager.currentDialog, w.manager.depth), std::make_pair(int{kCustomMenu}, 19))
        << "the dialog still opens";
    w.manager.depth = 0;
    w.build(kSaveMenu);
    EXPECT_EQ(output([](DialogManager& m) { m.popDialog(); }), "** Attempt to pop no dialog");
    EXPECT_EQ(w.manager.currentDialog, kSaveMenu);

    DialogManager unwired;  // "Dialog Init..." once; no screen, settings or flags: all read as 0
    testing::internal::CaptureStdout();
    unwired.buildDialog(unwired.currentDialog, 0);
    unwired.buildDialog(kCustomMenu, 1);
    unwired.buildDialog(kCustomMenu, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Dialog Init...\n");
    EXPECT_EQ(unwired.itemCount, 18);
    EXPECT_FLOAT_EQ(unwired.item(3)->y, -29.0f);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(unwired.item(6))->value, 0.0f);
    unwired.buildDialog(-1, 1);
    EXPECT_EQ(unwired.itemCount, 0);
}
