// What the menu items do, run through the dialog manager's command hook with the program's globals.
#include "app/dialog_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "app/globals.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "ui/dialog_menus.h"
#include "ui/slider_item.h"

namespace {
class Commands : public ::testing::Test {
  protected:
    void SetUp() override {
        Prefs.setDefaults();
        Prefs.cameraMode = 1;
        Flags.menuActive = 1;
        Flags.exitStartTime = 0.0f;
        Screen.clearPasses = 0;
        Sounds.enabled = 0;
        Dialogs.prefs = &Prefs;
        Dialogs.screen = &Screen;
        Dialogs.pausedFlag = &Flags.paused;
        Dialogs.soundOnFlag = &Sounds.enabled;
        Dialogs.infoVisibleFlag = &Flags.infoVisible;
        Dialogs.command = executeDialogCommand;
        Dialogs.depth = 0;
        Dialogs.buildDialog(kMainMenu, 1);
    }
    void activate(int id, float value = 0.0f) {
        Dialogs.selectedId = id;
        Dialogs.selectedValue = value;
        executeDialogCommand();
    }
    float sliderValue(int id) const {
        for (int i = 0; i < Dialogs.itemCount; ++i) {
            const DialogItem* item = Dialogs.item(i);
            if (item->id == id) return static_cast<const SliderItem*>(item)->value;
        }
        return -1.0f;
    }
    std::string status() const { return StatusLine.text; }
    FakePlatform fake;
};
}  // namespace

TEST_F(Commands, FogFadeAndImageSliders) {
    activate(3);  // Options...
    ASSERT_EQ(Dialogs.currentDialog, kCustomMenu);
    Prefs.fogEnd = 4.0f;
    activate(22, 5.0f);
    EXPECT_FLOAT_EQ(Prefs.fogEnd, 5.01f);
    EXPECT_EQ(Prefs.depthCueFog, 1);
    EXPECT_EQ(status(), "Fog Start Distance: 5.00");
    EXPECT_FLOAT_EQ(sliderValue(23), 5.01f) << "the menu was refreshed to show the moved end";
    activate(23, 1.0f);
    EXPECT_FLOAT_EQ(Prefs.fogStart, 0.99f);

    activate(40, 11.5f);
    EXPECT_EQ(Prefs.imageIndex, 11);
    EXPECT_EQ(status(), "Image 11/11: CheckerBoard");
    activate(50, 70.9f);
    EXPECT_EQ(Prefs.tessellation, 70);
    EXPECT_EQ(Terrain.columns, 70);
    EXPECT_EQ(status(), "Tesselation:: 70");

    activate(92);  // Standard Controls...
    ASSERT_EQ(Dialogs.currentDialog, kStandardMenu);
    activate(55, 1.0f);
    EXPECT_EQ(Prefs.fadeEffect, 1.0f);
    EXPECT_EQ(Prefs.screenClear, 1);
    EXPECT_EQ(Screen.clearPasses, 1);
    activate(55, 0.5f);
    EXPECT_EQ(Prefs.screenClear, 0);
    activate(55, 0.015f);
    EXPECT_EQ(Prefs.fadeEffect, 0.0f);
    EXPECT_EQ(status(), "Fade: 0.00");
}

TEST_F(Commands, NavigationKeepsTheStackAndOrigin) {
    Dialogs.originX = 40.0f;
    Dialogs.originY = -10.0f;
    Dialogs.focusIndex = 5;
    activate(3);
    EXPECT_EQ(Dialogs.focusIndex, 0) << "a new dialog starts with its first widget focused";
    activate(92);
    activate(92);
    EXPECT_EQ(Dialogs.currentDialog, kCustomMenu);
    EXPECT_EQ(Dialogs.depth, 1) << "switching between the control dialogs does not push";
    activate(93);
    EXPECT_EQ(Dialogs.currentDialog, kMainMenu);
    EXPECT_FLOAT_EQ(Dialogs.originX, 40.0f);
    EXPECT_FLOAT_EQ(Dialogs.originY, -10.0f);

    activate(80);
    EXPECT_EQ(Flags.infoVisible, 1);

    Clock.now = 12.0f;
    activate(99);
    EXPECT_EQ(Flags.menuActive, 0);
    EXPECT_FLOAT_EQ(Flags.exitStartTime, 12.0f);
}

TEST_F(Commands, SaveAndLoadKeepTheCameraMode) {
    TempFolder folder(true);
    activate(2);  // Load...
    ASSERT_EQ(Dialogs.currentDialog, kLoadMenu);
    activate(1);
    EXPECT_EQ(status(), "Could NOT Load Prefs");

    Prefs.cameraMode = 0;
    Prefs.fovDegrees = 33;
    activate(93);
    activate(1);  // Save...
    ASSERT_EQ(Dialogs.currentDialog, kSaveMenu);
    activate(1);
    EXPECT_EQ(status(), "Saved Prefs");
    Prefs.cameraMode = 2;
    Prefs.fovDegrees = 90;
    activate(93);
    activate(2);
    activate(1);
    EXPECT_EQ(status(), "Loaded Prefs");
    EXPECT_EQ(Prefs.fovDegrees, 33);
    EXPECT_FLOAT_EQ(Skater.fieldOfView, 33.0f);
    EXPECT_EQ(Prefs.cameraMode, 2) << "the camera mode never comes from the file";
}
