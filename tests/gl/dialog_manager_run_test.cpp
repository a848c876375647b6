#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "settings/prefs.h"
#include "support/gl_context.h"
#include "support/gl_helpers.h"
#include "support/text_canvas.h"
#include "ui/dialog_manager.h"
#include "ui/dialog_menus.h"

namespace {
constexpr int kY0 = 280;  // 0.7 of the window's 400

struct CommandLog {
    int calls = 0, id = -1, dialog = -1;
    float value = 0.0f;
};
CommandLog commandLog;
const DialogManager* commandSource = nullptr;

void recordCommand() {
    commandLog = {commandLog.calls + 1, commandSource->selectedId, commandSource->currentDialog,
                  commandSource->selectedValue};
}

struct DialogScene {
    GlContext gl{400, 400};
    TextCanvas canvas{gl};
    PrefsRecord prefs;
    KeyboardState keys;
    PointerState pointer;
    FontText dialogText;
    DialogManager manager;

    DialogScene() {
        prefs.setDefaults();
        dialogText.alphaRef = 0.05f;
        dialogText.blendOn = 0;
        DialogItem::dialogText = &dialogText;
        DialogItem::skinTexture = -1;
        manager.prefs = &prefs;
        manager.screen = &canvas.screen;
        manager.text = &dialogText;
        manager.pointer = &pointer;
        manager.keys = &keys;
        manager.command = recordCommand;
        commandSource = &manager;
        commandLog = CommandLog();
        testing::internal::CaptureStdout();
        manager.buildDialog(kMainMenu, 1);
        testing::internal::GetCapturedStdout();
    }
    ~DialogScene() { DialogItem::dialogText = nullptr; }

    // One frame with the pointer there: the manager's run, then the input ageing of the frame loop.
    void frame(int px = 0, int py = 0, int button = kButtonUp) {
        pointer.x = px;
        pointer.y = py;
        pointer.leftButton = button;
        manager.run();
        keys.key = 0;
        keys.specialKey = 0;
        pointer.ageButtons();
    }
    void drag(int fromX, int fromY, int toX, int toY) {
        frame(fromX, fromY, kButtonPressed);
        frame(toX, toY, kButtonHeld);
        frame(toX, toY, kButtonReleased);
    }
};
}  // namespace

TEST(DialogManagerRun, FocusWrapsAndAPressFocusesAndSetsASliderInOneFrame) {
    DialogScene s;
    ASSERT_TRUE(s.gl.ok());
    // Up, Up, Tab, Tab, Down
    const int keys[][2] = {{0, kKeyUp}, {0, kKeyUp}, {9, 0}, {9, 0}, {0, kKeyDown}},
              focus[] = {5, 4, 5, 0, 1};
    for (int k = 0; k < 5; ++k) {
        s.keys.key = keys[k][0];
        s.keys.specialKey = keys[k][1];
        s.frame();
        EXPECT_EQ(s.manager.focusIndex, focus[k]) << k;
    }
    EXPECT_EQ(commandLog.calls, 0);
    s.manager.buildDialog(-1, 1);  // no such menu: no widgets, and the focus keys change nothing
    s.keys.specialKey = kKeyUp;
    s.frame();
    EXPECT_EQ(s.manager.focusIndex, 0);

    s.manager.buildDialog(kCustomMenu, 1);
    s.frame(100, kY0 - 29 + 12, kButtonPressed);  // mid-track of "Image/Texture Options"
    EXPECT_EQ(s.manager.focusIndex, 3);
    EXPECT_EQ(commandLog.calls, 1);
    EXPECT_EQ(commandLog.id, 40);
    EXPECT_FLOAT_EQ(commandLog.value, 5.75f);
    EXPECT_EQ(commandLog.dialog, kCustomMenu);
    s.frame(170, kY0 + 200, kButtonHeld);  // dragged far above: the focused slider follows
    EXPECT_EQ(commandLog.calls, 2);
    EXPECT_FLOAT_EQ(commandLog.value, 11.5f);
}

TEST(DialogManagerRun, TitleBarDragMovesTheDialogAndKeysNudgeIt) {
    DialogScene s;
    ASSERT_TRUE(s.gl.ok());
    s.drag(45, kY0 + 15, 62, kY0 + 6);
    EXPECT_FLOAT_EQ(s.manager.originX, 17.0f);
    EXPECT_FLOAT_EQ(s.manager.originY, -9.0f);
    PointerState onQuit;
    onQuit.x = 30 + 17;
    onQuit.y = kY0 - 240 - 9;
    EXPECT_EQ(s.manager.item(5)->hitTest(onQuit, s.manager.originX, s.manager.originY), kHitInside);
    EXPECT_EQ(s.manager.focusIndex, 0);
    for (int key : {kKeyRight, kKeyPageDown}) {
        s.keys.specialKey = key;
        s.frame();
    }
    EXPECT_FLOAT_EQ(s.manager.originX, 19.0f);
    EXPECT_FLOAT_EQ(s.manager.originY, -11.0f);
    EXPECT_EQ(commandLog.calls, 0);

    // A new drag starts from where the last one came to rest, and survives a change of dialog.
    s.drag(50, kY0 + 6, 60, kY0 + 6);
    EXPECT_FLOAT_EQ(s.manager.originX, 27.0f);
    EXPECT_FLOAT_EQ(s.manager.originY, -9.0f);
    s.manager.buildDialog(kSaveMenu, 1);
    s.frame(35, kY0 + 5, kButtonPressed);
    s.frame(36, kY0 + 5, kButtonHeld);
    EXPECT_FLOAT_EQ(s.manager.originX, 28.0f);
}
