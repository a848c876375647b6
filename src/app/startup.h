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

// Progress lines go to standard output, flushed at once so that a pipe sees them in order.
void printProgress(const char* line);
