#include "ui/dialog_commands.h"

#include "app/globals.h"
#include "app/startup.h"
#include "ui/dialog_menus.h"

const char* const kImageNames[12] = {
    "Image 0/11: Sand",       "Image 1/11: Cloud",      "Image 2/11: Dirt",  "Image 3/11: Marble",
    "Image 4/11: MetalPlate", "Image 5/11: MetalGrain", "Image 6/11: Flame", "Image 7/11: Rock",
    "Image 8/11: Grid",       "Image 9/11: Water",      "Image 10/11: Wood", "Image 11/11: CheckerBoard",
};

const char* const kBumpOptionNames[5] = {
    "Option 0/4: Mounds",   "Option 1/4: Rings",      "Option 2/4: Rocks",
    "Option 3/4: Pyramids", "Option 4/4: Playground",
};

void showImageName() {
    if (Prefs.imageIndex >= 0 && Prefs.imageIndex < 12) StatusLine.setText(kImageNames[Prefs.imageIndex]);
}

void showBumpOptionName() {
    if (Prefs.bumpOption >= 0 && Prefs.bumpOption < 5) StatusLine.setText(kBumpOptionNames[Prefs.bumpOption]);
}

namespace {
int truncated(float value) {
    return static_cast<int>(value);
}

void setFadeEffect(float value) {
    Prefs.fadeEffect = value;
    Prefs.screenClear = 0;
    if (Prefs.fadeEffect >= 1.0f) {
        Prefs.fadeEffect = 1.0f;
        Prefs.screenClear = 1;
        Screen.clearPasses = 1;
    } else if (Prefs.fadeEffect < 0.02f) {
        Prefs.fadeEffect = 0.0f;
    }
    StatusLine.showFloat("Fade: %4.2f", Prefs.fadeEffect);
}

// Returns 1 when the other fog distance had to move, so the menu must show it.
int setFogStart(float value) {
    Prefs.fogStart = value;
    int moved = 0;
    if (Prefs.fogStart + 0.01 > Prefs.fogEnd) {
        Prefs.fogEnd = static_cast<float>(Prefs.fogStart + 0.01);
        moved = 1;
    }
    Prefs.depthCueFog = 1;
    StatusLine.showFloat("Fog Start Distance: %4.2f", Prefs.fogStart);
    return moved;
}

int setFogEnd(float value) {
    Prefs.fogEnd = value;
    int moved = 0;
    if (Prefs.fogStart + 0.01 > Prefs.fogEnd) {
        Prefs.fogStart = static_cast<float>(Prefs.fogEnd - 0.01);
        moved = 1;
    }
    Prefs.depthCueFog = 1;
    StatusLine.showFloat("Fog End Distance: %4.2f", Prefs.fogEnd);
    return moved;
}

void runStandardCommand(int id, float v) {
    switch (id) {
        case 51:
            rider.fieldOfView = v;
            Prefs.fovDegrees = truncated(v);
            StatusLine.showFloat("Fov: %4.2f", rider.fieldOfView);
            break;
        case 52:
            Prefs.cameraZ = v;
            StatusLine.showFloat("CameraZ: %4.2f", Prefs.cameraZ);
            break;
        case 55:
            setFadeEffect(v);
            break;
        case 56:
            Prefs.rotateSpeed = v;
            StatusLine.showFloat("Rotate Speed: %4.2f", Prefs.rotateSpeed);
            break;
        case 58:
            Prefs.polygonMode = truncated(v);
            break;
        case 59:
            Prefs.letterbox = truncated(v);
            Screen.clearPasses = 1;
            StatusLine.showInt("Letterbox: %1d", Prefs.letterbox);
            break;
        case 60:
            Prefs.heightScale = v;
            StatusLine.showFloat("Home: %4.2f", Prefs.heightScale);
            break;
        case 70:
            soundPlayer.enabled = truncated(v);
            break;
        case 96:
            Prefs.screenClear = truncated(v);
            Screen.clearPasses = Prefs.screenClear;
            break;
        case 97:
            paused = truncated(v);
            break;
        case 98:
            initVars();
            break;
        default:
            break;
    }
}

// Sliders that write one float setting and show it.
struct FloatSetting {
    int id;
    float* field;
    const char* format;
};

constexpr FloatSetting kCustomFloatSettings[] = {
    {10, &Prefs.ambient, nullptr},
    {11, &Prefs.diffuse, nullptr},
    {12, &Prefs.specular, nullptr},
    {13, &Prefs.reflective, nullptr},
    {14, &Prefs.shininess, nullptr},
    {21, &Prefs.textureMag, "Texture Magnification: %4.2f"},
    {71, &Prefs.mouseSensitivity, "Mouse Sensitivity: %4.2f"},
    {72, &Prefs.moveSensitivity, "Move Sensitivity: %4.2f"},
    {73, &Prefs.bumpResponse, "Bump Response: %5.1f"},
};

int runCustomCommand(int id, float v) {
    for (const FloatSetting& setting : kCustomFloatSettings) {
        if (setting.id != id) continue;
        *setting.field = v;
        if (setting.format) StatusLine.showFloat(setting.format, v);
        return 0;
    }
    switch (id) {
        case 20:
            Prefs.damping = v;
            rider.damping = Prefs.damping;
            StatusLine.showFloat("Motion Damping/Drag: %4.2f", Prefs.damping);
            return 0;
        case 22:
            return setFogStart(v);
        case 23:
            return setFogEnd(v);
        case 40:
            Prefs.imageIndex = truncated(v);
            selectTerrainImage();
            showImageName();
            return 0;
        case 41:
            Prefs.bumpOption = truncated(v);
            terrainHeightmap.applyBumpOption(Prefs.bumpOption);
            rebuildTerrainSurface();
            showBumpOptionName();
            return 0;
        case 50:
            Prefs.tessellation = truncated(v);
            StatusLine.showInt("Tesselation:: %d", Prefs.tessellation);
            rebuildTerrainSurface();
            return 0;
        default:
            return 0;
    }
}

void loadPrefsFromMenu() {
    if (loadPrefsOnCommand() != 0) return;
    selectTerrainImage();
    terrainHeightmap.applyBumpOption(Prefs.bumpOption);
}

void runMainMenuCommand(int id) {
    switch (id) {
        case 1:
            dialogManager.openDialog(kSaveMenu, 1);
            break;
        case 2:
            dialogManager.openDialog(kLoadMenu, 1);
            break;
        case 3:
            dialogManager.openDialog(kCustomMenu, 1);
            break;
        case 80:
            infoVisible = infoVisible == 0 ? 1 : 0;
            if (infoVisible) helpVisible = 0;
            break;
        default:
            break;
    }
}
}  // namespace

void executeDialogCommand() {
    const int id = dialogManager.selectedId;
    const float v = dialogManager.selectedValue;
    switch (id) {
        case 92:
            dialogManager.openDialog(
                dialogManager.currentDialog == kStandardMenu ? kCustomMenu : kStandardMenu, 0);
            return;
        case 93: {
            const float x = dialogManager.originX, y = dialogManager.originY;
            dialogManager.popDialog();
            dialogManager.originX = x;
            dialogManager.originY = y;
            return;
        }
        case 99:
            exitStartTime = Clock.now;
            menuActive = 0;
            soundPlayer.play("hit.wav", 0.5f, 1);
            return;
        default:
            break;
    }
    int refresh = 0;
    switch (dialogManager.currentDialog) {
        case kStandardMenu:
            runStandardCommand(id, v);
            break;
        case kCustomMenu:
            refresh = runCustomCommand(id, v);
            break;
        case kMainMenu:
            runMainMenuCommand(id);
            break;
        case kSaveMenu:
            if (id == 1)
                StatusLine.setText(Prefs.savePrefs("Rampix") == 0 ? "Saved Prefs" : "Could NOT Save Prefs");
            break;
        case kLoadMenu:
            if (id == 1) loadPrefsFromMenu();
            break;
        default:
            break;
    }
    if (refresh) dialogManager.buildDialog(dialogManager.currentDialog, 0);
}
