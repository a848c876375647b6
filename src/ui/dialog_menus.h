// The five pop-up menus as data: every widget with its kind, label, command id, place and the value it
// shows. DialogManager::buildDialog walks these rows.
#pragma once

#include "settings/prefs.h"
#include "ui/dialog_item.h"

// Run-time flags that toggles show besides the settings record.
enum class MenuFlag { None, Paused, SoundOn, InfoVisible };

// The widgets' command ids, which the activated widget reports.
enum DialogCommandId {
    kSaveMenuCommand = 1,
    kLoadMenuCommand = 2,
    kPrefsFileCommand = 1,  // the one button of the save and the load menu
    kOptionsCommand = 3,
    kAmbientCommand = 10,
    kDiffuseCommand = 11,
    kSpecularCommand = 12,
    kReflectiveCommand = 13,
    kShininessCommand = 14,
    kDampingCommand = 20,
    kTextureMagCommand = 21,
    kFogStartCommand = 22,
    kFogEndCommand = 23,
    kImageCommand = 40,
    kBumpOptionCommand = 41,
    kTessellationCommand = 50,
    kFieldOfViewCommand = 51,
    kCameraZCommand = 52,
    kFadeEffectCommand = 55,
    kRotateSpeedCommand = 56,
    kPolygonModeCommand = 58,
    kLetterboxCommand = 59,
    kHeightScaleCommand = 60,
    kSoundsCommand = 70,
    kMouseSensitivityCommand = 71,
    kMoveSensitivityCommand = 72,
    kBumpResponseCommand = 73,
    kInfoCommand = 80,
    kSwapControlsCommand = 92,
    kBackCommand = 93,
    kScreenClearCommand = 96,
    kPauseCommand = 97,
    kResetCommand = 98,
    kExitCommand = 99,
};

// What activating a widget does. `SetSetting` writes the row's own setting and shows it with the
// row's format; the others are the game's actions, which the controllers carry out.
enum class MenuAction {
    None,
    SetSetting,
    FieldOfView,
    FadeEffect,
    Letterbox,
    ScreenClear,
    Paused,
    SoundOn,
    Info,
    Damping,
    FogDistance,
    TerrainImage,
    BumpOption,
    Tessellation,
    Reset,
    Exit,
    OpenOptions,
    OpenSave,
    OpenLoad,
    SwapControls,
    Back,
    SavePrefs,
    LoadPrefs,
};

// One widget. A row shows at most one value: a setting of the record or a run-time flag.
struct MenuRow {
    int kind = kButtonKind;
    const char* label = "";
    int id = 0;
    int x = 0;
    int below = 0;  // distance of the lower edge under the menu's top line y0
    int PrefsRecord::*intSetting = nullptr;
    float PrefsRecord::*floatSetting = nullptr;
    MenuFlag flag = MenuFlag::None;
    float minValue = 0.0f;
    float maxValue = 0.0f;
    int integerSteps = 0;
    int linear = 0;
    MenuAction action = MenuAction::None;
    const char* format = nullptr;  // the status message of a setting's new value, if any
};

struct Menu {
    const MenuRow* rows;
    int rowCount;
    int textSize;
    int wobble;  // the main menu's text wobbles and is alpha-tested
};

enum MenuNumber {
    kStandardMenu = 0,
    kCustomMenu = 1,
    kMainMenu = 2,
    kSaveMenu = 3,
    kLoadMenu = 4,
    kMenuCount = 5,
};

// Widget sizes: sliders are wider and flatter than every other kind.
constexpr int kSliderWidth = 140;
constexpr int kSliderHeight = 24;
constexpr int kSquareSize = 30;

// nullptr for numbers outside 0..4.
const Menu* findMenu(int number);
// The row of menu `number` with this command id; nullptr when there is none.
const MenuRow* findMenuRow(int number, int id);
