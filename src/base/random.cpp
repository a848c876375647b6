// The program's own random sequence.
#include "base/random.h"

#include <cstdint>

namespace {
uint32_t randomSeed = 1;
}

int nextRandom() {
    randomSeed = randomSeed * 214013u + 2531011u;
    return static_cast<int>((randomSeed >> 16) & 0x7FFF);
}

void seedRandom(unsigned seed) {
    randomSeed = seed;
}

double randomRange(double max) {
    return nextRandom() / 32768.0 * max;
}
