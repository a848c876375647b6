// One frame of the running program: clock, generators, screen preparation, camera, rider, world,
// overlays, fades and the ageing of the frame's input.
#pragma once

int runFrame();
