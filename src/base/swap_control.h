// The X side of frame pacing, for the current GLX context: swap sync through whichever GLX
// swap-control extension the driver offers, the screen's refresh rate from XRandR, and a sleep that
// wakes on the next event from the X server.
#pragma once

// Asks for a swap interval: 1 = every buffer swap waits for the screen's refresh, 0 = never.
// Returns whether a swap now really waits: not where no extension is offered or the driver refuses,
// not under Mesa's vblank_mode=0 (the user's word that swaps must not wait), and not with Mesa's
// software renderers, whose swaps copy the picture at once whatever the interval.
bool requestSwapInterval(int interval);
// The refresh rate of the fastest active output in Hz; 60 where XRandR does not answer sensibly
// (Xvfb's modes have no timings).
double displayRefreshRate();
// Sleeps until the X server has something for the program, or timeoutMs have passed.
void waitForDisplayEvents(int timeoutMs);
