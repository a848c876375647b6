#include "bmp_corpus.h"

#include "bmp.h"

namespace {
Image pattern(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at(x, y) = {x / (width - 1.0f), y / (height - 1.0f), (x + y) % 2 * 1.0f};
    return image;
}
}  // namespace

bool writeBmpCorpus(const std::string& dir) {
    Image heights(8, 8, grey(128.0f / 255.0f));
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            heights.at(x, y) = grey((y == 2 || y == 5 || x == 2 || x == 5) ? 0.7f : 0.9f);
    return writeFile(dir + "/rgb_4x4.bmp", encodeBmp(pattern(4, 4))) &&
           writeFile(dir + "/padded_5x3.bmp", encodeBmp(pattern(5, 3))) &&
           writeFile(dir + "/top_down_4x2.bmp", encodeBmp(pattern(4, 2), true)) &&
           writeFile(dir + "/height_8x8.bmp", encodeBmp(heights));
}
