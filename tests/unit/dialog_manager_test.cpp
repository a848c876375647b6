#include "ui/dialog_manager.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/screen_view.h"
#include "settings/prefs.h"
#include "ui/dialog_menus.h"
#include "ui/font_text.h"
#include "ui/slider_item.h"

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
};
}  // namespace

TEST(DialogManager, MenusAreLaidOutFromTheWindowHeightAndShowTheirSettings) {
    Wired w;  // the Main Menu's places are checked by running it
    EXPECT_EQ(w.manager.item(4)->state, 1) << "the Info toggle shows infoVisible";
    EXPECT_EQ(w.text.wobbleOn, 1);
    w.prefs.fovDegrees = 120;
    w.prefs.screenClear = 0;
    w.build(kStandardMenu);
    EXPECT_EQ(w.text.wobbleOn, 0) << "only the Main Menu wobbles";
    EXPECT_EQ(w.manager.itemCount, 15);
    EXPECT_STREQ(w.manager.item(5)->label, "Magnification/FOV");
    EXPECT_FLOAT_EQ(w.sliderValue(5), 120.0f);
    EXPECT_FLOAT_EQ(w.manager.item(5)->y, 420.0f - 82.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.manager.item(10 + i)->state, i == 1) << i;  // Clear, Pause, Sounds
}

// Every widget in its described order: id, x, distance below the top line y0 and, for a slider,
// minimum, maximum, whole steps and linear track.
TEST(DialogManager, EveryWidgetHasItsDescribedPlaceAndRange) {
    const char* const layouts[kMenuCount] = {
        "0 30 0|93 180 0|92 250 0|56 30 29 0 20 0 0|60 30 53 0 2 0 0|51 30 82 5 178 1 1|52 30 106 -3 3 0 1|"
        "55 30 135 0.01 1 0 0|59 30 159 0 6.8 1 1|58 30 183 0 2.9 1 1|96 70 212|97 70 247|70 70 282|98 70 "
        "327|"
        "99 70 367",
        "0 30 0|93 180 0|92 250 0|40 30 29 0 11.5 1 1|41 30 53 0 4.5 1 1|73 30 77 0 3 0 1|50 30 101 31 99.9 "
        "1 1|"
        "20 30 135 0 3 0 0|21 30 159 0 10 0 0|22 30 183 0 6 0 0|23 30 207 0 6 0 0|71 30 241 0 2 0 1|"
        "72 30 265 0 2 0 1|10 30 299 0 1 0 1|11 30 323 0 1 0 1|12 30 347 0 1 0 1|13 30 371 0 1 0 1|"
        "14 30 395 0 128 1 0",
        "0 30 0|3 30 55|1 30 95|2 30 135|80 30 185|99 30 240",
        "0 30 0|93 250 0|1 30 75",
        "0 30 0|93 250 0|1 30 75",
    };
    Wired w;
    for (int menu = 0; menu < kMenuCount; ++menu) {
        w.build(menu);
        std::istringstream rows(layouts[menu]);
        int slot = 0;
        for (std::string row; std::getline(rows, row, '|'); ++slot) {
            std::istringstream in(row);
            float id, x, below, min = 0, max = 0, steps = 0, linear = 0;
            in >> id >> x >> below;
            const bool slider = static_cast<bool>(in >> min >> max >> steps >> linear);
            const DialogItem* item = w.manager.item(slot);
            ASSERT_NE(item, nullptr) << menu << " " << row;
            EXPECT_EQ(
                (std::vector<float>{static_cast<float>(item->id), item->x, item->y, item->w, item->h}),
                (std::vector<float>{id, x, 420 - below, slider ? 140.0f : 30.0f, slider ? 24.0f : 30.0f}))
                << menu << ": " << row;
            if (!slider) continue;
            const auto* s = static_cast<const SliderItem*>(item);
            EXPECT_EQ((std::vector<float>{s->minValue, s->maxValue, static_cast<float>(s->integerSteps),
                                          static_cast<float>(s->linear)}),
                      (std::vector<float>{min, max, steps, linear}))
                << menu << ": " << row;
        }
        EXPECT_EQ(w.manager.itemCount, slot) << menu;
    }
}

TEST(DialogManager, RebuildWithoutResetOnlyRefreshesValues) {
    Wired w;
    w.build(kCustomMenu);
    DialogItem* before[18];
    for (int i = 0; i < 18; ++i) before[i] = w.manager.item(i);
    w.manager.focusIndex = 7;
    w.manager.originX = 12.0f;
    w.manager.originY = -4.0f;
    w.prefs.fogEnd = 5.5f;
    EXPECT_EQ(w.build(w.manager.currentDialog, 0), "");
    for (int i = 0; i < 18; ++i) EXPECT_EQ(w.manager.item(i), before[i]);
    EXPECT_EQ(std::make_tuple(w.manager.focusIndex, w.manager.originX, w.manager.originY),
              std::make_tuple(7, 12.0f, -4.0f));
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
    for (int id = 100; m.itemCount < DialogManager::kMaxItems; ++id) {
        const int slot = m.addItem(kToggleKind, "T", id, 0, 0, 30, 30, 0, 0, 0, 0, 0);
        ASSERT_EQ(slot, m.itemCount - 1);
    }
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
    for (int i = 0; i < DialogManager::kStackSize; ++i) {
        EXPECT_EQ(output([](DialogManager& m) { m.pushDialog(); }), "");
    }
    EXPECT_EQ(output([](DialogManager& m) { m.openDialog(kCustomMenu, 1); }),
              "** Attempt to push dialog beyond limits");
    EXPECT_EQ(w.manager.currentDialog, kCustomMenu) << "the dialog still opens";
    EXPECT_EQ(w.manager.depth, 19);
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
