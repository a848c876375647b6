// The menu actions: each activated widget's row names its action, and its setting where it has one.
#include "app/dialog_commands.h"

#include "app/globals.h"
#include "app/park_actions.h"
#include "app/startup.h"
#include "ui/dialog_menus.h"

namespace {
int truncated(float value) {
    return static_cast<int>(value);
}

void setSetting(const MenuRow& row, float v) {
    if (row.intSetting) Prefs.*row.intSetting = truncated(v);
    if (row.floatSetting) Prefs.*row.floatSetting = v;
    if (row.format) StatusLine.showFloat(row.format, v);
}

void setFadeEffect(const MenuRow& row, float v) {
    Prefs.fadeEffect = v;
    Prefs.screenClear = 0;
    if (Prefs.fadeEffect >= 1.0f) {
        Prefs.fadeEffect = 1.0f;
        Prefs.screenClear = 1;
        Screen.clearPasses = 1;
    } else if (Prefs.fadeEffect < 0.02f) {
        Prefs.fadeEffect = 0.0f;
    }
    StatusLine.showFloat(row.format, Prefs.fadeEffect);
}

// The fog distances keep 0.01 apart: the one moved pushes the other, and the menu must then show it.
void setFogDistance(const MenuRow& row, float v) {
    const bool isStart = row.floatSetting == &PrefsRecord::fogStart;
    (isStart ? Prefs.fogStart : Prefs.fogEnd) = v;
    const bool pushed = Prefs.fogStart + 0.01 > Prefs.fogEnd;
    if (pushed && isStart) Prefs.fogEnd = static_cast<float>(Prefs.fogStart + 0.01);
    if (pushed && !isStart) Prefs.fogStart = static_cast<float>(Prefs.fogEnd - 0.01);
    Prefs.depthCueFog = 1;
    StatusLine.showFloat(row.format, v);
    if (pushed) Dialogs.buildDialog(Dialogs.currentDialog, 0);
}

void goBack() {
    const float x = Dialogs.originX, y = Dialogs.originY;
    Dialogs.popDialog();
    Dialogs.originX = x;
    Dialogs.originY = y;
}

using MenuHandler = void (*)(const MenuRow& row, float v);

struct MenuActionRow {
    MenuAction action;
    MenuHandler run;
};

constexpr MenuActionRow kMenuActions[] = {
    {MenuAction::SetSetting, setSetting},
    {MenuAction::FieldOfView,
     [](const MenuRow& row, float v) {
         Skater.fieldOfView = v;
         setSetting(row, v);
     }},
    {MenuAction::FadeEffect, setFadeEffect},
    {MenuAction::Letterbox,
     [](const MenuRow& row, float v) {
         Prefs.letterbox = truncated(v);
         Screen.clearPasses = 1;
         StatusLine.showInt(row.format, Prefs.letterbox);
     }},
    {MenuAction::ScreenClear,
     [](const MenuRow&, float v) {
         Prefs.screenClear = truncated(v);
         Screen.clearPasses = Prefs.screenClear;
     }},
    {MenuAction::Paused, [](const MenuRow&, float v) { Flags.paused = truncated(v); }},
    {MenuAction::SoundOn, [](const MenuRow&, float v) { Sounds.enabled = truncated(v); }},
    {MenuAction::Info,
     [](const MenuRow&, float) {
         Flags.infoVisible = Flags.infoVisible == 0 ? 1 : 0;
         if (Flags.infoVisible) Flags.helpVisible = 0;
     }},
    {MenuAction::Damping,
     [](const MenuRow& row, float v) {
         setSetting(row, v);
         Skater.damping = Prefs.damping;
     }},
    {MenuAction::FogDistance, setFogDistance},
    {MenuAction::TerrainImage, [](const MenuRow&, float v) { setTerrainImage(truncated(v)); }},
    {MenuAction::BumpOption, [](const MenuRow&, float v) { setBumpOption(truncated(v)); }},
    {MenuAction::Tessellation,
     [](const MenuRow& row, float v) {
         Prefs.tessellation = truncated(v);
         StatusLine.showInt(row.format, Prefs.tessellation);
         rebuildTerrainSurface();
     }},
    {MenuAction::Reset, [](const MenuRow&, float) { initVars(); }},
    {MenuAction::Exit, [](const MenuRow&, float) { requestExit(); }},
    {MenuAction::OpenOptions, [](const MenuRow&, float) { Dialogs.openDialog(kCustomMenu, 1); }},
    {MenuAction::OpenSave, [](const MenuRow&, float) { Dialogs.openDialog(kSaveMenu, 1); }},
    {MenuAction::OpenLoad, [](const MenuRow&, float) { Dialogs.openDialog(kLoadMenu, 1); }},
    {MenuAction::SwapControls,
     [](const MenuRow&, float) {
         Dialogs.openDialog(Dialogs.currentDialog == kStandardMenu ? kCustomMenu : kStandardMenu, 0);
     }},
    {MenuAction::Back, [](const MenuRow&, float) { goBack(); }},
    {MenuAction::SavePrefs, [](const MenuRow&, float) { savePrefsOnCommand(); }},
    {MenuAction::LoadPrefs,
     [](const MenuRow&, float) {
         if (loadPrefsOnCommand() == 0) applyLoadedSettings();
     }},
};
}  // namespace

void executeDialogCommand() {
    const MenuRow* row = findMenuRow(Dialogs.currentDialog, Dialogs.selectedId);
    if (row == nullptr) return;
    for (const MenuActionRow& action : kMenuActions)
        if (action.action == row->action) action.run(*row, Dialogs.selectedValue);
}
