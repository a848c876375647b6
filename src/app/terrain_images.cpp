// The ground pictures as data.
#include "app/terrain_images.h"

const TerrainImage kTerrainImages[kTerrainImageCount] = {
    {"sand.bmp", -1, 0, "Image 0/11: Sand", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {"cloud2128.bmp", -1, 1, "Image 1/11: Cloud", 6.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {"dirt128.bmp", -1, 1, "Image 2/11: Dirt", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {"marblewhite128.bmp", -1, 1, "Image 3/11: Marble", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {"metalplate128.bmp", -1, 1, "Image 4/11: MetalPlate", 10.0f, 1.0f, 0.6f, 0.5f, 1.0f},
    {"metalrough128.bmp", -1, 1, "Image 5/11: MetalGrain", 15.0f, 1.0f, 0.85f, 0.7f, 1.0f},
    {"nuclear128.bmp", -1, 1, "Image 6/11: Flame", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {"rocks128.bmp", -1, 1, "Image 7/11: Rock", 20.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {nullptr, kGridSlot, 0, "Image 8/11: Grid", 10.0f, 0.0f, 0.0f, 1.0f, 1.0f},
    {"water128.bmp", -1, 1, "Image 9/11: Water", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {"wood128.bmp", -1, 1, "Image 10/11: Wood", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
    {nullptr, kCheckerboardSlot, 0, "Image 11/11: CheckerBoard", 10.0f, 1.0f, 1.0f, 1.0f, 1.0f},
};

const TerrainImage* findTerrainImage(int index) {
    return index >= 0 && index < kTerrainImageCount ? &kTerrainImages[index] : nullptr;
}
