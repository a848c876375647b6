// The two-stage start (splash frames, then the one-time initialisation), the settings reset and
// the orderly stop.
#pragma once

void initGraphicsState();
void firstDisplay();
void displayFrame();
void reshapeWindow(int width, int height);
void requestRedisplay();

void initOnce();
void initVars();
void shutdown();

// The terrain surface shows the catalogue image that the settings select.
void selectTerrainImage();
// The surface mesh at the settings' tessellation, from the current height grid.
void rebuildTerrainSurface();
// Save and load on command ("!", "@" and the menus), with their status messages; a load keeps the
// camera mode and applies the loaded field of view. 0 = done.
int savePrefsOnCommand();
int loadPrefsOnCommand();

// Progress lines go to standard output, flushed at once so that a pipe sees them in order.
void printProgress(const char* line);
