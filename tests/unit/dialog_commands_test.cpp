// What the menu items do, run through the dialog manager's command hook with the program's globals.
#include "ui/dialog_commands.h"

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
        menuActive = 1;
        exitStartTime = 0.0f;
        Screen.clearPasses = 0;
        soundPlayer.enabled = 0;
        dialogManager.prefs = &Prefs;
        dialogManager.screen = &Screen;
        dialogManager.pausedFlag = &paused;
        dialogManager.soundOnFlag = &soundPlayer.enabled;
        dialogManager.infoVisibleFlag = &infoVisible;
        dialogManager.command = executeDialogCommand;
        dialogManager.depth = 0;
        dialogManager.buildDialog(kMainMenu, 1);
    }
    void activate(int id, float value = 0.0f) {
        dialogManager.selectedId = id;
        dialogManager.selectedValue = value;
        executeDialogCommand();
    }
    float sliderValue(int id) const {
        for (int i = 0; i < dialogManager.itemCount; ++i) {
            const DialogItem* item = dialogManager.item(i);
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
    ASSERT_EQ(dialogManager.currentDialog, kCustomMenu);
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
    EXPECT_EQ(terrainSurface.columns, 70);
    EXPECT_EQ(status(), "Tesselation:: 70");

    activate(92);  // Standard Controls...
    ASSERT_EQ(dialogManager.currentDialog, kStandardMenu);
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
    dialogManager.originX = 40.0f;
    dialogManager.originY = -10.0f;
    dialogManager.focusIndex = 5;
    activate(3);
    EXPECT_EQ(dialogManager.focusIndex, 0) << "a new dialog starts with its first widget focused";
    activate(92);
    activate(92);
    EXPECT_EQ(dialogManager.currentDialog, kCustomMenu);
    EXPECT_EQ(dialogManager.depth, 1) << "switching between the control dialogs does not push";
    activate(93);
    EXPECT_EQ(dialogManager.currentDialog, kMainMenu);
    EXPECT_FLOAT_EQ(dialogManager.originX, 40.0f);
    EXPECT_FLOAT_EQ(dialogManager.originY, -10.0f);

    activate(80);
    EXPECT_EQ(infoVisible, 1);

    Clock.now = 12.0f;
    activate(99);
    EXPECT_EQ(menuActive, 0);
    EXPECT_FLOAT_EQ(exitStartTime, 12.0f);
}

TEST_F(Commands, SaveAndLoadKeepTheCameraMode) {
    TempFolder folder(true);
    activate(2);  // Load...
    ASSERT_EQ(dialogManager.currentDialog, kLoadMenu);
    activate(1);
    EXPECT_EQ(status(), "Could NOT Load Prefs");

    Prefs.cameraMode = 0;
    Prefs.fovDegrees = 33;
    activate(93);
    activate(1);  // Save...
    ASSERT_EQ(dialogManager.currentDialog, kSaveMenu);
    activate(1);
    EXPECT_EQ(status(), "Saved Prefs");
    Prefs.cameraMode = 2;
    Prefs.fovDegrees = 90;
    activate(93);
    activate(2);
    activate(1);
    EXPECT_EQ(status(), "Loaded Prefs");
    EXPECT_EQ(Prefs.fovDegrees, 33);
    EXPECT_FLOAT_EQ(rider.fieldOfView, 33.0f);
    EXPECT_EQ(Prefs.cameraMode, 2) << "the camera mode never comes from the file";
}
