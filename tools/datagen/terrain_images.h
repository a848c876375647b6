// The ground textures: 128 x 128, tiling seamlessly, bright enough that brightness-as-alpha keeps
// them nearly opaque.
#pragma once

#include "image.h"

constexpr int kTerrainSize = 128;

Image makeMetalPlate();  // diamond tread steel
Image makeSand();
Image makeCloud();  // white clouds on light blue
Image makeDirt();
Image makeMarble();      // white with grey veins
Image makeMetalGrain();  // brushed metal
Image makeFlame();
Image makeRock();   // grey stones
Image makeWater();  // blue with light ripples
Image makeWood();   // planks
