// PNG through libpng's simplified interface.
#include "textures/png_file.h"

#include <png.h>

#include <cstdio>

std::string writePngFile(const std::string& path, const uint8_t* rgb, int width, int height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // A negative row stride writes the rows from the last in memory: the picture's top comes first.
    const png_int_32 stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb, stride, nullptr) != 0) return "";
    const std::string why = image.message[0] ? image.message : "the PNG library failed";
    std::remove(path.c_str());
    return why;
}
