// The twelve ground pictures the `i` key and the image slider choose from, and the catalogue slots
// of the textures made at start-up.
#pragma once

// Catalogue slots in loading order: the font and the splash texture come first, then the two
// generated patterns, the widget skin, the twelve ground pictures and the sun.
constexpr int kFontSlot = 0;
constexpr int kSplashSlot = 1;
constexpr int kGridSlot = 2;
constexpr int kCheckerboardSlot = 3;
constexpr int kControlsSlot = 4;
constexpr int kFirstImageSlot = 5;
constexpr int kTerrainImageCount = 12;
constexpr int kSunSlot = kFirstImageSlot + kTerrainImageCount;

// Everything about one ground picture: where its texture comes from, the name the status line
// shows, and how it is laid on the terrain.
struct TerrainImage {
    const char* fileName;  // nullptr: the generated pattern already in `patternSlot`
    int patternSlot;
    int mipmapped;
    const char* name;
    float repeat;  // texture repeats across the park, times the magnification
    float red, green, blue, alpha;
};

extern const TerrainImage kTerrainImages[kTerrainImageCount];

// nullptr for an index outside 0..11.
const TerrainImage* findTerrainImage(int index);
