// Any file read as a height image either leaves the grid exactly as it was, or gives a square grid
// of side 4..256 whose heights lie within the image's scale; cells past the new grid stay untouched.
// The bytes go through a real file because the loader's own file handling is part of what is tested.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "terrain/heightmap.h"
#include "textures/bmp_reader.h"

namespace {
constexpr float kScale = 7.0f;
constexpr int kStartSide = 128;
float cells[kHeightCells];
float untouched[kHeightCells];  // what every cell holds before a load
std::string imagePath;

bool cellsUntouchedFrom(int first) {
    return std::memcmp(cells + first, untouched + first, sizeof(float) * (kHeightCells - first)) == 0;
}

bool writeInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(imagePath.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

void removeImage() {
    unlink(imagePath.c_str());
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/heightmap_fuzz_XXXXXX";
    const int fd = mkstemp(pattern.data());
    require(fd >= 0, "no temporary file for the height image");
    close(fd);
    imagePath = pattern;
    for (int i = 0; i < kHeightCells; ++i) untouched[i] = -1000.0f - static_cast<float>(i % 977);
    std::atexit(removeImage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    require(writeInput(data, size), "could not write the height image");
    std::memcpy(cells, untouched, sizeof cells);
    Heightmap map;
    map.heights = cells;
    map.size = kStartSide;

    require(map.loadFromBmp(imagePath.c_str(), kScale) == 0, "a file that opens must give 0");

    // The loader reads files of up to 4 MiB, far more than any input the fuzzer is allowed to make.
    BmpImage image;
    const bool readable =
        decodeBmp(data, size, image) && image.width == image.height && image.width >= 4 && image.width <= 256;
    const int side = map.size;
    if (!readable) {
        require(side == kStartSide, "a refused image changed the side");
        require(cellsUntouchedFrom(0), "a refused image changed a cell");
        return 0;
    }
    require(side == image.width, "the side is not the image's width");
    for (int i = 0; i < side * side; ++i)
        require(std::isfinite(cells[i]) && cells[i] >= -kScale && cells[i] < kScale,
                "a height lies outside the image's scale");
    require(cellsUntouchedFrom(side * side), "a cell past the grid was written");
    for (float u = -1.5f; u <= 1.5f; u += 0.37f)
        require(std::isfinite(map.sampleHeight(u, 1.0f - u)), "a sampled height is not finite");
    return 0;
}
