// Writing a picture as a PNG file.
#pragma once

#include <cstdint>
#include <string>

// rgb: width x height pixels of three bytes, the bottom row first (as OpenGL reads them). Returns ""
// when written, else why not; a failed write leaves no file behind.
std::string writePngFile(const std::string& path, const uint8_t* rgb, int width, int height);
