// The five pop-up menus as data.
#include "ui/dialog_menus.h"

#include <type_traits>

namespace {
using P = PrefsRecord;

constexpr MenuRow place(int kind, const char* label, int id, int x, int below, MenuAction action) {
    MenuRow row{};
    row.kind = kind;
    row.label = label;
    row.id = id;
    row.x = x;
    row.below = below;
    row.action = action;
    return row;
}
constexpr MenuRow title(const char* label, int x) {
    return place(kTitleBarKind, label, 0, x, 0, MenuAction::None);
}
constexpr MenuRow back(int x) {
    return place(kBackButtonKind, "", kBackCommand, x, 0, MenuAction::Back);
}
constexpr MenuRow button(const char* label, int id, int x, int below, MenuAction action) {
    return place(kButtonKind, label, id, x, below, action);
}
constexpr MenuRow toggle(const char* label, int id, int x, int below, int P::*setting, MenuAction action) {
    MenuRow row = place(kToggleKind, label, id, x, below, action);
    row.intSetting = setting;
    return row;
}
constexpr MenuRow toggle(const char* label, int id, int x, int below, MenuFlag flag, MenuAction action) {
    MenuRow row = place(kToggleKind, label, id, x, below, action);
    row.flag = flag;
    return row;
}
// A slider of an int or float setting: its range, whether it moves in whole steps or along a
// line (or a square curve), and what a move does.
template <typename T>
constexpr MenuRow slider(const char* label, int id, int below, T P::*setting, float minValue, float maxValue,
                         int integerSteps, int linear, MenuAction action, const char* format = nullptr) {
    MenuRow row = place(kSliderKind, label, id, 30, below, action);
    if constexpr (std::is_same_v<T, int>)
        row.intSetting = setting;
    else
        row.floatSetting = setting;
    row.minValue = minValue;
    row.maxValue = maxValue;
    row.integerSteps = integerSteps;
    row.linear = linear;
    row.format = format;
    return row;
}
constexpr MenuAction kSet = MenuAction::SetSetting;

constexpr MenuRow kStandardRows[] = {
    title("Standard", 30),
    back(180),
    button("Custom Controls...", kSwapControlsCommand, 250, 0, MenuAction::SwapControls),
    slider("RotateSpeed", kRotateSpeedCommand, 29, &P::rotateSpeed, 0.0f, 20.0f, 0, 0, kSet,
           "Rotate Speed: %4.2f"),
    slider("Home/End", kHeightScaleCommand, 53, &P::heightScale, 0.0f, 2.0f, 0, 0, kSet, "Home: %4.2f"),
    slider("Magnification/FOV", kFieldOfViewCommand, 82, &P::fovDegrees, 5.0f, 178.0f, 1, 1,
           MenuAction::FieldOfView, "Fov: %4.2f"),
    slider("CameraZ", kCameraZCommand, 106, &P::cameraZ, -3.0f, 3.0f, 0, 1, kSet, "CameraZ: %4.2f"),
    slider("Fade Effect", kFadeEffectCommand, 135, &P::fadeEffect, 0.01f, 1.0f, 0, 0, MenuAction::FadeEffect,
           "Fade: %4.2f"),
    slider("Letterbox", kLetterboxCommand, 159, &P::letterbox, 0.0f, 6.8f, 1, 1, MenuAction::Letterbox,
           "Letterbox: %1d"),
    slider("PolygonMode", kPolygonModeCommand, 183, &P::polygonMode, 0.0f, 2.9f, 1, 1, kSet),
    toggle("Screen Clear", kScreenClearCommand, 70, 212, &P::screenClear, MenuAction::ScreenClear),
    toggle("Pause", kPauseCommand, 70, 247, MenuFlag::Paused, MenuAction::Paused),
    toggle("Sounds", kSoundsCommand, 70, 282, MenuFlag::SoundOn, MenuAction::SoundOn),
    button("Reset", kResetCommand, 70, 327, MenuAction::Reset),
    button("Exit Program", kExitCommand, 70, 367, MenuAction::Exit),
};

constexpr MenuRow kCustomRows[] = {
    title("Rampix", 30),
    back(180),
    button("Standard Controls...", kSwapControlsCommand, 250, 0, MenuAction::SwapControls),
    slider("Image/Texture Options", kImageCommand, 29, &P::imageIndex, 0.0f, 11.5f, 1, 1,
           MenuAction::TerrainImage),
    slider("Bump Options", kBumpOptionCommand, 53, &P::bumpOption, 0.0f, 4.5f, 1, 1, MenuAction::BumpOption),
    slider("Bump Response Timing", kBumpResponseCommand, 77, &P::bumpResponse, 0.0f, 3.0f, 0, 1, kSet,
           "Bump Response: %5.1f"),
    slider("Tesselation", kTessellationCommand, 101, &P::tessellation, 31.0f, 99.9f, 1, 1,
           MenuAction::Tessellation, "Tesselation:: %d"),
    slider("Motion Damping/Drag", kDampingCommand, 135, &P::damping, 0.0f, 3.0f, 0, 0, MenuAction::Damping,
           "Motion Damping/Drag: %4.2f"),
    slider("Texture Magnification", kTextureMagCommand, 159, &P::textureMag, 0.0f, 10.0f, 0, 0, kSet,
           "Texture Magnification: %4.2f"),
    slider("Fog Start Distance", kFogStartCommand, 183, &P::fogStart, 0.0f, 6.0f, 0, 0,
           MenuAction::FogDistance, "Fog Start Distance: %4.2f"),
    slider("Fog End Distance", kFogEndCommand, 207, &P::fogEnd, 0.0f, 6.0f, 0, 0, MenuAction::FogDistance,
           "Fog End Distance: %4.2f"),
    slider("MouseLook Sensitivity", kMouseSensitivityCommand, 241, &P::mouseSensitivity, 0.0f, 2.0f, 0, 1,
           kSet, "Mouse Sensitivity: %4.2f"),
    slider("ArrowMove/Kick Sensitivity/Thrust", kMoveSensitivityCommand, 265, &P::moveSensitivity, 0.0f, 2.0f,
           0, 1, kSet, "Move Sensitivity: %4.2f"),
    slider("Ambient", kAmbientCommand, 299, &P::ambient, 0.0f, 1.0f, 0, 1, kSet),
    slider("Diffuse", kDiffuseCommand, 323, &P::diffuse, 0.0f, 1.0f, 0, 1, kSet),
    slider("Specular", kSpecularCommand, 347, &P::specular, 0.0f, 1.0f, 0, 1, kSet),
    slider("Reflective", kReflectiveCommand, 371, &P::reflective, 0.0f, 1.0f, 0, 1, kSet),
    slider("Shininess", kShininessCommand, 395, &P::shininess, 0.0f, 128.0f, 1, 0, kSet),
};

constexpr MenuRow kMainRows[] = {
    title("Main Menu", 30),
    button("Options...", kOptionsCommand, 30, 55, MenuAction::OpenOptions),
    button("Save...", kSaveMenuCommand, 30, 95, MenuAction::OpenSave),
    button("Load...", kLoadMenuCommand, 30, 135, MenuAction::OpenLoad),
    toggle("Info", kInfoCommand, 30, 185, MenuFlag::InfoVisible, MenuAction::Info),
    button("Quit", kExitCommand, 30, 240, MenuAction::Exit),
};

constexpr MenuRow kSaveRows[] = {
    title("Save Menu", 30),
    back(250),
    button("Save Prefs", kPrefsFileCommand, 30, 75, MenuAction::SavePrefs),
};

constexpr MenuRow kLoadRows[] = {
    title("Load Menu", 30),
    back(250),
    button("Load Prefs", kPrefsFileCommand, 30, 75, MenuAction::LoadPrefs),
};

template <int N>
constexpr Menu menu(const MenuRow (&rows)[N], int textSize, int wobble) {
    return {rows, N, textSize, wobble};
}

constexpr Menu kMenus[kMenuCount] = {
    menu(kStandardRows, 10, 0), menu(kCustomRows, 10, 0), menu(kMainRows, 20, 1),
    menu(kSaveRows, 20, 0),     menu(kLoadRows, 20, 0),
};
}  // namespace

const Menu* findMenu(int number) {
    if (number < 0 || number >= kMenuCount) return nullptr;
    return &kMenus[number];
}

const MenuRow* findMenuRow(int number, int id) {
    const Menu* menu = findMenu(number);
    if (menu == nullptr) return nullptr;
    for (int i = 0; i < menu->rowCount; ++i)
        if (menu->rows[i].id == id && menu->rows[i].kind != kTitleBarKind) return &menu->rows[i];
    return nullptr;
}
