// The game's actions that keys, menus, mouse buttons and other devices share, each written once.
#pragma once

// The preference file, "Rampix.pref" in the settings folder, without its ".pref".
const char* prefsBaseName();
// Loads the preference file, saying on stderr why a file that is there was refused. 0 = loaded.
int loadPrefsFile();

// The pop-up menu opens and closes a little differently from the backquote key and from the right
// mouse button: the button clears the buttons' states when opening, and each asks for the screen
// clear at the other end.
enum class MenuToggleSource { Key, MouseButton };
void togglePopupMenu(MenuToggleSource source);

// The first exit request starts the one-second fade; another during the fade ends on the next frame.
void requestExit();

// Save and load with their status messages; a load keeps the camera mode. 0 = done.
int savePrefsOnCommand();
int loadPrefsOnCommand();
// The field of view, the ground picture and the bump shape of the settings applied to the rider and
// the terrain: the follow-up of a load (the @ key applies it even after a failed load).
void applyLoadedSettings();

// The terrain surface shows the catalogue image that the settings select.
void selectTerrainImage();
// Choose a ground picture or a bump shape and name it on the status line.
void setTerrainImage(int index);
void setBumpOption(int option);
// The surface mesh at the settings' tessellation, from the current height grid.
void rebuildTerrainSurface();
// Help screen on or off; either way the menu and the info screen close and the view follows the mouse.
void toggleHelp();
// Auto, Manual and Hold in turn.
void stepCameraMode();
