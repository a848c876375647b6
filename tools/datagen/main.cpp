// rampix_datagen: makes every picture and sound Rampix reads. The same inputs always give the same
// bytes: all randomness comes from fixed seeds.
//
//   rampix_datagen --data DIR --icon FILE.png [--font FONT.ttf]   the program's data and icon
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
#include "emblem.h"
#include "font_atlas.h"
#include "height_images.h"
#include "png.h"
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

bool generate(const std::string& dataDir, const std::string& iconPath, const std::string& fontPath) {
    if (!makeDirectoryFor(dataDir + "/") || !makeDirectoryFor(iconPath)) return false;
    Image font;
    if (!makeFontAtlas(fontPath, &font) || !writeBmp(dataDir + "/font_256.bmp", font)) return false;
    for (const Picture& picture : kPictures) {
        if (!writeBmp(dataDir + "/" + picture.name, picture.make())) return false;
    }
    return writeFile(dataDir + "/WIND2.wav", encodeWav(makeWind(), kSampleRate)) &&
           writeFile(dataDir + "/hit.wav", encodeWav(makeHit(), kSampleRate)) &&
           writeFile(iconPath, encodePng(kEmblemSize, kEmblemSize, 4, makeEmblemRgba(makeMetalPlate())));
}

int usage() {
    std::fprintf(stderr,
                 "usage: rampix_datagen --data DIR --icon FILE.png [--font FONT.ttf]\n"
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
    } else {
        std::string dataDir, iconPath, fontPath = RAMPIX_DEFAULT_FONT;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string option = argv[i];
            if (option == "--data")
                dataDir = argv[i + 1];
            else if (option == "--icon")
                iconPath = argv[i + 1];
            else if (option == "--font")
                fontPath = argv[i + 1];
            else
                return usage();
        }
        if (argc % 2 == 0 || dataDir.empty() || iconPath.empty() || fontPath.empty()) return usage();
        ok = generate(dataDir, iconPath, fontPath);
    }
    return ok ? 0 : 1;
}
