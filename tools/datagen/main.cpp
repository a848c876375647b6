// rampix_datagen: makes every picture and sound Rampix reads. The same inputs always give the same
// bytes: all randomness comes from fixed seeds.
//
//   rampix_datagen --data DIR --icons DIR --app-id ID --window-icon FILE.inc [--font FONT.ttf]
//       the program's data; the desktop icons DIR/scalable/apps/ID.svg and DIR/NxN/apps/ID.png; the
//       window's icons as C++ source
//   rampix_datagen --recompress FILE.png...                        PNGs written anew, same pixels
//   rampix_datagen --contact-sheet OUT.png DIR                     every picture in DIR on one sheet
//   rampix_datagen --zoom OUT.png IN.bmp FACTOR                    one picture enlarged
//   rampix_datagen --bmp-corpus DIR                                small BMPs to seed a fuzzer

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bmp.h"
#include "bmp_corpus.h"
#include "contact_sheet.h"
#include "font_atlas.h"
#include "height_images.h"
#include "icon.h"
#include "png_codec.h"
#include "sounds.h"
#include "sun.h"
#include "terrain_images.h"
#include "wav.h"
#include "widget_skin.h"

#ifndef RAMPIX_DEFAULT_FONT
#define RAMPIX_DEFAULT_FONT ""
#endif

namespace {
struct Picture {
    const char* name;
    Image (*make)();
};

const Picture kPictures[] = {
    {"controls_128.bmp", makeWidgetSkin},
    {"metalplate128.bmp", makeMetalPlate},
    {"sand.bmp", makeSand},
    {"cloud2128.bmp", makeCloud},
    {"dirt128.bmp", makeDirt},
    {"marblewhite128.bmp", makeMarble},
    {"metalrough128.bmp", makeMetalGrain},
    {"nuclear128.bmp", makeFlame},
    {"rocks128.bmp", makeRock},
    {"water128.bmp", makeWater},
    {"wood128.bmp", makeWood},
    {"sun_256.bmp", makeSun},
    {"bump_128.bmp", makeRockBumps},
    {"bump3.bmp", makePyramids},
};

bool writeBmp(const std::string& path, const Image& image) {
    if (image.width % 4 != 0) {
        std::fprintf(stderr, "%s: width %d would need row padding\n", path.c_str(), image.width);
        return false;
    }
    return writeFile(path, encodeBmp(image));
}

bool makeDirectoryFor(const std::string& path) {
    std::error_code error;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, error);
    if (error) std::fprintf(stderr, "cannot create %s\n", parent.string().c_str());
    return !error;
}

struct Outputs {
    std::string dataDir, iconsDir, appId, windowIcon, fontPath = RAMPIX_DEFAULT_FONT;
};

bool writeText(const std::string& path, const std::string& text) {
    return makeDirectoryFor(path) && writeFile(path, Bytes(text.begin(), text.end()));
}

bool writeIcons(const Outputs& out) {
    for (int size : kIconSizes) {
        const std::string folder = out.iconsDir + "/" + std::to_string(size) + "x" + std::to_string(size);
        const std::string path = folder + "/apps/" + out.appId + ".png";
        const Bytes png = encodePng(size, size, 4, makeIconRgba(size));
        if (png.empty() || !makeDirectoryFor(path) || !writeFile(path, png)) return false;
    }
    return writeText(out.iconsDir + "/scalable/apps/" + out.appId + ".svg", makeIconSvg()) &&
           writeText(out.windowIcon, makeWindowIconSource());
}

// Re-encoded in place; the pixels stay exactly as they were.
bool recompress(int count, char** paths) {
    for (int i = 0; i < count; ++i) {
        int width = 0, height = 0;
        Bytes rgb;
        if (!decodePng(paths[i], &width, &height, &rgb)) return false;
        const Bytes png = encodePng(width, height, 3, rgb);
        if (png.empty() || !writeFile(paths[i], png)) return false;
    }
    return true;
}

bool generate(const Outputs& out) {
    const std::string& dataDir = out.dataDir;
    const std::string& fontPath = out.fontPath;
    if (!makeDirectoryFor(dataDir + "/") || !writeIcons(out)) return false;
    Image font;
    if (!makeFontAtlas(fontPath, &font) || !writeBmp(dataDir + "/font_256.bmp", font)) return false;
    for (const Picture& picture : kPictures) {
        if (!writeBmp(dataDir + "/" + picture.name, picture.make())) return false;
    }
    return writeFile(dataDir + "/WIND2.wav", encodeWav(makeWind(), kSampleRate)) &&
           writeFile(dataDir + "/hit.wav", encodeWav(makeHit(), kSampleRate));
}

int usage() {
    std::fprintf(stderr,
                 "usage: rampix_datagen --data DIR --icons DIR --app-id ID --window-icon FILE.inc "
                 "[--font FONT.ttf]\n"
                 "       rampix_datagen --recompress FILE.png...\n"
                 "       rampix_datagen --contact-sheet OUT.png DIR\n"
                 "       rampix_datagen --zoom OUT.png IN.bmp FACTOR\n"
                 "       rampix_datagen --bmp-corpus DIR\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    bool ok;
    if (mode == "--contact-sheet" && argc == 4) {
        ok = writeContactSheet(argv[2], argv[3]);
    } else if (mode == "--zoom" && argc == 5) {
        ok = writeZoom(argv[2], argv[3], std::atoi(argv[4]));
    } else if (mode == "--bmp-corpus" && argc == 3) {
        ok = makeDirectoryFor(std::string(argv[2]) + "/") && writeBmpCorpus(argv[2]);
    } else if (mode == "--recompress" && argc > 2) {
        ok = recompress(argc - 2, argv + 2);
    } else {
        Outputs out;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string option = argv[i];
            std::string* value = option == "--data"          ? &out.dataDir
                                 : option == "--icons"       ? &out.iconsDir
                                 : option == "--app-id"      ? &out.appId
                                 : option == "--window-icon" ? &out.windowIcon
                                 : option == "--font"        ? &out.fontPath
                                                             : nullptr;
            if (!value) return usage();
            *value = argv[i + 1];
        }
        if (argc % 2 == 0 || out.dataDir.empty() || out.iconsDir.empty() || out.appId.empty() ||
            out.windowIcon.empty() || out.fontPath.empty())
            return usage();
        ok = generate(out);
    }
    return ok ? 0 : 1;
}
