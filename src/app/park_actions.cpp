// The shared game actions.
#include "app/park_actions.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/globals.h"
#include "app/ride_recording.h"
#include "app/terrain_images.h"
#include "base/file_places.h"

void togglePopupMenu(MenuToggleSource source) {
    const bool fromMouse = source == MenuToggleSource::MouseButton;
    if (Flags.menuActive == 0) {
        if (fromMouse)
            Pointer.leftButton = Pointer.rightButton = 0;  // the opening click must not toggle again
        else
            Screen.clearPasses = 1;
        Dialogs.savedCameraMode = Prefs.cameraMode;
        if (Prefs.cameraMode != kCameraAuto) Prefs.cameraMode = kCameraHold;
        Flags.menuActive = 1;
        Flags.helpVisible = 0;
    } else {
        if (fromMouse) Screen.clearPasses = 1;
        Prefs.cameraMode = Dialogs.savedCameraMode;
        Flags.menuActive = 0;
    }
    Pointer.updateCursor(Prefs, Flags.menuActive);
}

void requestExit() {
    Flags.exitStartTime = Flags.exitStartTime == 0.0f ? Clock.now : Clock.now - 5.0f;
    Flags.menuActive = 0;
    Flags.helpVisible = 0;
    Sounds.play("hit.wav", 0.5f, 1);
}

const char* prefsBaseName() {
    static const std::string baseName = filePlaces().prefsBaseName();
    return baseName.c_str();
}

int loadPrefsFile() {
    const int result = loadPlayerPrefs(Prefs, prefsBaseName());
    const std::string path = std::string(prefsBaseName()) + ".pref";
    struct stat info;
    // A replay loads the recorded bytes: the disk has nothing to explain then, nor without a file.
    if (result == 0 || !rideTakesLiveInput() || stat(path.c_str(), &info) != 0) return result;
    if (!S_ISREG(info.st_mode))
        std::fprintf(stderr, "rampix: %s refused: not a preference file but a folder or device\n",
                     path.c_str());
    else if (info.st_size < static_cast<off_t>(PrefsRecord::kFileSize))
        std::fprintf(stderr, "rampix: %s refused: %lld bytes, too short for a preference file (%zu bytes)\n",
                     path.c_str(), static_cast<long long>(info.st_size), PrefsRecord::kFileSize);
    else
        std::fprintf(stderr, "rampix: %s refused: cannot be read (%s)\n", path.c_str(), std::strerror(errno));
    return result;
}

int savePrefsOnCommand() {
    // An installed game makes its settings folder with the first save; a replay writes nothing.
    if (rideTakesLiveInput()) filePlaces().makeSettingsFolder();
    const int result = savePlayerPrefs(Prefs, prefsBaseName());
    StatusLine.setText(result == 0 ? "Saved Prefs" : "Could NOT Save Prefs");
    return result;
}

int loadPrefsOnCommand() {
    const int cameraMode = Prefs.cameraMode;
    const int result = loadPrefsFile();
    if (result == 0) {
        Prefs.cameraMode = cameraMode;
        Skater.fieldOfView = static_cast<float>(Prefs.fovDegrees);
        Pointer.updateCursor(Prefs, Flags.menuActive);
    }
    StatusLine.setText(result == 0 ? "Loaded Prefs" : "Could NOT Load Prefs");
    return result;
}

void applyLoadedSettings() {
    Skater.fieldOfView = static_cast<float>(Prefs.fovDegrees);
    selectTerrainImage();
    HeightGrid.applyBumpOption(Prefs.bumpOption);
}

void selectTerrainImage() {
    Terrain.texture =
        static_cast<int>(Catalogue.catalogueTexture(Catalogue.firstImageTexture + Prefs.imageIndex));
}

void setTerrainImage(int index) {
    Prefs.imageIndex = index;
    selectTerrainImage();
    if (const TerrainImage* image = findTerrainImage(index)) StatusLine.setText(image->name);
}

void setBumpOption(int option) {
    Prefs.bumpOption = option;
    HeightGrid.applyBumpOption(option);
    rebuildTerrainSurface();
    if (const char* name = Heightmap::bumpOptionName(option)) StatusLine.setText(name);
}

void rebuildTerrainSurface() {
    Terrain.setResolution(Prefs.tessellation);
    Terrain.build(HeightGrid);
}

void toggleHelp() {
    Flags.helpVisible = Flags.helpVisible == 0 ? 1 : 0;
    if (Flags.helpVisible == 0) Screen.clearPasses = 1;
    Flags.menuActive = 0;
    Flags.infoVisible = 0;
    Prefs.cameraMode = kCameraManual;
    Pointer.updateCursor(Prefs, Flags.menuActive);
}

void stepCameraMode() {
    static constexpr const char* kMessages[kCameraModeCount] = {
        "Camera 1: Auto", "Camera 2: Manual Mouse/Arrow Key Control", "Camera 3: Hold"};
    Prefs.cameraMode = (Prefs.cameraMode + 1) % kCameraModeCount;
    if (Prefs.cameraMode < 0) Prefs.cameraMode += kCameraModeCount;
    StatusLine.setText(kMessages[Prefs.cameraMode]);
    if (Prefs.cameraMode != kCameraAuto) Pointer.moved = 1;
    Pointer.updateCursor(Prefs, Flags.menuActive);
}
