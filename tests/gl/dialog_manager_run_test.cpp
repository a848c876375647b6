#include <GL/gl.h>
#include <gtest/gtest.h>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "settings/prefs.h"
#include "support/gl_context.h"
#include "support/text_canvas.h"
#include "ui/dialog_manager.h"
#include "ui/dialog_menus.h"
#include "ui/slider_item.h"

namespace {
constexpr int kSize = 400;
constexpr int kY0 = 280;  // 400 x 0.7

struct CommandLog {
    int calls = 0;
    int id = -1;
    float value = 0.0f;
    int dialog = -1;
};
CommandLog commandLog;
const DialogManager* commandSource = nullptr;

void recordCommand() {
    ++commandLog.calls;
    commandLog.id = commandSource->selectedId;
    commandLog.value = commandSource->selectedValue;
    commandLog.dialog = commandSource->currentDialog;
}

// A 4 x 4 skin atlas with one texel per cell: red tells the column, green the row.
GLuint makeSkin() {
    unsigned char texels[4][4][4];
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            texels[row][column][0] = static_cast<unsigned char>(column * 60 + 20);
            texels[row][column][1] = static_cast<unsigned char>(row * 60 + 20);
            texels[row][column][2] = 255;
            texels[row][column][3] = 255;
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

struct DialogScene {
    GlContext gl{kSize, kSize};
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

    // One frame: the manager's run, then the input ageing of the frame loop.
    void frame() {
        manager.run();
        keys.key = 0;
        keys.specialKey = 0;
        pointer.ageButtons();
    }
    void pointerAt(int px, int py, int button) {
        pointer.x = px;
        pointer.y = py;
        pointer.leftButton = button;
    }
};

void expectNear(const GlContext::Pixel& p, int r, int g, int b) {
    EXPECT_NEAR(p.r, r, 2);
    EXPECT_NEAR(p.g, g, 2);
    EXPECT_NEAR(p.b, b, 2);
}
}  // namespace

TEST(DialogManagerRun, FocusWrapsAndAPressFocusesAndSetsASliderInOneFrame) {
    DialogScene s;
    ASSERT_TRUE(s.gl.ok());
    s.keys.specialKey = kKeyUp;
    s.frame();
    EXPECT_EQ(s.manager.focusIndex, 5);
    s.keys.key = 9;
    s.frame();
    EXPECT_EQ(s.manager.focusIndex, 0);
    s.keys.specialKey = kKeyDown;
    s.frame();
    EXPECT_EQ(s.manager.focusIndex, 1);
    EXPECT_EQ(commandLog.calls, 0);

    s.manager.buildDialog(kCustomMenu, 1);
    s.pointerAt(100, kY0 - 29 + 12, kButtonPressed);  // mid-track of "Image/Texture Options"
    s.frame();
    EXPECT_EQ(s.manager.focusIndex, 3);
    EXPECT_EQ(commandLog.calls, 1);
    EXPECT_EQ(commandLog.id, 40);
    EXPECT_FLOAT_EQ(commandLog.value, 5.75f);
    EXPECT_EQ(commandLog.dialog, kCustomMenu);
    s.pointerAt(170, kY0 + 200, kButtonHeld);  // dragged far above: the focused slider follows
    s.frame();
    EXPECT_EQ(commandLog.calls, 2);
    EXPECT_FLOAT_EQ(commandLog.value, 11.5f);
}

TEST(DialogManagerRun, TitleBarDragMovesTheDialogAndKeysNudgeIt) {
    DialogScene s;
    ASSERT_TRUE(s.gl.ok());
    s.pointerAt(45, kY0 + 15, kButtonPressed);
    s.frame();
    s.pointerAt(62, kY0 + 6, kButtonHeld);
    s.frame();
    EXPECT_FLOAT_EQ(s.manager.originX, 17.0f);
    EXPECT_FLOAT_EQ(s.manager.originY, -9.0f);
    PointerState onQuit;
    onQuit.x = 30 + 17;
    onQuit.y = kY0 - 240 - 9;
    EXPECT_EQ(s.manager.item(5)->hitTest(onQuit, s.manager.originX, s.manager.originY), kHitInside);
    s.pointerAt(62, kY0 + 6, kButtonReleased);
    s.frame();
    EXPECT_EQ(s.manager.focusIndex, 0);
    s.keys.specialKey = kKeyRight;
    s.frame();
    s.keys.specialKey = kKeyPageDown;
    s.frame();
    EXPECT_FLOAT_EQ(s.manager.originX, 19.0f);
    EXPECT_FLOAT_EQ(s.manager.originY, -11.0f);
    EXPECT_EQ(commandLog.calls, 0);

    // A new drag starts from where the last one came to rest, and survives a change of dialog.
    s.pointerAt(50, kY0 + 6, kButtonPressed);
    s.frame();
    s.pointerAt(60, kY0 + 6, kButtonHeld);
    s.frame();
    EXPECT_FLOAT_EQ(s.manager.originX, 27.0f);
    EXPECT_FLOAT_EQ(s.manager.originY, -9.0f);
    s.pointerAt(60, kY0 + 6, kButtonReleased);
    s.frame();
    s.manager.buildDialog(kSaveMenu, 1);
    s.pointerAt(35, kY0 + 5, kButtonPressed);
    s.frame();
    s.pointerAt(36, kY0 + 5, kButtonHeld);
    s.frame();
    EXPECT_FLOAT_EQ(s.manager.originX, 28.0f);
}

TEST(DialogManagerRun, DrawsTheMainMenuAndLeavesGlAtRest) {
    DialogScene s;
    ASSERT_TRUE(s.gl.ok());
    const GLuint skin = makeSkin();
    DialogItem::skinTexture = static_cast<int>(skin);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    s.frame();

    expectNear(s.gl.pixel(45, kY0 + 15), 140, 140, 255);      // focused title bar: cell (2, 2), full colour
    expectNear(s.gl.pixel(45, kY0 - 55 + 15), 15, 105, 191);  // unfocused button: cell (0, 2) at 0.75
    const GlContext::Pixel info = s.gl.pixel(45, kY0 - 185 + 15);  // "Off" toggle: cell (2, 3), red tint
    EXPECT_NEAR(info.r, 0.66 * 140, 3);
    EXPECT_NEAR(info.g, 0.33 * 200, 3);
    EXPECT_TRUE(s.canvas.lit(75, kY0 + 15));        // "Main Menu"
    EXPECT_TRUE(s.canvas.lit(75, kY0 - 240 + 15));  // "Quit"
    EXPECT_FALSE(s.canvas.lit(45, kY0 + 60));

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    GLint polygonMode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_LINE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &skin);
    DialogItem::skinTexture = -1;
}
