// 24-bit uncompressed Windows bitmaps, the format of every picture the program reads.
#pragma once

#include <string>

#include "file_io.h"
#include "image.h"

// Rows are written bottom-up (positive height) unless topDown, padded to 4 bytes as the format asks.
Bytes encodeBmp(const Image& image, bool topDown = false);
// Reads back a 24-bit uncompressed bitmap of either row order.
bool decodeBmp(const Bytes& bytes, Image* image);
