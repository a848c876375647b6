#include "png_codec.h"

#include <png.h>

#include <cstdio>

namespace {
png_uint_32 formatFor(int channels) {
    return channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
}
}  // namespace

Bytes encodePng(int width, int height, int channels, const Bytes& data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = formatFor(channels);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, data.data(), 0, nullptr)) return {};
    Bytes out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, data.data(), 0, nullptr)) {
        std::fprintf(stderr, "PNG: %s\n", image.message);
        return {};
    }
    out.resize(size);
    return out;
}

Bytes encodePng(const Image& image) {
    Bytes rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const Rgb& c : image.pixels) {
        rgb.push_back(toByte(c.r));
        rgb.push_back(toByte(c.g));
        rgb.push_back(toByte(c.b));
    }
    return encodePng(image.width, image.height, 3, rgb);
}

bool decodePng(const std::string& path, int* width, int* height, Bytes* pixels, int channels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), image.message);
        return false;
    }
    image.format = formatFor(channels);
    pixels->assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, pixels->data(), 0, nullptr)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), image.message);
        return false;
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return true;
}
