// A minimal PNG writer: deflate "stored" blocks, so no compression library is needed.
#pragma once

#include "file_io.h"
#include "image.h"

// channels is 3 (RGB) or 4 (RGBA); data holds width * height * channels bytes, top row first.
Bytes encodePng(int width, int height, int channels, const Bytes& data);
// An opaque picture as RGB.
Bytes encodePng(const Image& image);

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
