// Keys, pointer, mouse buttons and menus through the real input callbacks, the dialog manager and its
// command hook on the program's globals; keys typed during start-up; the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_line.h"
#include "app/dialog_commands.h"
#include "app/globals.h"
#include "app/glut_callbacks.h"
#include "app/key_commands.h"
#include "app/startup.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "ui/dialog_menus.h"
#include "ui/slider_item.h"

namespace {
// The program's globals after a settings reset (which wires the menus as at start-up), in a scratch
// working folder.
struct Commands : ::testing::Test {
    FakePlatform fake;
    TempFolder folder{true};
    void SetUp() override {
        Flags = RunFlags();
        initVars();
        Prefs.imageIndex = 0;
        Screen.clearPasses = 0;
        Screen.width = Screen.height = 600;
        Pointer = PointerState();
        Keyboard = KeyboardState();
        Sounds.enabled = 0;
        Dialogs.command = executeDialogCommand;
        Dialogs.depth = 0;
        StatusLine.setText("");
    }
    void press(unsigned char key, int times = 1) {
        for (int i = 0; i < times; ++i) onKey(key, 0, 0);
    }
    void special(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            onSpecialKey(key, 0, 0);
            onSpecialKeyUp(key, 0, 0);
        }
    }
    // A menu widget moved to a value, run through the dialog manager's command hook.
    void activate(int id, float value = 0.0f) {
        Dialogs.selectedId = id;
        Dialogs.selectedValue = value;
        executeDialogCommand();
    }
    std::string status() const { return StatusLine.text; }
    float sliderValue(int slot) const { return static_cast<SliderItem*>(Dialogs.item(slot))->value; }
    // The menu, help and info flags, the camera mode and the last cursor asked for.
    std::tuple<int, int, int, int, CursorShape> view() const {
        return {Flags.menuActive, Flags.helpVisible, Flags.infoVisible, Prefs.cameraMode,
                fake.cursors.empty() ? CursorShape::Arrow : fake.cursors.back()};
    }
};
// Each widget as "id x distance-below-y0", a slider with "min max whole-steps linear"; sliders are
// 140 x 24, the rest 30 x 30.
std::string layout(const DialogManager& manager) {
    std::ostringstream out;
    for (int slot = 0; slot < manager.itemCount; ++slot) {
        const DialogItem* item = manager.item(slot);
        const auto* s = dynamic_cast<const SliderItem*>(item);
        out << (slot ? "|" : "") << item->id << ' ' << item->x << ' ' << 420 - item->y;
        if (s) out << ' ' << s->minValue << ' ' << s->maxValue << ' ' << s->integerSteps << ' ' << s->linear;
        if (item->w != (s ? 140 : 30) || item->h != (s ? 24 : 30)) out << " is " << item->w << "x" << item->h;
    }
    return out.str();
}
constexpr int kDown = 0, kUp = 1;
constexpr int kSpecial = 1000, kStandard = 2000 + 100 * kStandardMenu, kCustom = 2000 + 100 * kCustomMenu;
}  // namespace

// One press of each key from the defaults, and each menu widget that sets a value moved to a value: the
// value it leaves and the message it shows.
TEST_F(Commands, EachKeyAndWidgetFromTheDefaults) {
    struct Row {
        int input;  // a key, kSpecial + a special key, or kStandard or kCustom + a widget's id
        float widgetValue;
        double (*value)();
        double expected;
        const char* message;
    };
#define READ(expr) [] { return static_cast<double>(expr); }
    const Row rows[] = {
        {'(', 0, READ(Prefs.lightRotateSpeed), 0.9, "Light Rotate Speed: 0.90"},
        {')', 0, READ(Prefs.lightRotateSpeed), 1.111111, "Light Rotate Speed: 1.11"},
        {'-', 0, READ(Prefs.rotateSpeed), 0.9, "Rotate Speed: 0.90"},
        {'=', 0, READ(Prefs.rotateSpeed), 1.111111, "Rotate Speed: 1.11"},
        {'_', 0, READ(Prefs.moveSpeed), 0.9, "Movement Speed: 0.90"},
        {'+', 0, READ(Prefs.moveSpeed), 1.111111, "Movement Speed: 1.11"},
        {'{', 0, READ(Prefs.cameraZ), 0.95, "CameraZ: 0.95"},  // from 1, not the default 0
        {'}', 0, READ(Prefs.cameraZ), 1.05, "CameraZ: 1.05"},
        {'[', 0, READ(Prefs.objectSize), 0.95, "Object Size: 0.95"},
        {']', 0, READ(Prefs.objectSize), 1.055555, "Object Size: 1.06"},
        {',', 0, READ(Prefs.fovDegrees), 101, "FOV: 101 Degrees"},
        {'.', 0, READ(Prefs.fovDegrees), 99, "FOV:  99 Degrees"},
        {'<', 0, READ(Prefs.tessellation), 62, "Tesselation: 62"},
        {'>', 0, READ(Prefs.tessellation), 64, "Tesselation: 64"},
        {'c', 0, READ(Prefs.fpsClockOn), 1, "Frame/Second Clock On"},
        {'D', 0, READ(Prefs.depthCueFog), 0, "DepthCue Fog Off"},
        {'p', 0, READ(Flags.paused), 1, "Pause"},
        {'s', 0, READ(Prefs.spotlightsOn), 0, "SpotLights Off"},
        {'T', 0, READ(Prefs.texturesOn), 0, "Textures Off"},
        {'u', 0, READ(Prefs.universeOn), 0, "Universe Off"},
        {' ', 0, READ(Prefs.screenClear), 0, ""},
        {'w', 0, READ(Prefs.polygonMode), 1, ""},
        {'i', 0, READ(Prefs.imageIndex), 1, "Image 1/11: Cloud"},
        {'O', 0, READ(Prefs.bumpOption), 0, "Option 0/4: Mounds"},
        {'l', 0, READ(Prefs.letterbox), 1, "Letterbox: 1"},
        {'v', 0, READ(Prefs.cameraMode), 2, "Camera 3: Hold"},
        {'V', 0, READ(Pointer.moved), 1, "Camera 3: Hold"},
        {'B', 0, READ(Flags.counterB), 2, "B: 2"},
        {'b', 0, READ(Flags.counterSmallB), 3, "b: 3"},
        {kSpecial + kKeyF1, 0, READ(Prefs.damping), 0.9, "F1/F2: 0.90"},
        {kSpecial + kKeyF2, 0, READ(Prefs.damping), 1.111111, "F1/F2: 1.11"},
        {kSpecial + kKeyF3, 0, READ(Prefs.textureMag), 0.9, "F3/F4: 0.90"},
        {kSpecial + kKeyF4, 0, READ(Prefs.textureMag), 1.111111, "F3/F4: 1.11"},
        {kSpecial + kKeyF5, 0, READ(Prefs.fogStart), 0.095, "FogStart: 0.09"},
        {kSpecial + kKeyF6, 0, READ(Prefs.fogStart), 0.105263, "FogStart: 0.11"},
        {kSpecial + kKeyF7, 0, READ(Prefs.fogEnd), 4.75, "FogEnd: 4.75"},
        {kSpecial + kKeyF8, 0, READ(Prefs.fogEnd), 5.26315, "FogEnd: 5.26"},
        {kSpecial + kKeyF9, 0, READ(Prefs.bumpResponse), 0.9, "F7/F8: 0.90"},
        {kSpecial + kKeyF10, 0, READ(Prefs.bumpResponse), 1.111111, "F7/F8: 1.11"},
        {kSpecial + kKeyF11, 0, READ(Prefs.fadeEffect), 0.285, "Fade Effect: 28.50"},
        {kSpecial + kKeyF12, 0, READ(Prefs.fadeEffect), 0.315789, "Fade Effect: 31.58"},
        {kSpecial + kKeyHome, 0, READ(Prefs.heightScale), 1.05263, "Home/End: 1.05"},
        {kSpecial + kKeyEnd, 0, READ(Prefs.heightScale), 0.95, "Home/End: 0.95"},
        {kStandard + 56, 2.5f, READ(Prefs.rotateSpeed), 2.5, "Rotate Speed: 2.50"},
        {kStandard + 60, 1.5f, READ(Prefs.heightScale), 1.5, "Home: 1.50"},
        {kStandard + 51, 42.75f, READ(Prefs.fovDegrees), 42, "Fov: 42.75"},
        {kStandard + 51, 42.75f, READ(Skater.fieldOfView), 42.75, "Fov: 42.75"},
        {kStandard + 52, -1.25f, READ(Prefs.cameraZ), -1.25, "CameraZ: -1.25"},
        {kStandard + 59, 3.9f, READ(Prefs.letterbox), 3, "Letterbox: 3"},
        {kStandard + 59, 3.9f, READ(Screen.clearPasses), 1, "Letterbox: 3"},
        {kStandard + 58, 2.5f, READ(Prefs.polygonMode), 2, ""},
        {kStandard + 96, 0.0f, READ(Prefs.screenClear), 0, ""},
        {kStandard + 97, 1.0f, READ(Flags.paused), 1, ""},
        {kStandard + 70, 1.0f, READ(Sounds.enabled), 1, ""},
        {kCustom + 73, 2.5f, READ(Prefs.bumpResponse), 2.5, "Bump Response:   2.5"},
        {kCustom + 20, 0.75f, READ(Prefs.damping), 0.75, "Motion Damping/Drag: 0.75"},
        {kCustom + 20, 0.75f, READ(Skater.damping), 0.75, "Motion Damping/Drag: 0.75"},
        {kCustom + 21, 4.5f, READ(Prefs.textureMag), 4.5, "Texture Magnification: 4.50"},
        {kCustom + 71, 1.25f, READ(Prefs.mouseSensitivity), 1.25, "Mouse Sensitivity: 1.25"},
        {kCustom + 72, 0.5f, READ(Prefs.moveSensitivity), 0.5, "Move Sensitivity: 0.50"},
        {kCustom + 10, 0.3f, READ(Prefs.ambient), 0.3, ""},
        {kCustom + 11, 0.4f, READ(Prefs.diffuse), 0.4, ""},
        {kCustom + 12, 0.6f, READ(Prefs.specular), 0.6, ""},
        {kCustom + 13, 0.7f, READ(Prefs.reflective), 0.7, ""},
        {kCustom + 14, 64.0f, READ(Prefs.shininess), 64, ""},
        {kCustom + 41, 2.9f, READ(Prefs.bumpOption), 2, "Option 2/4: Rocks"},
        {kCustom + 40, 5.5f, READ(Prefs.imageIndex), 5, "Image 5/11: MetalGrain"},
        {kCustom + 50, 70.9f, READ(Prefs.tessellation), 70, "Tesselation:: 70"},
        {kCustom + 50, 70.9f, READ(Terrain.columns), 70, "Tesselation:: 70"},
        {kStandard + 55, 1.0f, READ(Prefs.screenClear), 1, "Fade: 1.00"},
        {kStandard + 55, 1.0f, READ(Screen.clearPasses), 1, "Fade: 1.00"},
        {kStandard + 55, 0.5f, READ(Prefs.screenClear), 0, "Fade: 0.50"},
        {kStandard + 55, 0.015f, READ(Prefs.fadeEffect), 0, "Fade: 0.00"},
    };
#undef READ
    for (const Row& row : rows) {
        SetUp();
        Prefs.cameraZ = 1.0f;
        if (row.input >= kStandard) {
            Dialogs.buildDialog((row.input - 2000) / 100, 1);
            StatusLine.setText("");
            activate(row.input % 100, row.widgetValue);
        } else if (row.input >= kSpecial) {
            special(row.input - kSpecial);
        } else {
            press(static_cast<unsigned char>(row.input));
        }
        EXPECT_NEAR(row.value(), row.expected, 1e-6 * (1 + std::fabs(row.expected))) << row.input;
        EXPECT_EQ(status(), row.message) << row.input;
        EXPECT_EQ(Prefs.depthCueFog, row.input == 'D' ? 0 : 1) << row.input;
    }
    SetUp();
    special(kKeyF11);
    EXPECT_EQ(Prefs.screenClear, 0) << "F11 below 1 switches the trails on";
    press(' ');
    EXPECT_EQ(Prefs.screenClear, 1) << "and space switches them off again";
}

TEST_F(Commands, StopsAndWrapsShowTheirMessagesAndOnlyTessellationOrShapeRebuildTheMesh) {
    for (const auto& [fov, key, message] :
         {std::tuple{179.0f, ',', "FOV: 179 Degrees"}, {1.0f, '.', "FOV:   1 Degrees"}}) {
        Skater.fieldOfView = fov;
        press(key);
        EXPECT_EQ(Prefs.fovDegrees, static_cast<int>(fov));
        EXPECT_EQ(status(), message);
    }
    // The setting, its value before, the key, its presses, the value after and the message.
    const std::tuple<int*, int, char, int, int, const char*> steps[] = {
        {&Prefs.tessellation, 32, '<', 3, 31, "Tesselation: 31"},
        {&Prefs.tessellation, 99, '>', 1, 99, "Tesselation: 99"},
        {&Prefs.tessellation, 500, '>', 1, 99, "Tesselation: 99"},  // only a file could hold 500
        {&Prefs.imageIndex, 10, 'i', 1, 11, "Image 11/11: CheckerBoard"},
        {&Prefs.imageIndex, 11, 'i', 1, 0, "Image 0/11: Sand"},
        {&Prefs.bumpOption, 3, 'o', 1, 4, "Option 4/4: Playground"},
        {&Flags.counterSmallB, 7, 'b', 2, 0, "b: 0"},  // counts 0 to 8
        {&Prefs.bumpOption, 4, 'O', 1, 0, "Option 0/4: Mounds"}};
    for (const auto& [setting, before, key, times, after, message] : steps) {
        *setting = before;
        press(key, times);
        EXPECT_EQ(*setting, after) << key;
        EXPECT_EQ(status(), message);
        EXPECT_TRUE(before != 32 || Terrain.columns == 31) << "the mesh is rebuilt at the new tessellation";
    }
    Terrain.vertices[0][0].y = 99.0f;  // a mark that only a rebuild removes
    for (unsigned char key : {'i', 'l', 'w', '-', ','}) press(key);
    special(kKeyHome);
    EXPECT_EQ(Terrain.vertices[0][0].y, 99.0f);
    press('o');
    EXPECT_NE(Terrain.vertices[0][0].y, 99.0f) << "a new shape rebuilds the mesh";
}

// Letterbox steps up and down again; Escape starts the exit and Q ends it at once; the menu key holds
// the view; help closes the menu and info; a key after full screen cancels the second black clear
// unless it asks for one itself, and leaving full screen gives 600 x 600.
TEST_F(Commands, LetterboxExitMenuHelpAndFullScreen) {
    for (int level : {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0, 1}) {
        press('l');
        ASSERT_EQ(std::make_pair(Prefs.letterbox, Screen.clearPasses), std::make_pair(level, 1));
    }
    Prefs.letterbox = 3;  // a load, say: the direction follows the value
    press('L');
    EXPECT_EQ(Prefs.letterbox, 4);
    Clock.now = 10.0f;
    press(27);
    EXPECT_FLOAT_EQ(Flags.exitStartTime, 10.0f);
    Clock.now = 10.3f;
    press('Q');
    EXPECT_FLOAT_EQ(Flags.exitStartTime, 5.3f);

    using std::make_tuple;
    press('`');
    EXPECT_EQ(view(), make_tuple(1, 0, 0, 2, CursorShape::Arrow)) << "the view holds while the menu is open";
    press('`');
    EXPECT_EQ(view(), make_tuple(0, 0, 0, 1, CursorShape::None));
    Prefs.cameraMode = 0;
    press('`', 2);
    EXPECT_EQ(Prefs.cameraMode, 0);
    press('`');
    Flags.infoVisible = 1;
    press('?');
    EXPECT_EQ(view(), make_tuple(0, 1, 0, 1, CursorShape::None))
        << "help closes the menu and info, forces Manual";
    Screen.clearPasses = 0;
    press('/');
    EXPECT_EQ(std::make_pair(Flags.helpVisible, Screen.clearPasses), std::make_pair(0, 1));

    Prefs.fullScreen = 0;
    Screen.clearPasses = 0;
    press('f');
    EXPECT_EQ(std::make_pair(fake.fullScreenCalls, Screen.clearPasses), std::make_pair(1, 1));
    for (const auto& [key, passes] : {std::pair{'x', 0}, {'l', 1}}) {
        Screen.clearPasses = 2;  // the frame after: one black clear done
        press(key);
        EXPECT_EQ(Screen.clearPasses, passes) << key;
    }
    press('f');
    EXPECT_EQ(fake.reshapes, (std::vector<std::pair<int, int>>{{600, 600}}));
}

// The fog ends stay within 0.01 and nine times the object size, start never beyond end; the fade stops
// at 1 and switches clearing on there, and off again below it.
TEST_F(Commands, FunctionKeysClampFogAndFade) {
    // Fog start and end before, the key, its presses, and start and end after.
    const float fog[][6] = {{0.1f, 5, kKeyF5, 60, 0.01f, 5},
                            {4, 5, kKeyF6, 10, 5, 5},
                            {5, 5, kKeyF8, 30, 5, 9},
                            {3, 3.1f, kKeyF7, 1, 3, 3}};
    for (const auto& f : fog) {
        std::tie(Prefs.fogStart, Prefs.fogEnd) = std::make_pair(f[0], f[1]);
        special(static_cast<int>(f[2]), static_cast<int>(f[3]));
        EXPECT_EQ(std::make_pair(Prefs.fogStart, Prefs.fogEnd), std::make_pair(f[4], f[5])) << f[2];
    }
    EXPECT_EQ(status(), "FogEnd: 3.00");

    Prefs.fadeEffect = 0.3f;
    Prefs.screenClear = 0;
    int presses = 0;
    for (; Prefs.screenClear == 0 && presses < 100; ++presses) special(kKeyF12);
    EXPECT_EQ(std::make_tuple(presses, Prefs.fadeEffect, status()),
              std::make_tuple(24, 1.0f, std::string("Fade Effect: 100.00")));
    special(kKeyF11);
    EXPECT_FLOAT_EQ(Prefs.fadeEffect, 0.95f);
    EXPECT_EQ(Prefs.screenClear, 0);
}

// Modifier keys alone are no special keys; a release clears the movement bit its press set (Ctrl+Up
// released without Ctrl still clears it), and Page Up and Ctrl+Up share a bit.
TEST_F(Commands, SpecialKeysFilterModifiersAndMovementBitsFollowThePress) {
    onSpecialKey(114, 0, 0);  // Ctrl itself, as freeglut reports it
    EXPECT_EQ(Keyboard.specialKey, 0);
    // The modifiers, the key pressed (negative: released) and the movement bits after.
    const int steps[][3] = {{2, kKeyUp, 16}, {0, -kKeyUp, 0},  {0, kKeyPageUp, 16},  {2, kKeyUp, 16},
                            {2, -kKeyUp, 0}, {2, kKeyLeft, 1}, {2, kKeyDown, 1 | 32}};
    for (const auto& [modifiers, key, bits] : steps) {
        fake.modifiers = modifiers;
        key > 0 ? onSpecialKey(key, 0, 0) : onSpecialKeyUp(-key, 0, 0);
        EXPECT_EQ(Keyboard.moveKeys, bits) << key;
    }
}

TEST_F(Commands, PointerAndThePopUpToggle) {
    const auto at = [] { return std::make_pair(Pointer.x, Pointer.y); };
    onPointerMotion(510, 495);
    EXPECT_EQ(at(), std::make_pair(10, -5));
    Prefs.cameraMode = 0;
    onPointerMotion(510, 495);
    EXPECT_EQ(at(), std::make_pair(510, 104));
    onMouseButton(7, kDown, 20, 30);
    EXPECT_EQ(Pointer.x, 20) << "an unknown button still moves the pointer";

    Prefs.cameraMode = 1;
    onMouseButton(2, kDown, 0, 0);
    EXPECT_EQ(view(), std::make_tuple(1, 0, 0, 2, CursorShape::Arrow));
    onMouseButton(2, kUp, 0, 0);  // released within the same frame: nothing more happens
    EXPECT_EQ(Flags.menuActive, 1);
    Pointer.ageButtons();
    EXPECT_EQ(Pointer.rightButton, 0);
    onMouseButton(2, kDown, 0, 0);
    EXPECT_EQ(view(), std::make_tuple(0, 0, 0, 1, CursorShape::None));
    EXPECT_EQ(std::make_pair(Screen.clearPasses, fake.warps.back()),
              std::make_pair(1, std::make_pair(500, 500)));
    onMouseButton(2, kUp, 0, 0);
    onMouseButton(3, kDown, 0, 0);  // a wheel event in the same frame
    EXPECT_EQ(Flags.menuActive, 0) << "only the press that moves the button down toggles";
    // The buttons' edges: the quick click's release is not lost.
    for (int expected : {kButtonReleased, kButtonUp}) {
        Pointer.ageButtons();
        EXPECT_EQ(Pointer.rightButton, expected);
    }
    const int leftEdges[] = {kButtonPressed, kButtonHeld, kButtonReleased, kButtonUp};
    for (int step = 0; step < 4; ++step) {  // down, a frame, up, a frame
        step % 2 ? Pointer.ageButtons() : onMouseButton(0, step ? kUp : kDown, 0, 0);
        EXPECT_EQ(Pointer.leftButton, leftEdges[step]) << step;
    }

    // Entering Manual with the menu open forgets the overlay position the pointer had.
    PrefsRecord prefs;
    prefs.setDefaults();
    PointerState pointer;
    fake.cursors.clear();
    for (const int menuActive : {1, 0}) {
        prefs.cameraMode = 0;
        pointer.trackPointer(700, 100, prefs, 768);  // overlay coordinates, hundreds of pixels
        prefs.cameraMode = 1;
        pointer.updateCursor(prefs, menuActive);
        EXPECT_EQ(std::make_pair(pointer.x, pointer.y), std::make_pair(0, 0)) << menuActive;
    }
    EXPECT_EQ(fake.cursors.front(), CursorShape::Arrow) << "the menu keeps its arrow";
}

// Settings stepped by keys stay finite however often a key is pressed, so the picture survives and a
// save never writes infinity into the preference file.
TEST_F(Commands, RepeatedStepKeysStopAtTheLargestFiniteValue) {
    for (int i = 0; i < 3000; ++i) {
        for (int key : {'+', '=', ')', ']'}) runKeyCommand(key);
        for (int key : {kKeyF2, kKeyF4, kKeyF8, kKeyF10, kKeyHome}) runSpecialKeyCommand(key);
    }
    for (const float value :
         {Prefs.moveSpeed, Prefs.rotateSpeed, Prefs.lightRotateSpeed, Prefs.objectSize, Prefs.damping,
          Prefs.textureMag, Prefs.fogEnd, Prefs.bumpResponse, Prefs.heightScale})
        EXPECT_TRUE(std::isfinite(value) && value > 1.0e36f) << "driven as far as the float range goes";
    const float largest = Prefs.moveSpeed;
    runKeyCommand('+');
    EXPECT_EQ(Prefs.moveSpeed, largest);
    runKeyCommand('_');
    EXPECT_EQ(Prefs.moveSpeed, static_cast<float>(largest * 0.9)) << "and back down from there";
}

// The key that ends the splash is the start signal; keys typed after it wait for the park, in order,
// sixteen at most.
TEST_F(Commands, KeysAfterTheSplashKeyWaitForThePark) {
    for (const int key : {int{'a'}, int{'x'}, 27, int{'q'}, 27})
        onSplashKey(static_cast<unsigned char>(key), 0, 0);
    EXPECT_EQ(Keyboard.key, 'a');
    for (const int held : {int{'x'}, 27, int{'q'}, 27, 0}) EXPECT_EQ(Keyboard.takeHeldKey(), held);
    for (int i = 0; i < 40; ++i) Keyboard.holdKey('a');
    int kept = 0;
    while (Keyboard.takeHeldKey()) ++kept;
    EXPECT_EQ(kept, 16);
}

// The fog sliders push the other end, and the menu shows it; navigation keeps the stack and origin;
// save and load keep the camera mode.
TEST_F(Commands, MenuFogNavigationSaveAndLoad) {
    Flags.menuActive = 1;
    Dialogs.originX = 40.0f;
    Dialogs.originY = -10.0f;
    Dialogs.focusIndex = 5;
    activate(3);  // Options...
    ASSERT_EQ(Dialogs.currentDialog, kCustomMenu);
    EXPECT_EQ(Dialogs.focusIndex, 0) << "a new dialog starts with its first widget focused";
    Prefs.fogEnd = 4.0f;
    activate(22, 5.0f);
    EXPECT_EQ(std::make_tuple(Prefs.fogEnd, Prefs.depthCueFog, status()),
              std::make_tuple(5.01f, 1, std::string("Fog Start Distance: 5.00")));
    EXPECT_FLOAT_EQ(sliderValue(10), 5.01f) << "the menu shows the moved end";
    activate(23, 1.0f);
    EXPECT_FLOAT_EQ(Prefs.fogStart, 0.99f);

    activate(92);
    activate(92);
    EXPECT_EQ(std::make_pair(Dialogs.currentDialog, Dialogs.depth), std::make_pair(int{kCustomMenu}, 1))
        << "switching between the control dialogs does not push";
    activate(93);
    EXPECT_EQ(std::make_tuple(Dialogs.currentDialog, Dialogs.originX, Dialogs.originY),
              std::make_tuple(int{kMainMenu}, 40.0f, -10.0f));
    activate(80);
    EXPECT_EQ(Flags.infoVisible, 1);
    Clock.now = 12.0f;
    activate(99);
    EXPECT_EQ(std::make_pair(Flags.menuActive, Flags.exitStartTime), std::make_pair(0, 12.0f));

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
    EXPECT_EQ(std::make_tuple(Prefs.fovDegrees, Skater.fieldOfView, Prefs.cameraMode),
              std::make_tuple(33, 33.0f, 2))
        << "the camera mode never comes from the file";
}

TEST_F(Commands, EveryMenuHasItsDescribedWidgetsAndShowsItsSettings) {
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
    Flags.paused = Flags.infoVisible = 1;
    Dialogs.buildDialog(kMainMenu, 1);
    EXPECT_EQ(Dialogs.item(4)->state, 1) << "the Info toggle shows infoVisible";
    EXPECT_EQ(DialogText.wobbleOn, 1);
    for (int menu = 0; menu < kMenuCount; ++menu) {
        Dialogs.buildDialog(menu, 1);
        EXPECT_EQ(layout(Dialogs), layouts[menu]) << menu;
    }
    Prefs.fovDegrees = 120;
    Prefs.screenClear = 0;
    Dialogs.buildDialog(kStandardMenu, 1);
    EXPECT_EQ(DialogText.wobbleOn, 0) << "only the Main Menu wobbles";
    EXPECT_STREQ(Dialogs.item(5)->label, "Magnification/FOV");
    EXPECT_FLOAT_EQ(sliderValue(5), 120.0f);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Dialogs.item(10 + i)->state, i == 1) << i;  // Clear, Pause, Sounds

    // A rebuild without reset only refreshes the values.
    Dialogs.buildDialog(kCustomMenu, 1);
    DialogItem* before = Dialogs.item(17);
    std::tie(Dialogs.focusIndex, Dialogs.originX, Dialogs.originY, Prefs.fogEnd) =
        std::make_tuple(7, 12.0f, -4.0f, 5.5f);
    testing::internal::CaptureStdout();
    Dialogs.buildDialog(Dialogs.currentDialog, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(std::make_tuple(Dialogs.item(17), Dialogs.itemCount, Dialogs.focusIndex, Dialogs.originX,
                              Dialogs.originY),
              std::make_tuple(before, 18, 7, 12.0f, -4.0f));
    EXPECT_FLOAT_EQ(sliderValue(10), 5.5f);
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

TEST_F(Commands, DialogStackLimitsAndConsoleLines) {
    const auto output = [](void (*action)(DialogManager&)) {
        testing::internal::CaptureStdout();
        action(Dialogs);
        return testing::internal::GetCapturedStdout();
    };
    for (int i = 0; i < DialogManager::kStackSize; ++i)
        EXPECT_EQ(output([](DialogManager& m) { m.pushDialog(); }), "");
    EXPECT_EQ(output([](DialogManager& m) { m.openDialog(kCustomMenu, 1); }),
              "** Attempt to push dialog beyond limits");
    EXPECT_EQ(std::make_pair(Dialogs.currentDialog, Dialogs.depth), std::make_pair(int{kCustomMenu}, 19))
        << "the dialog still opens";
    Dialogs.depth = 0;
    Dialogs.buildDialog(kSaveMenu, 1);
    EXPECT_EQ(output([](DialogManager& m) { m.popDialog(); }), "** Attempt to pop no dialog");
    EXPECT_EQ(Dialogs.currentDialog, kSaveMenu);

    DialogManager unwired;  // "Dialog Init..." once; no screen, settings or flags: all read as 0
    testing::internal::CaptureStdout();
    unwired.buildDialog(unwired.currentDialog, 0);
    unwired.buildDialog(kCustomMenu, 1);
    unwired.buildDialog(kCustomMenu, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Dialog Init...\n");
    EXPECT_EQ(unwired.itemCount, 18);
    EXPECT_FLOAT_EQ(unwired.item(3)->y, -29.0f);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(unwired.item(6))->value, 0.0f);
    for (const int unknown : {-1, int{kMenuCount}}) {
        unwired.buildDialog(kCustomMenu, 1);
        unwired.buildDialog(unknown, 1);
        EXPECT_EQ(unwired.itemCount, 0) << unknown;
    }
}

// The program's own options among GLUT's; the messages themselves are checked on the real program.
TEST(CommandLine, ReadsTheRateAndStepsOverGlutsOptions) {
    struct Case {
        std::vector<const char*> arguments;
        int exitStatus, maxFps;  // -1: run; -1: the screen's rate
    };
    const Case cases[] = {{{}, -1, -1},
                          {{"--max-fps=0"}, -1, 0},
                          {{"--max-fps", "1000"}, -1, 1000},
                          {{"-display", ":1", "-sync", "--max-fps=30", "-geometry", "--help"}, -1, 30},
                          {{"-iconic", "-direct", "-indirect", "-gldebug"}, -1, -1},
                          {{"-h"}, 0, -1},
                          {{"--max-fps=30", "--version", "--bogus"}, 0, 30},
                          {{"--max-fps=1001"}, 2, -1},
                          {{"--max-fps="}, 2, -1},
                          {{"--max-fps=6O"}, 2, -1},
                          {{"--max-fps"}, 2, -1},
                          {{"-display"}, -1, -1},
                          {{"park.pref"}, 2, -1},
                          {{"-help"}, 2, -1}};
    for (Case c : cases) {
        const std::string line = c.arguments.empty() ? "" : c.arguments[0];
        c.arguments.insert(c.arguments.begin(), "rampix");
        const CommandLine result = parseCommandLine(static_cast<int>(c.arguments.size()), c.arguments.data());
        EXPECT_EQ(result.exitStatus, c.exitStatus) << line;
        EXPECT_TRUE(result.exitStatus >= 0 || result.maxFps == c.maxFps) << line;
        EXPECT_EQ(result.message.empty(), result.exitStatus < 0) << line;
        if (line == "park.pref") {
            EXPECT_EQ(result.message.substr(0, 36), "rampix: unexpected argument 'park.pr");
        }
    }
}
