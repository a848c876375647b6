// The desktop icon: a quarter pipe under a sky with a board flying over its lip. The same few shapes
// are written as a scalable SVG and painted into RGBA pictures of any size, so both look alike.
#pragma once

#include <string>

#include "file_io.h"

// The sizes of the hicolor PNGs, and of the window's own icons (the small end of the same list).
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};
constexpr int kWindowIconSizes[] = {16, 32, 48, 64};

std::string makeIconSvg();
// size x size RGBA bytes, top row first, transparent outside the rounded square.
Bytes makeIconRgba(int size);
// C++ source: kWindowIcon, the _NET_WM_ICON values (width, height, then ARGB pixels, size after size).
std::string makeWindowIconSource();
