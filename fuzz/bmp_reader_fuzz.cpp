// Any byte string given to the BMP reader is either refused with the image untouched, or gives a
// complete picture of at most 65536 pixels whose every byte can be read.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "textures/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BmpImage image;
    image.width = -1;
    image.height = -1;
    image.rgb.assign(3, 0x5A);
    if (!decodeBmp(data, size, image)) {
        require(image.width == -1 && image.height == -1, "a refused file changed the size");
        require(image.rgb.size() == 3 && image.rgb[0] == 0x5A, "a refused file changed the pixels");
        return 0;
    }
    require(image.width > 0 && image.height > 0, "an accepted image has a side of zero");
    require(static_cast<int64_t>(image.width) * image.height <= BmpImage::kMaxPixels,
            "an accepted image is larger than 65536 pixels");
    require(image.rgb.size() == static_cast<size_t>(image.width) * image.height * 3,
            "the pixel buffer does not match the size");
    unsigned sum = 0;
    for (int row = 0; row < image.height; ++row)
        for (int column = 0; column < image.width; ++column) sum += image.green(column, row);
    require(sum <= 255u * BmpImage::kMaxPixels, "impossible green sum");
    return 0;
}
