// The five pop-up menus as data.
#include "ui/dialog_menus.h"

namespace {
using P = PrefsRecord;

constexpr MenuRow place(int kind, const char* label, int id, int x, int below) {
    MenuRow row{};
    row.kind = kind;
    row.label = label;
    row.id = id;
    row.x = x;
    row.below = below;
    return row;
}
constexpr MenuRow title(const char* label, int x) {
    return place(kTitleBarKind, label, 0, x, 0);
}
constexpr MenuRow back(int x) {
    return place(kBackButtonKind, "", 93, x, 0);
}
constexpr MenuRow button(const char* label, int id, int x, int below) {
    return place(kButtonKind, label, id, x, below);
}
constexpr MenuRow toggle(const char* label, int id, int x, int below, int P::*setting) {
    MenuRow row = place(kToggleKind, label, id, x, below);
    row.intSetting = setting;
    return row;
}
constexpr MenuRow toggle(const char* label, int id, int x, int below, MenuFlag flag) {
    MenuRow row = place(kToggleKind, label, id, x, below);
    row.flag = flag;
    return row;
}
constexpr MenuRow slider(const char* label, int id, int below, float minValue, float maxValue,
                         int integerSteps, int linear) {
    MenuRow row = place(kSliderKind, label, id, 30, below);
    row.minValue = minValue;
    row.maxValue = maxValue;
    row.integerSteps = integerSteps;
    row.linear = linear;
    return row;
}
constexpr MenuRow slider(const char* label, int id, int below, int P::*setting, float minValue,
                         float maxValue, int integerSteps, int linear) {
    MenuRow row = slider(label, id, below, minValue, maxValue, integerSteps, linear);
    row.intSetting = setting;
    return row;
}
constexpr MenuRow slider(const char* label, int id, int below, float P::*setting, float minValue,
                         float maxValue, int integerSteps, int linear) {
    MenuRow row = slider(label, id, below, minValue, maxValue, integerSteps, linear);
    row.floatSetting = setting;
    return row;
}

constexpr MenuRow kStandardRows[] = {
    title("Standard", 30),
    back(180),
    button("Custom Controls...", 92, 250, 0),
    slider("RotateSpeed", 56, 29, &P::rotateSpeed, 0.0f, 20.0f, 0, 0),
    slider("Home/End", 60, 53, &P::heightScale, 0.0f, 2.0f, 0, 0),
    slider("Magnification/FOV", 51, 82, &P::fovDegrees, 5.0f, 178.0f, 1, 1),
    slider("CameraZ", 52, 106, &P::cameraZ, -3.0f, 3.0f, 0, 1),
    slider("Fade Effect", 55, 135, &P::fadeEffect, 0.01f, 1.0f, 0, 0),
    slider("Letterbox", 59, 159, &P::letterbox, 0.0f, 6.8f, 1, 1),
    slider("PolygonMode", 58, 183, &P::polygonMode, 0.0f, 2.9f, 1, 1),
    toggle("Screen Clear", 96, 70, 212, &P::screenClear),
    toggle("Pause", 97, 70, 247, MenuFlag::Paused),
    toggle("Sounds", 70, 70, 282, MenuFlag::SoundOn),
    button("Reset", 98, 70, 327),
    button("Exit Program", 99, 70, 367),
};

constexpr MenuRow kCustomRows[] = {
    title("Rampix", 30),
    back(180),
    button("Standard Controls...", 92, 250, 0),
    slider("Image/Texture Options", 40, 29, &P::imageIndex, 0.0f, 11.5f, 1, 1),
    slider("Bump Options", 41, 53, &P::bumpOption, 0.0f, 4.5f, 1, 1),
    slider("Bump Response Timing", 73, 77, &P::bumpResponse, 0.0f, 3.0f, 0, 1),
    slider("Tesselation", 50, 101, &P::tessellation, 31.0f, 99.9f, 1, 1),
    slider("Motion Damping/Drag", 20, 135, &P::damping, 0.0f, 3.0f, 0, 0),
    slider("Texture Magnification", 21, 159, &P::textureMag, 0.0f, 10.0f, 0, 0),
    slider("Fog Start Distance", 22, 183, &P::fogStart, 0.0f, 6.0f, 0, 0),
    slider("Fog End Distance", 23, 207, &P::fogEnd, 0.0f, 6.0f, 0, 0),
    slider("MouseLook Sensitivity", 71, 241, &P::mouseSensitivity, 0.0f, 2.0f, 0, 1),
    slider("ArrowMove/Kick Sensitivity/Thrust", 72, 265, &P::moveSensitivity, 0.0f, 2.0f, 0, 1),
    slider("Ambient", 10, 299, &P::ambient, 0.0f, 1.0f, 0, 1),
    slider("Diffuse", 11, 323, &P::diffuse, 0.0f, 1.0f, 0, 1),
    slider("Specular", 12, 347, &P::specular, 0.0f, 1.0f, 0, 1),
    slider("Reflective", 13, 371, &P::reflective, 0.0f, 1.0f, 0, 1),
    slider("Shininess", 14, 395, &P::shininess, 0.0f, 128.0f, 1, 0),
};

constexpr MenuRow kMainRows[] = {
    title("Main Menu", 30),
    button("Options...", 3, 30, 55),
    button("Save...", 1, 30, 95),
    button("Load...", 2, 30, 135),
    toggle("Info", 80, 30, 185, MenuFlag::InfoVisible),
    button("Quit", 99, 30, 240),
};

constexpr MenuRow kSaveRows[] = {
    title("Save Menu", 30),
    back(250),
    button("Save Prefs", 1, 30, 75),
};

constexpr MenuRow kLoadRows[] = {
    title("Load Menu", 30),
    back(250),
    button("Load Prefs", 1, 30, 75),
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
