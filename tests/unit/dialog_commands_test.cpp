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

// Each widget that sets a value, moved to a value: the setting it writes and the message it shows.
TEST_F(Commands, EachWidgetSetsItsSettingAndSaysSo) {
    struct Row {
        int menu, id;
        float value;
        double (*read)();
        double expected;
        const char* message;
    };
#define READ(expr) [] { return static_cast<double>(expr); }
    const Row rows[] = {
        {kStandardMenu, 56, 2.5f, READ(Prefs.rotateSpeed), 2.5, "Rotate Speed: 2.50"},
        {kStandardMenu, 60, 1.5f, READ(Prefs.heightScale), 1.5, "Home: 1.50"},
        {kStandardMenu, 51, 42.75f, READ(Prefs.fovDegrees), 42, "Fov: 42.75"},
        {kStandardMenu, 51, 42.75f, READ(Skater.fieldOfView), 42.75, "Fov: 42.75"},
        {kStandardMenu, 52, -1.25f, READ(Prefs.cameraZ), -1.25, "CameraZ: -1.25"},
        {kStandardMenu, 59, 3.9f, READ(Prefs.letterbox), 3, "Letterbox: 3"},
        {kStandardMenu, 59, 3.9f, READ(Screen.clearPasses), 1, "Letterbox: 3"},
        {kStandardMenu, 58, 2.5f, READ(Prefs.polygonMode), 2, ""},
        {kStandardMenu, 96, 0.0f, READ(Prefs.screenClear), 0, ""},
        {kStandardMenu, 97, 1.0f, READ(Flags.paused), 1, ""},
        {kStandardMenu, 70, 1.0f, READ(Sounds.enabled), 1, ""},
        {kCustomMenu, 73, 2.5f, READ(Prefs.bumpResponse), 2.5, "Bump Response:   2.5"},
        {kCustomMenu, 20, 0.75f, READ(Prefs.damping), 0.75, "Motion Damping/Drag: 0.75"},
        {kCustomMenu, 20, 0.75f, READ(Skater.damping), 0.75, "Motion Damping/Drag: 0.75"},
        {kCustomMenu, 21, 4.5f, READ(Prefs.textureMag), 4.5, "Texture Magnification: 4.50"},
        {kCustomMenu, 71, 1.25f, READ(Prefs.mouseSensitivity), 1.25, "Mouse Sensitivity: 1.25"},
        {kCustomMenu, 72, 0.5f, READ(Prefs.moveSensitivity), 0.5, "Move Sensitivity: 0.50"},
        {kCustomMenu, 10, 0.3f, READ(Prefs.ambient), 0.3, ""},
        {kCustomMenu, 11, 0.4f, READ(Prefs.diffuse), 0.4, ""},
        {kCustomMenu, 12, 0.6f, READ(Prefs.specular), 0.6, ""},
        {kCustomMenu, 13, 0.7f, READ(Prefs.reflective), 0.7, ""},
        {kCustomMenu, 14, 64.0f, READ(Prefs.shininess), 64, ""},
        {kCustomMenu, 41, 2.9f, READ(Prefs.bumpOption), 2, "Option 2/4: Rocks"},
        {kCustomMenu, 40, 5.5f, READ(Prefs.imageIndex), 5, "Image 5/11: MetalGrain"},
        {kCustomMenu, 50, 70.9f, READ(Prefs.tessellation), 70, "Tesselation:: 70"},
        {kCustomMenu, 50, 70.9f, READ(Terrain.columns), 70, "Tesselation:: 70"},
        {kStandardMenu, 55, 1.0f, READ(Prefs.screenClear), 1, "Fade: 1.00"},
        {kStandardMenu, 55, 1.0f, READ(Screen.clearPasses), 1, "Fade: 1.00"},
        {kStandardMenu, 55, 0.5f, READ(Prefs.screenClear), 0, "Fade: 0.50"},
        {kStandardMenu, 55, 0.015f, READ(Prefs.fadeEffect), 0, "Fade: 0.00"},
    };
#undef READ
    for (const Row& row : rows) {
        SetUp();
        Dialogs.buildDialog(row.menu, 1);
        StatusLine.setText("");
        activate(row.id, row.value);
        EXPECT_NEAR(row.read(), row.expected, 1e-6) << row.id;
        EXPECT_EQ(status(), row.message) << row.id;
    }
}

TEST_F(Commands, FogSlidersPushTheOtherEndAndTheMenuShowsIt) {
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
