// The five pop-up menus as data: every widget with its kind, label, command id, place and the value it
// shows. DialogManager::buildDialog walks these rows.
#pragma once

#include "settings/prefs.h"
#include "ui/dialog_item.h"

// Run-time flags that toggles show besides the settings record.
enum class MenuFlag { None, Paused, SoundOn, InfoVisible };

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
