// The two generated terrain images: a checkerboard and a grid, grey with alpha equal to brightness.
#pragma once

#include <cstdint>

constexpr int kCheckerboardKind = 8;
constexpr int kGridKind = 9;
constexpr int kProceduralSize = 128;

// The byte of every channel at column x, row y; 0 for an unknown kind.
uint8_t proceduralPattern(int kind, int x, int y);

// A new 128 x 128 texture object with the pattern of the given kind.
unsigned makeProceduralTexture(int kind, int mipmapped);
