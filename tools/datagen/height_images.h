// Height images for the terrain: grey pictures whose green byte g is read as a height of
// (g / 128 - 1) * scale, so 128 is ground level. Their borders stay at 128 so neighbours meet.
#pragma once

#include "image.h"

constexpr int kHeightSize = 128;
constexpr int kHeightBorder = 8;  // pixels along each edge kept at ground level
constexpr int kGroundLevel = 128;

Image makeRockBumps();  // scattered rounded boulders
Image makePyramids();   // a few square pyramids
