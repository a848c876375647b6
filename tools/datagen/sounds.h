// The sound effects, as samples in -1..1 at kSampleRate.
#pragma once

#include <vector>

constexpr int kSampleRate = 22050;

std::vector<float> makeWind();  // about 2 s of wind rising and falling
std::vector<float> makeHit();   // a short thump
