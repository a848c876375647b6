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

void runMenuAction(const MenuRow& row, float v) {
    switch (row.action) {
        case MenuAction::SetSetting:
            setSetting(row, v);
            break;
        case MenuAction::FieldOfView:
            Skater.fieldOfView = v;
            setSetting(row, v);
            break;
        case MenuAction::FadeEffect:
            setFadeEffect(row, v);
            break;
        case MenuAction::Letterbox:
            Prefs.letterbox = truncated(v);
            Screen.clearPasses = 1;
            StatusLine.showInt(row.format, Prefs.letterbox);
            break;
        case MenuAction::ScreenClear:
            Prefs.screenClear = truncated(v);
            Screen.clearPasses = Prefs.screenClear;
            break;
        case MenuAction::Paused:
            Flags.paused = truncated(v);
            break;
        case MenuAction::SoundOn:
            Sounds.enabled = truncated(v);
            break;
        case MenuAction::Info:
            Flags.infoVisible = Flags.infoVisible == 0 ? 1 : 0;
            if (Flags.infoVisible) Flags.helpVisible = 0;
            break;
        case MenuAction::Damping:
            setSetting(row, v);
            Skater.damping = Prefs.damping;
            break;
        case MenuAction::FogDistance:
            setFogDistance(row, v);
            break;
        case MenuAction::TerrainImage:
            setTerrainImage(truncated(v));
            break;
        case MenuAction::BumpOption:
            setBumpOption(truncated(v));
            break;
        case MenuAction::Tessellation:
            Prefs.tessellation = truncated(v);
            StatusLine.showInt(row.format, Prefs.tessellation);
            rebuildTerrainSurface();
            break;
        case MenuAction::Reset:
            initVars();
            break;
        case MenuAction::Exit:
            requestExit();
            break;
        case MenuAction::OpenOptions:
            Dialogs.openDialog(kCustomMenu, 1);
            break;
        case MenuAction::OpenSave:
            Dialogs.openDialog(kSaveMenu, 1);
            break;
        case MenuAction::OpenLoad:
            Dialogs.openDialog(kLoadMenu, 1);
            break;
        case MenuAction::SwapControls:
            Dialogs.openDialog(Dialogs.currentDialog == kStandardMenu ? kCustomMenu : kStandardMenu, 0);
            break;
        case MenuAction::Back:
            goBack();
            break;
        case MenuAction::SavePrefs:
            savePrefsOnCommand();
            break;
        case MenuAction::LoadPrefs:
            loadPrefsOnCommand();
            break;
        case MenuAction::None:
            break;
    }
}
}  // namespace

void executeDialogCommand() {
    if (const MenuRow* row = findMenuRow(Dialogs.currentDialog, Dialogs.selectedId))
        runMenuAction(*row, Dialogs.selectedValue);
}
