// The text atlas: printable ASCII in a 16 x 8 grid of 16 x 32 cells, white on black.
#pragma once

#include <string>

#include "image.h"

constexpr int kFontAtlasSize = 256;
constexpr int kFontCellWidth = 16;
constexpr int kFontCellHeight = 32;
constexpr int kFontFirstCode = 32;
constexpr int kFontLastCode = 126;

// Renders the atlas from the TrueType font at fontPath; false (with a message) if FreeType fails.
bool makeFontAtlas(const std::string& fontPath, Image* atlas);
