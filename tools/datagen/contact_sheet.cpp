#include "contact_sheet.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "bmp.h"
#include "font_atlas.h"
#include "icon.h"
#include "png_codec.h"
#include "terrain_images.h"

namespace {
constexpr int kSheetWidth = 1120;
constexpr int kGap = 8;
constexpr int kLabelHeight = 18;
const Rgb kPaper{0.16f, 0.17f, 0.20f};

struct Entry {
    std::string name;
    Image stored;
    Image composited;
};

Rgb checker(int x, int y) {
    return ((x / 8 + y / 8) & 1) ? grey(0.62f) : grey(0.42f);
}

// What the program shows: the picture over whatever is behind it, opacity from brightness.
Image overChecker(const Image& image) {
    Image out(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.at(x, y);
            out.at(x, y) = mix(checker(x, y), c, brightness(c));
        }
    }
    return out;
}

// Writes text with the atlas at half size (8 x 16 per character).
void label(Image& sheet, const Image& font, const std::string& text, int x, int y) {
    for (char ch : text) {
        const int cell = static_cast<unsigned char>(ch) - kFontFirstCode;
        if (cell >= 0 && cell < 128 && font.width == kFontAtlasSize) {
            const int cx = (cell % 16) * kFontCellWidth, cy = (cell / 16) * kFontCellHeight;
            for (int j = 0; j < kFontCellHeight / 2; ++j) {
                for (int i = 0; i < kFontCellWidth / 2; ++i) {
                    float ink = 0.0f;
                    for (int k = 0; k < 4; ++k)
                        ink += font.at(cx + 2 * i + k % 2, cy + 2 * j + k / 2).r / 4.0f;
                    if (x + i < sheet.width && y + j < sheet.height)
                        sheet.at(x + i, y + j) = mix(sheet.at(x + i, y + j), grey(0.95f), ink);
                }
            }
        }
        x += kFontCellWidth / 2;
    }
}
}  // namespace

bool writeContactSheet(const std::string& pngPath, const std::string& dataDir) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(dataDir, error)) {
        if (item.path().extension() == ".bmp") paths.push_back(item.path().string());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<Entry> entries;
    Image font;
    for (const std::string& path : paths) {
        Bytes bytes;
        Entry e;
        e.name = std::filesystem::path(path).filename().string();
        if (!readFile(path, &bytes) || !decodeBmp(bytes, &e.stored)) continue;
        if (e.name == "font_256.bmp") font = e.stored;
        e.composited = overChecker(e.stored);
        entries.push_back(e);
    }
    // The icon carries a real alpha channel; show it the same way.
    constexpr int kIconSide = 128;
    const Bytes iconRgba = makeIconRgba(kIconSide);
    Entry icon{"icon (128 x 128)", Image(kIconSide, kIconSide), Image(kIconSide, kIconSide)};
    for (int i = 0; i < kIconSide * kIconSide; ++i) {
        const Rgb c{iconRgba[4 * i] / 255.0f, iconRgba[4 * i + 1] / 255.0f, iconRgba[4 * i + 2] / 255.0f};
        const int x = i % kIconSide, y = i / kIconSide;
        icon.stored.at(x, y) = c * (iconRgba[4 * i + 3] / 255.0f);
        icon.composited.at(x, y) = mix(checker(x, y), c, iconRgba[4 * i + 3] / 255.0f);
    }
    entries.push_back(icon);

    // Shelf layout, left to right and then down.
    struct Placed {
        const Entry* entry;
        int x, y;
    };
    std::vector<Placed> placed;
    int x = kGap, y = kGap, shelf = 0;
    for (const Entry& e : entries) {
        const int w = 2 * e.stored.width + kGap, h = e.stored.height + kLabelHeight;
        if (x + w + kGap > kSheetWidth) {
            x = kGap;
            y += shelf + kGap;
            shelf = 0;
        }
        placed.push_back({&e, x, y});
        x += w + 2 * kGap;
        shelf = std::max(shelf, h);
    }
    Image sheet(kSheetWidth, y + shelf + kGap, kPaper);
    for (const Placed& p : placed) {
        label(sheet, font, p.entry->name, p.x, p.y);
        blit(sheet, p.entry->stored, p.x, p.y + kLabelHeight);
        blit(sheet, p.entry->composited, p.x + p.entry->stored.width + kGap, p.y + kLabelHeight);
    }
    return writeFile(pngPath, encodePng(sheet));
}

bool writeZoom(const std::string& pngPath, const std::string& bmpPath, int factor) {
    Bytes bytes;
    Image image;
    if (factor < 1 || !readFile(bmpPath, &bytes) || !decodeBmp(bytes, &image)) return false;
    Image big(image.width * factor, image.height * factor);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) big.at(x, y) = image.at(x / factor, y / factor);
    return writeFile(pngPath, encodePng(big));
}
