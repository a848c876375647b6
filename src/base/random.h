// The program's one random number generator: a fixed linear congruential sequence, so that every
// random draw (terrain image, star field, wander, wind) is reproducible from a seed.
#pragma once

int nextRandom();                // 0..32767
void seedRandom(unsigned seed);  // the generator starts with seed 1
double randomRange(double max);  // nextRandom() / 32768.0 * max, in [0, max)
