// Writes RGB pictures as PNG files (uncompressed deflate blocks), for screenshots a person can open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds width x height pixels, top row first.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
