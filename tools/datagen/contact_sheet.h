// Pictures for people to look at: every generated image on one sheet, and enlargements.
#pragma once

#include <string>

// Tiles every .bmp in dataDir (each as stored, then over a checkerboard with brightness as alpha),
// plus the emblem, into one PNG.
bool writeContactSheet(const std::string& pngPath, const std::string& dataDir);
// Enlarges a BMP by a whole factor, without smoothing, into a PNG.
bool writeZoom(const std::string& pngPath, const std::string& bmpPath, int factor);
