// One frame of the running program: clock, generators, screen preparation, camera, rider, world,
// overlays, fades and the ageing of the frame's input.
#pragma once

void runFrame();
// A screen-clear request blacks out the colour buffer on two frames in a row, one per buffer.
void runScreenClearRequest();
// The 2-D layers in window pixels: status line, dialogs, info screen and the title crawl.
void drawOverlays();
// Reports at most one OpenGL error per call, as a message and on standard error.
void checkGlError();
