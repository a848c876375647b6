// The program's emblem, three metal bars in a Z, as an RGBA picture with a transparent background.
#pragma once

#include "file_io.h"
#include "image.h"

constexpr int kEmblemSize = 128;

// RGBA bytes, top row first. metal is the 128 x 128 plate texture the bars are cut from.
Bytes makeEmblemRgba(const Image& metal);
