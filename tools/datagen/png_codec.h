// PNG files through libpng: compressed 8-bit RGB or RGBA out, any PNG in.
#pragma once

#include <string>

#include "file_io.h"
#include "image.h"

// channels is 3 (RGB) or 4 (RGBA); data holds width * height * channels bytes, top row first.
// Empty when libpng refuses.
Bytes encodePng(int width, int height, int channels, const Bytes& data);
// An opaque picture as RGB.
Bytes encodePng(const Image& image);

// Any PNG, converted to 8-bit RGB or RGBA as channels says, top row first. False (with the reason on
// stderr) when the file is missing or is no PNG libpng can read.
bool decodePng(const std::string& path, int* width, int* height, Bytes* pixels, int channels = 3);
