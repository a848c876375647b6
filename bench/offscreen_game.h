// Starts the program's globals the way the game starts them, in the current offscreen context and
// without a window system, for the benchmarks that call runFrame() themselves.
#pragma once

// The clock reads elapsedMs; the other window-system calls do nothing. Start-up's progress lines
// are kept off standard output. Run in a folder that holds the game's data.
void startGameOffscreen(int width, int height, int (*elapsedMs)());
