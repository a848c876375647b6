// The two-stage start (splash frames, then the one-time initialisation), the settings reset and
// the orderly stop.
#pragma once

// The fixed OpenGL state, the font and splash textures, the hidden cursor.
void initGraphicsState();
// One splash frame (the caller swaps the buffers).
void drawSplashFrame();

void initOnce();
void initVars();
void shutdown();

// Progress lines go to standard output, flushed at once so that a pipe sees them in order.
void printProgress(const char* line);
