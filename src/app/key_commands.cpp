// The key commands as tables: on/off switches, settings stepped by a factor, and the keys with an
// action of their own.
#include "app/key_commands.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "app/globals.h"
#include "app/park_actions.h"
#include "app/screenshot.h"
#include "app/startup.h"
#include "app/terrain_images.h"
#include "base/platform.h"

namespace {
constexpr int kEscapeKey = 27;

struct ToggleCommand {
    char key;
    int* flag;
    const char* onText;
    const char* offText;
};

constexpr ToggleCommand kToggleCommands[] = {
    {'c', &Prefs.fpsClockOn, "Frame/Second Clock On", "Frame/Second Clock Off"},
    {'d', &Prefs.depthCueFog, "DepthCue Fog On", "DepthCue Fog Off"},
    {'p', &Flags.paused, "Pause", "Continue"},
    {'s', &Prefs.spotlightsOn, "SpotLights On", "SpotLights Off"},
    {'t', &Prefs.texturesOn, "Textures On", "Textures Off"},
    {'u', &Prefs.universeOn, "Universe On", "Universe Off"},
};

// value = value x factor + step, shown with the format.
struct StepCommand {
    int key;
    float* value;
    double factor;
    double step;
    const char* format;
};

constexpr StepCommand kStepCommands[] = {
    {'(', &Prefs.lightRotateSpeed, 0.9, 0.0, "Light Rotate Speed: %4.2f"},
    {')', &Prefs.lightRotateSpeed, 1.111111, 0.0, "Light Rotate Speed: %4.2f"},
    {'-', &Prefs.rotateSpeed, 0.9, 0.0, "Rotate Speed: %4.2f"},
    {'=', &Prefs.rotateSpeed, 1.111111, 0.0, "Rotate Speed: %4.2f"},
    {'_', &Prefs.moveSpeed, 0.9, 0.0, "Movement Speed: %4.2f"},
    {'+', &Prefs.moveSpeed, 1.111111, 0.0, "Movement Speed: %4.2f"},
    {'{', &Prefs.cameraZ, 1.0, -0.05, "CameraZ: %4.2f"},
    {'}', &Prefs.cameraZ, 1.0, 0.05, "CameraZ: %4.2f"},
    {'[', &Prefs.objectSize, 0.95, 0.0, "Object Size: %4.2f"},
    {']', &Prefs.objectSize, 1.055555, 0.0, "Object Size: %4.2f"},
};

constexpr StepCommand kSpecialStepCommands[] = {
    {kKeyF1, &Prefs.damping, 0.9, 0.0, "F1/F2: %4.2f"},
    {kKeyF2, &Prefs.damping, 1.111111, 0.0, "F1/F2: %4.2f"},
    {kKeyF3, &Prefs.textureMag, 0.9, 0.0, "F3/F4: %4.2f"},
    {kKeyF4, &Prefs.textureMag, 1.111111, 0.0, "F3/F4: %4.2f"},
    {kKeyF9, &Prefs.bumpResponse, 0.9, 0.0, "F7/F8: %4.2f"},
    {kKeyF10, &Prefs.bumpResponse, 1.111111, 0.0, "F7/F8: %4.2f"},
    {kKeyHome, &Prefs.heightScale, 1.05263, 0.0, "Home/End: %4.2f"},
    {kKeyEnd, &Prefs.heightScale, 0.95, 0.0, "Home/End: %4.2f"},
};

// value x factor + step stored as a float. A step that would leave the float range keeps the last
// finite value: repeated presses may drive a setting as far as they like, but never to infinity,
// which would break the picture for good and be written into the preference file.
float steppedValue(float value, double factor, double step) {
    const float next = static_cast<float>(value * factor + step);
    return std::isfinite(next) ? next : value;
}

template <size_t N>
bool runStepCommand(const StepCommand (&table)[N], int key) {
    for (const StepCommand& command : table) {
        if (command.key != key) continue;
        *command.value = steppedValue(*command.value, command.factor, command.step);
        StatusLine.showFloat(command.format, *command.value);
        return true;
    }
    return false;
}

bool runToggleCommand(int key) {
    for (const ToggleCommand& command : kToggleCommands) {
        if (command.key != key) continue;
        *command.flag = *command.flag == 0 ? 1 : 0;
        StatusLine.setText(*command.flag ? command.onText : command.offText);
        return true;
    }
    return false;
}

// The next value of a setting that counts 0..last and starts again; a value out of range starts
// again too.
int nextInCycle(int value, int last) {
    return value >= last || value < 0 ? 0 : value + 1;
}

void stepFieldOfView(float delta) {
    if (delta > 0)
        Skater.fieldOfView = Skater.fieldOfView < 179.0f ? Skater.fieldOfView + 1.0f : 179.0f;
    else
        Skater.fieldOfView = Skater.fieldOfView > 1.0f ? Skater.fieldOfView - 1.0f : 1.0f;
    Prefs.fovDegrees = static_cast<int>(Skater.fieldOfView);
    StatusLine.showFloat("FOV: %3.0f Degrees", Skater.fieldOfView);
}

void stepTessellation(int delta) {
    int& t = Prefs.tessellation;
    if (t < 31 || t > 99)
        t = t < 31 ? 31 : 99;
    else if (delta < 0 && t > 31)
        --t;
    else if (delta > 0 && t < 99)
        ++t;
    StatusLine.showInt("Tesselation: %d", t);
    rebuildTerrainSurface();
}

// Decided by what the window really is, which a loaded or reset setting does not change; the setting
// records the state the key leaves.
void toggleFullScreen() {
    Prefs.fullScreen = platform.isFullScreen() ? 0 : 1;
    if (Prefs.fullScreen == 1) {
        platform.fullScreen();
        Screen.clearPasses = 1;
    } else {
        platform.reshapeWindow(600, 600);
    }
    Pointer.updateCursor(Prefs, Flags.menuActive);
}

void stepLetterbox() {
    int& cycle = Flags.letterboxCycle;
    if (std::abs(cycle) != Prefs.letterbox) cycle = Prefs.letterbox;
    cycle = cycle == 6 ? -5 : cycle + 1;
    Prefs.letterbox = std::abs(cycle);
    Screen.clearPasses = 1;
    StatusLine.showInt("Letterbox: %d", Prefs.letterbox);
}

void resetFromKey() {
    initVars();
    Screen.clearPasses = 1;
    StatusLine.setText("Reset w/o Prefs");
}

// Keys with an action of their own; letters act in either case.
struct KeyAction {
    int key;
    void (*run)();
};

constexpr KeyAction kKeyActions[] = {
    {kEscapeKey, requestExit},
    {'q', requestExit},
    {' ', [] { Prefs.screenClear = Prefs.screenClear == 0 ? 1 : 0; }},
    {'!', [] { savePrefsOnCommand(); }},
    {'@',
     [] {
         loadPrefsOnCommand();
         applyLoadedSettings();
     }},
    {',', [] { stepFieldOfView(1.0f); }},
    {'.', [] { stepFieldOfView(-1.0f); }},
    {'<', [] { stepTessellation(-1); }},
    {'>', [] { stepTessellation(1); }},
    {'/', toggleHelp},
    {'?', toggleHelp},
    {'f', toggleFullScreen},
    {'k', requestScreenshot},
    {'i', [] { setTerrainImage(nextInCycle(Prefs.imageIndex, kTerrainImageCount - 1)); }},
    {'l', stepLetterbox},
    {'o', [] { setBumpOption(nextInCycle(Prefs.bumpOption, Heightmap::kBumpOptionCount - 1)); }},
    {'r', resetFromKey},
    {'v', stepCameraMode},
    {'w', [] { Prefs.polygonMode = nextInCycle(Prefs.polygonMode, 2); }},
    {'`', [] { togglePopupMenu(MenuToggleSource::Key); }},
};

// Hidden counters on b, B and n (these three keys tell the cases apart): each counts up and starts
// again at 0; n also writes its count into a spare setting. A count of 0 means the catalogue size.
struct CounterKey {
    char key;
    int RunFlags::*counter;
    int count;
    const char* format;
};

constexpr CounterKey kCounterKeys[] = {
    {'B', &RunFlags::counterB, 8, "B: %d"},
    {'b', &RunFlags::counterSmallB, 9, "b: %d"},
    {'n', &RunFlags::counterN, 0, "n: %d"},
};

void runCounterKey(int key) {
    for (const CounterKey& row : kCounterKeys) {
        if (row.key != key) continue;
        const int count = row.count != 0 ? row.count : Catalogue.textureCount;
        int& counter = Flags.*row.counter;
        counter = counter + 1 < count ? counter + 1 : 0;
        StatusLine.showInt(row.format, counter);
        if (row.key == 'n') Prefs.spare16 = counter;
    }
}

// F5/F6 and F7/F8 move the fog distances within 0.01 and nine times the object size, start never
// beyond end; F11/F12 move the fade, and clearing goes off below 1 and on again at 1.
void stepFogStart(bool up) {
    float& start = Prefs.fogStart;
    if (up) {
        start = static_cast<float>(start * 1.05263);
        const float limit = static_cast<float>(9 * Prefs.objectSize);
        if (start > limit) start = limit;
        if (start > Prefs.fogEnd) start = Prefs.fogEnd;
    } else {
        start = static_cast<float>(start * 0.95);
        if (start < 0.01f) start = 0.01f;
    }
    Prefs.depthCueFog = 1;
    StatusLine.showFloat("FogStart: %4.2f", start);
}

void stepFogEnd(bool up) {
    float& end = Prefs.fogEnd;
    if (up) {
        end = steppedValue(end, 1.05263, 0.0);
        const float limit = static_cast<float>(9 * Prefs.objectSize);
        if (end > limit) end = limit;
    } else {
        end = static_cast<float>(end * 0.95);
        if (end < 0.01f) end = 0.01f;
        if (end < Prefs.fogStart) end = Prefs.fogStart;
    }
    Prefs.depthCueFog = 1;
    StatusLine.showFloat("FogEnd: %4.2f", end);
}

void stepFadeEffect(bool up) {
    float& fade = Prefs.fadeEffect;
    if (up) {
        fade = static_cast<float>(fade * 1.05263);
        if (fade >= 1.0f) {
            fade = 1.0f;
            Prefs.screenClear = 1;
        }
    } else {
        fade = static_cast<float>(fade * 0.95);
        if (fade < 0.0f) fade = 0.0f;
        if (fade < 1.0f) Prefs.screenClear = 0;
    }
    StatusLine.showFloat("Fade Effect: %4.2f", fade * 100);
}

constexpr KeyAction kSpecialKeyActions[] = {
    {kKeyF5, [] { stepFogStart(false); }},
    {kKeyF6, [] { stepFogStart(true); }},
    {kKeyF7, [] { stepFogEnd(false); }},
    {kKeyF8, [] { stepFogEnd(true); }},
    {kKeyF11, [] { stepFadeEffect(false); }},
    {kKeyF12, [] { stepFadeEffect(true); }},
    {kKeyInsert, [] { Sounds.play("hit.wav", 1.0f, 1); }},
};

template <size_t N>
bool runKeyAction(const KeyAction (&table)[N], int key) {
    for (const KeyAction& action : table) {
        if (action.key != key) continue;
        action.run();
        return true;
    }
    return false;
}

void refreshOpenMenu(int key) {
    if (key != 0) Dialogs.buildDialog(Dialogs.currentDialog, 0);
}
}  // namespace

void runKeyCommand(int key) {
    const int letter = std::isalpha(key) ? std::tolower(key) : key;
    if (!runToggleCommand(letter) && !runStepCommand(kStepCommands, key)) runKeyAction(kKeyActions, letter);
    runCounterKey(key);
    refreshOpenMenu(key);
}

void runSpecialKeyCommand(int key) {
    if (!runStepCommand(kSpecialStepCommands, key)) runKeyAction(kSpecialKeyActions, key);
    refreshOpenMenu(key);
}
