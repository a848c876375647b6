#include "input/key_commands.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "app/globals.h"
#include "app/startup.h"
#include "base/platform.h"
#include "ui/dialog_commands.h"

namespace {
// Hidden counter behind the letterbox ping-pong: -5..6, its absolute value is the level.
int letterboxCycle = 0;
int counterB = 1;
int counterSmallB = 2;
int counterN = 2;

struct ToggleCommand {
    char key;
    int* flag;
    const char* onText;
    const char* offText;
};

constexpr ToggleCommand kToggleCommands[] = {
    {'c', &Prefs.fpsClockOn, "Frame/Second Clock On", "Frame/Second Clock Off"},
    {'d', &Prefs.depthCueFog, "DepthCue Fog On", "DepthCue Fog Off"},
    {'p', &paused, "Pause", "Continue"},
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
    {3, &Prefs.textureMag, 0.9, 0.0, "F3/F4: %4.2f"},
    {4, &Prefs.textureMag, 1.111111, 0.0, "F3/F4: %4.2f"},
    {9, &Prefs.bumpResponse, 0.9, 0.0, "F7/F8: %4.2f"},
    {10, &Prefs.bumpResponse, 1.111111, 0.0, "F7/F8: %4.2f"},
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

void requestExit() {
    exitStartTime = exitStartTime == 0.0f ? Clock.now : Clock.now - 5.0f;
    soundPlayer.play("hit.wav", 0.5f, 1);
    helpVisible = 0;
}

void stepFieldOfView(float delta) {
    if (delta > 0)
        rider.fieldOfView = rider.fieldOfView < 179.0f ? rider.fieldOfView + 1.0f : 179.0f;
    else
        rider.fieldOfView = rider.fieldOfView > 1.0f ? rider.fieldOfView - 1.0f : 1.0f;
    Prefs.fovDegrees = static_cast<int>(rider.fieldOfView);
    StatusLine.showFloat("FOV: %3.0f Degrees", rider.fieldOfView);
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
}

void toggleFullScreen() {
    Prefs.fullScreen = Prefs.fullScreen == 0 ? 1 : 0;
    if (Prefs.fullScreen == 1) {
        platform.fullScreen();
        Screen.clearPasses = 1;
    } else {
        platform.reshapeWindow(600, 600);
    }
    Pointer.updateCursor(Prefs, menuActive);
}

void stepLetterbox() {
    if (std::abs(letterboxCycle) != Prefs.letterbox) letterboxCycle = Prefs.letterbox;
    letterboxCycle = letterboxCycle == 6 ? -5 : letterboxCycle + 1;
    Prefs.letterbox = std::abs(letterboxCycle);
    Screen.clearPasses = 1;
    StatusLine.showInt("Letterbox: %d", Prefs.letterbox);
}

void stepCameraMode() {
    static constexpr const char* kMessages[] = {"Camera 1: Auto", "Camera 2: Manual Mouse/Arrow Key Control",
                                                "Camera 3: Hold"};
    Prefs.cameraMode = (Prefs.cameraMode + 1) % 3;
    if (Prefs.cameraMode < 0) Prefs.cameraMode += 3;
    StatusLine.setText(kMessages[Prefs.cameraMode]);
    if (Prefs.cameraMode != 0) Pointer.moved = 1;
    Pointer.updateCursor(Prefs, menuActive);
}

void toggleMenuFromKey() {
    if (menuActive == 0) {
        Screen.clearPasses = 1;
        dialogManager.savedCameraMode = Prefs.cameraMode;
        if (Prefs.cameraMode != 0) Prefs.cameraMode = 2;
        menuActive = 1;
        helpVisible = 0;
    } else {
        Prefs.cameraMode = dialogManager.savedCameraMode;
        menuActive = 0;
    }
    Pointer.updateCursor(Prefs, menuActive);
}

int nextInCycle(int value, int count) {
    return value + 1 < count ? value + 1 : 0;
}
}  // namespace

void resetKeyCounters() {
    counterB = 1;
    counterSmallB = 2;
    counterN = 2;
}

void runKeyCommand(int key) {
    const int letter = std::isalpha(key) ? std::tolower(key) : key;
    if (runToggleCommand(letter) || runStepCommand(kStepCommands, key)) return;
    switch (letter) {
        case 27:
        case 'q':
            requestExit();
            break;
        case ' ':
            Prefs.screenClear = Prefs.screenClear == 0 ? 1 : 0;
            break;
        case '!':
            savePrefsOnCommand();
            break;
        case '@':
            if (loadPrefsOnCommand() == 0) Pointer.updateCursor(Prefs, menuActive);
            break;
        case ',':
            stepFieldOfView(1.0f);
            break;
        case '.':
            stepFieldOfView(-1.0f);
            break;
        case '<':
            stepTessellation(-1);
            break;
        case '>':
            stepTessellation(1);
            break;
        case '/':
        case '?':
            helpVisible = helpVisible == 0 ? 1 : 0;
            if (helpVisible == 0) Screen.clearPasses = 1;
            break;
        case 'f':
            toggleFullScreen();
            break;
        case 'i':
            Prefs.imageIndex = Prefs.imageIndex >= 11 || Prefs.imageIndex < 0 ? 0 : Prefs.imageIndex + 1;
            showImageName();
            break;
        case 'l':
            stepLetterbox();
            break;
        case 'o':
            Prefs.bumpOption = Prefs.bumpOption >= 4 || Prefs.bumpOption < 0 ? 0 : Prefs.bumpOption + 1;
            showBumpOptionName();
            break;
        case 'r':
            initVars();
            Screen.clearPasses = 1;
            StatusLine.setText("Reset w/o Prefs");
            break;
        case 'v':
            stepCameraMode();
            break;
        case 'w':
            Prefs.polygonMode = Prefs.polygonMode >= 2 || Prefs.polygonMode < 0 ? 0 : Prefs.polygonMode + 1;
            break;
        case '`':
            toggleMenuFromKey();
            break;
        default:
            break;
    }
}

void afterKeyCommand(char key) {
    switch (key) {
        case 'B':
            counterB = nextInCycle(counterB, 8);
            StatusLine.showInt("B: %d", counterB);
            break;
        case 'b':
            counterSmallB = nextInCycle(counterSmallB, 9);
            StatusLine.showInt("b: %d", counterSmallB);
            break;
        case 'n':
            counterN = nextInCycle(counterN, catalogue.textureCount);
            StatusLine.showInt("n: %d", counterN);
            Prefs.spare16 = counterN;
            break;
        case '<':
        case '>':
            rebuildTerrainSurface();
            break;
        case 'i':
            selectTerrainImage();
            break;
        case 'o':
        case 'O':
            terrainHeightmap.applyBumpOption(Prefs.bumpOption);
            rebuildTerrainSurface();
            break;
        case '/':
        case '?':
            menuActive = 0;
            infoVisible = 0;
            Prefs.cameraMode = 1;
            Pointer.updateCursor(Prefs, menuActive);
            break;
        case '@':
            rider.fieldOfView = static_cast<float>(Prefs.fovDegrees);
            selectTerrainImage();
            terrainHeightmap.applyBumpOption(Prefs.bumpOption);
            break;
        default:
            break;
    }
    if (key != 0) dialogManager.buildDialog(dialogManager.currentDialog, 0);
}

void runSpecialKeyCommand(int key) {
    if (!runStepCommand(kSpecialStepCommands, key)) {
        const float fogLimit = static_cast<float>(9 * Prefs.objectSize);
        switch (key) {
            case 5:
                Prefs.fogStart = static_cast<float>(Prefs.fogStart * 0.95);
                if (Prefs.fogStart < 0.01f) Prefs.fogStart = 0.01f;
                Prefs.depthCueFog = 1;
                StatusLine.showFloat("FogStart: %4.2f", Prefs.fogStart);
                break;
            case 6:
                Prefs.fogStart = static_cast<float>(Prefs.fogStart * 1.05263);
                if (Prefs.fogStart > fogLimit) Prefs.fogStart = fogLimit;
                if (Prefs.fogStart > Prefs.fogEnd) Prefs.fogStart = Prefs.fogEnd;
                Prefs.depthCueFog = 1;
                StatusLine.showFloat("FogStart: %4.2f", Prefs.fogStart);
                break;
            case 7:
                Prefs.fogEnd = static_cast<float>(Prefs.fogEnd * 0.95);
                if (Prefs.fogEnd < 0.01f) Prefs.fogEnd = 0.01f;
                if (Prefs.fogEnd < Prefs.fogStart) Prefs.fogEnd = Prefs.fogStart;
                Prefs.depthCueFog = 1;
                StatusLine.showFloat("FogEnd: %4.2f", Prefs.fogEnd);
                break;
            case 8:
                Prefs.fogEnd = steppedValue(Prefs.fogEnd, 1.05263, 0.0);
                if (Prefs.fogEnd > fogLimit) Prefs.fogEnd = fogLimit;
                Prefs.depthCueFog = 1;
                StatusLine.showFloat("FogEnd: %4.2f", Prefs.fogEnd);
                break;
            case 11:
                Prefs.fadeEffect = static_cast<float>(Prefs.fadeEffect * 0.95);
                if (Prefs.fadeEffect < 0.0f) Prefs.fadeEffect = 0.0f;
                if (Prefs.fadeEffect < 1.0f) Prefs.screenClear = 0;
                StatusLine.showFloat("Fade Effect: %4.2f", Prefs.fadeEffect * 100);
                break;
            case kKeyF12:
                Prefs.fadeEffect = static_cast<float>(Prefs.fadeEffect * 1.05263);
                if (Prefs.fadeEffect >= 1.0f) {
                    Prefs.fadeEffect = 1.0f;
                    Prefs.screenClear = 1;
                }
                StatusLine.showFloat("Fade Effect: %4.2f", Prefs.fadeEffect * 100);
                break;
            case kKeyInsert:
                soundPlayer.play("hit.wav", 1.0f, 1);
                break;
            default:
                break;
        }
    }
    if (key != 0) dialogManager.buildDialog(dialogManager.currentDialog, 0);
}

void togglePopupMenu() {
    if (menuActive == 0) {
        Pointer.leftButton = 0;
        Pointer.rightButton = 0;
        dialogManager.savedCameraMode = Prefs.cameraMode;
        if (Prefs.cameraMode != 0) Prefs.cameraMode = 2;
        menuActive = 1;
        helpVisible = 0;
    } else {
        Screen.clearPasses = 1;
        Prefs.cameraMode = dialogManager.savedCameraMode;
        menuActive = 0;
    }
    Pointer.updateCursor(Prefs, menuActive);
}
