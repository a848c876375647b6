// The sun sprite: a bright disc with a glow that fades to black (transparent) before the edges.
#pragma once

#include "image.h"

constexpr int kSunSize = 256;

Image makeSun();
