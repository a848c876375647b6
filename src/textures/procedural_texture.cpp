// The generated checkerboard and grid pictures.
#include "textures/procedural_texture.h"

#include <vector>

#include "textures/texture_loader.h"

uint8_t proceduralPattern(int kind, int x, int y) {
    if (kind == kCheckerboardKind) return static_cast<uint8_t>(255 * (((x / 8) % 2) ^ ((y / 8) % 2)));
    if (kind == kGridKind) return (x % 4 == 0 || y % 4 == 0) ? 255 : 0;
    return 0;
}

unsigned makeProceduralTexture(int kind, int mipmapped) {
    std::vector<uint8_t> pixels(kProceduralSize * kProceduralSize * 4);
    for (int y = 0; y < kProceduralSize; ++y) {
        for (int x = 0; x < kProceduralSize; ++x) {
            const uint8_t v = proceduralPattern(kind, x, y);
            uint8_t* pixel = &pixels[(y * kProceduralSize + x) * 4];
            pixel[0] = pixel[1] = pixel[2] = pixel[3] = v;
        }
    }
    return uploadRgbaTexture(pixels.data(), kProceduralSize, kProceduralSize, mipmapped);
}
