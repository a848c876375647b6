#include "ui/dialog_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "base/screen_view.h"
#include "settings/prefs.h"
#include "ui/button_item.h"
#include "ui/dialog_menus.h"
#include "ui/font_text.h"
#include "ui/slider_item.h"
#include "ui/title_bar_item.h"
#include "ui/toggle_item.h"

namespace {
struct Wired {
    PrefsRecord prefs;
    ScreenView screen;
    FontText text;
    int paused = 0, soundOn = 1, infoVisible = 0;
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
        testing::internal::CaptureStdout();
        manager.buildDialog(kMainMenu, 1);
        testing::internal::GetCapturedStdout();
    }
};

std::string captured(void (*action)(DialogManager&), DialogManager& manager) {
    testing::internal::CaptureStdout();
    action(manager);
    return testing::internal::GetCapturedStdout();
}
}  // namespace

TEST(DialogManager, MainMenuRowsAndEveryMenuCount) {
    Wired w;
    w.infoVisible = 1;
    w.manager.buildDialog(kMainMenu, 1);
    struct Expected {
        const std::type_info& kind;
        const char* label;
        int id;
        int y;
    };
    const Expected rows[] = {
        {typeid(TitleBarItem), "Main Menu", 0, 420}, {typeid(ButtonItem), "Options...", 3, 365},
        {typeid(ButtonItem), "Save...", 1, 325},     {typeid(ButtonItem), "Load...", 2, 285},
        {typeid(ToggleItem), "Info", 80, 235},       {typeid(ButtonItem), "Quit", 99, 180},
    };
    ASSERT_EQ(w.manager.itemCount, 6);
    for (int i = 0; i < 6; ++i) {
        const DialogItem& item = *w.manager.item(i);
        EXPECT_EQ(typeid(item), rows[i].kind) << i;
        EXPECT_STREQ(item.label, rows[i].label);
        EXPECT_EQ(item.id, rows[i].id);
        EXPECT_FLOAT_EQ(item.x, 30.0f);
        EXPECT_FLOAT_EQ(item.y, static_cast<float>(rows[i].y));
        EXPECT_FLOAT_EQ(item.right, 60.0f);
        EXPECT_FLOAT_EQ(item.bottom, static_cast<float>(rows[i].y + 30));
    }
    EXPECT_EQ(w.manager.item(4)->state, 1);  // the Info toggle shows infoVisible
    EXPECT_EQ(DialogItem::textSize, 20);
    EXPECT_EQ(w.text.wobbleOn, 1);
    EXPECT_EQ(w.text.alphaTestOn, 1);

    const int counts[kMenuCount] = {15, 18, 6, 3, 3};
    const int textSizes[kMenuCount] = {10, 10, 20, 20, 20};
    for (int number = 0; number < kMenuCount; ++number) {
        w.manager.buildDialog(number, 1);
        EXPECT_EQ(w.manager.currentDialog, number);
        EXPECT_EQ(w.manager.itemCount, counts[number]) << number;
        EXPECT_EQ(DialogItem::textSize, textSizes[number]);
        EXPECT_EQ(w.text.wobbleOn, number == kMainMenu ? 1 : 0);
    }
}

TEST(DialogManager, StandardMenuBindsSettingsAndFlags) {
    Wired w;
    w.prefs.fovDegrees = 120;
    w.prefs.screenClear = 0;
    w.paused = 1;
    w.soundOn = 0;
    w.manager.buildDialog(kStandardMenu, 1);
    const auto* fov = dynamic_cast<SliderItem*>(w.manager.item(5));
    ASSERT_NE(fov, nullptr);
    EXPECT_STREQ(fov->label, "Magnification/FOV");
    EXPECT_FLOAT_EQ(fov->value, 120.0f);
    EXPECT_FLOAT_EQ(fov->y, 420.0f - 82.0f);
    EXPECT_FLOAT_EQ(fov->right - fov->x, 140.0f);
    EXPECT_FLOAT_EQ(fov->bottom - fov->y, 24.0f);
    const int toggleStates[3] = {0, 1, 0};  // Screen Clear, Pause, Sounds
    for (int i = 0; i < 3; ++i) {
        const auto* toggle = dynamic_cast<ToggleItem*>(w.manager.item(10 + i));
        ASSERT_NE(toggle, nullptr);
        EXPECT_EQ(toggle->state, toggleStates[i]);
        EXPECT_FLOAT_EQ(toggle->x, 70.0f);
    }
}

TEST(DialogManager, RebuildWithoutResetOnlyRefreshesValues) {
    Wired w;
    w.manager.buildDialog(kCustomMenu, 1);
    DialogItem* before[18];
    for (int i = 0; i < 18; ++i) before[i] = w.manager.item(i);
    w.manager.focusIndex = 7;
    w.manager.originX = 12.0f;
    w.manager.originY = -4.0f;
    w.prefs.fogEnd = 5.5f;
    w.manager.buildDialog(w.manager.currentDialog, 0);
    EXPECT_EQ(w.manager.itemCount, 18);
    for (int i = 0; i < 18; ++i) EXPECT_EQ(w.manager.item(i), before[i]);
    EXPECT_EQ(w.manager.focusIndex, 7);
    EXPECT_FLOAT_EQ(w.manager.originX, 12.0f);
    EXPECT_FLOAT_EQ(w.manager.originY, -4.0f);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(w.manager.item(10))->value, 5.5f);
}

TEST(DialogManager, AddItemRefreshesByIdAndStopsAtFifty) {
    DialogManager m;
    EXPECT_EQ(m.addItem(kButtonKind, "A", 5, 0, 0, 30, 30, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(m.addItem(kSliderKind, "B", 6, 0, 0, 140, 24, 1, 0, 2, 0, 1), 1);
    DialogItem* slider = m.item(1);
    EXPECT_EQ(m.addItem(kSliderKind, "B2", 6, 10, 10, 140, 24, 1.5f, 0, 2, 0, 1), 1);
    EXPECT_EQ(m.item(1), slider);
    EXPECT_STREQ(slider->label, "B2");
    EXPECT_FLOAT_EQ(slider->right, 150.0f);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(slider)->value, 1.5f);
    EXPECT_EQ(m.addItem(7, "bad kind", 7, 0, 0, 30, 30, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(m.itemCount, 2);
    for (int id = 100; m.itemCount < DialogManager::kMaxItems; ++id) {
        const int slot = m.addItem(kToggleKind, "T", id, 0, 0, 30, 30, 0, 0, 0, 0, 0);
        ASSERT_EQ(slot, m.itemCount - 1);
    }
    EXPECT_EQ(m.addItem(kToggleKind, "T", 999, 0, 0, 30, 30, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(m.itemCount, 50);
    m.reset();
    EXPECT_EQ(m.itemCount, 0);
    EXPECT_EQ(m.item(0), nullptr);
}

TEST(DialogManager, StackLimitsAndConsoleLines) {
    Wired w;
    for (int i = 0; i < DialogManager::kStackSize; ++i) {
        EXPECT_EQ(captured([](DialogManager& m) { m.pushDialog(); }, w.manager), "");
    }
    EXPECT_EQ(captured([](DialogManager& m) { m.pushDialog(); }, w.manager),
              "** Attempt to push dialog beyond limits");
    EXPECT_EQ(w.manager.depth, 19);
    w.manager.depth = 0;
    w.manager.buildDialog(kSaveMenu, 1);
    EXPECT_EQ(captured([](DialogManager& m) { m.popDialog(); }, w.manager), "** Attempt to pop no dialog");
    EXPECT_EQ(w.manager.currentDialog, kSaveMenu);
    EXPECT_EQ(w.manager.itemCount, 3);

    DialogManager fresh;
    EXPECT_EQ(captured([](DialogManager& m) { m.buildDialog(kMainMenu, 1); }, fresh), "Dialog Init...\n");
    EXPECT_EQ(captured([](DialogManager& m) { m.buildDialog(kMainMenu, 0); }, fresh), "");
}

TEST(DialogManager, OpenKeepsTheOriginAndPopReturnsToTheMainMenu) {
    Wired w;
    w.manager.originX = 40.0f;
    w.manager.originY = -20.0f;
    w.manager.focusIndex = 3;
    w.manager.openDialog(kCustomMenu, 1);
    EXPECT_EQ(w.manager.currentDialog, kCustomMenu);
    EXPECT_EQ(w.manager.depth, 1);
    EXPECT_EQ(w.manager.focusIndex, 0);
    EXPECT_FLOAT_EQ(w.manager.originX, 40.0f);
    EXPECT_FLOAT_EQ(w.manager.originY, -20.0f);
    w.manager.openDialog(kStandardMenu, 0);
    EXPECT_EQ(w.manager.depth, 1);
    EXPECT_EQ(w.manager.itemCount, 15);
    w.manager.popDialog();
    EXPECT_EQ(w.manager.currentDialog, kMainMenu);
    EXPECT_EQ(w.manager.depth, 0);
    EXPECT_EQ(w.manager.itemCount, 6);
}

TEST(DialogManager, UnwiredAndUnbuiltAreHarmless) {
    DialogManager m;
    testing::internal::CaptureStdout();
    m.buildDialog(m.currentDialog, 0);
    m.buildDialog(kCustomMenu, 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(m.itemCount, 18);
    EXPECT_FLOAT_EQ(m.item(3)->y, -29.0f);  // no screen: y0 = 0
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(m.item(6))->value, 0.0f);
    m.buildDialog(-1, 1);
    EXPECT_EQ(m.itemCount, 0);
    EXPECT_EQ(m.currentDialog, -1);
}
