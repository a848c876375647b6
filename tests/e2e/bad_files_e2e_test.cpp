// Start-up with broken or missing files: no data at all, missing images, truncated and 1-bit
// images, and preference files that are empty, short, long or full of NaN and out-of-range words.
// Every run must pass the splash, take keys and the menu, and quit cleanly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
const char* const kImages[] = {
    "font_256.bmp", "metalplate128.bmp",  "controls_128.bmp",  "sand.bmp",       "cloud2128.bmp",
    "dirt128.bmp",  "marblewhite128.bmp", "metalrough128.bmp", "nuclear128.bmp", "rocks128.bmp",
    "water128.bmp", "wood128.bmp",        "sun_256.bmp",       "bump_128.bmp",   "bump3.bmp"};

// A valid BMP of 1 bit per pixel: two palette colours (black, white), rows padded to four bytes.
Bytes oneBitBmp() {
    Bytes bytes = encodeBmp(Image(128, 128));
    bytes.resize(62 + 16 * 128);
    for (size_t i = 62; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 7 ? 0x55 : 0xF0);
    for (auto [at, value] :
         {std::pair{2, 62 + 16 * 128}, {10, 62}, {28, 1}, {34, 16 * 128}, {46, 2}, {54, 0}, {58, 0x00FFFFFF}})
        putLe(bytes, at, value);
    return bytes;
}

// kind: 0 good, 1 missing, 2 truncated (header only, half the pixels or one byte short, in turn),
// 3 of 1 bit per pixel, 4 only the font truncated.
void damageImages(const ScratchFolder& folder, int kind) {
    for (int index = 0; kind != 0 && index < 15; ++index) {
        const std::string path = folder.file(kImages[index]);
        const Bytes image = readFile(path);
        const size_t keep[] = {54, image.size() / 2, image.size() - 1};
        if (kind == 1) std::remove(path.c_str());
        if (kind == 2 || (kind == 4 && index == 0))
            writeFile(path, Bytes(image.begin(),
                                  image.begin() + static_cast<long>(keep[kind == 4 ? 1 : index % 3])));
        if (kind == 3) writeFile(path, oneBitBmp());
    }
}

// The first size bytes of a default record (a 173rd byte is 0xFF); when broken, every ranged int far
// outside its range (alternately the most negative and the most positive int) and every float NaN or
// infinite.
void writePrefs(const ScratchFolder& folder, int size, bool broken) {
    if (size < 0) return;
    PrefsRecord record;
    record.setDefaults();
    record.cameraMode = 1;
    Bytes bytes(PrefsRecord::kFileSize);
    record.toBytes(bytes.data());
    const float specials[] = {NAN, INFINITY, -INFINITY};
    size_t at = 4;
    for (const PrefsField& f : kPrefsFields) {
        uint32_t bits = f.safeMin <= f.safeMax ? (at % 8 ? 0x7FFFFFFFu : 0x80000000u) : 7u;
        if (!f.intField) std::memcpy(&bits, &specials[at % 3], 4);
        if (broken) putLe(bytes, at, bits, 4);
        at += 4;
    }
    bytes.resize(static_cast<size_t>(size), 0xFF);
    writeFile(folder.file("Rampix.pref"), bytes);
}

// Keys that use the images and the loaded settings, then the menu and one of its sliders: every
// bump option (both height images), a new terrain image and tessellation, the letterbox, the
// polygon mode, the field of view and the fog ("Options..." opens the settings menu).
void exerciseProgram(XSession& x, bool save) {
    pressKeys(x, "o o o o i greater less l w comma F5 F8 F12 b", 50);
    pressKeys(x,
              std::string("grave Down Right Down Down Down Down Right Left grave") + (save ? " exclam" : ""),
              250);
}
}  // namespace

TEST(BadFiles, StartsRunAndQuitCleanly) {
    const struct {
        const char* name;
        bool data;       // the generated data files are there at all
        int images;      // as damageImages takes it
        int prefsBytes;  // -1: no file
        bool broken;     // the words, when the file has 172 bytes or more and so loads
        bool save;       // "!" during the run, then a second start in the same folder loads the file
    } starts[] = {
        {"no data at all", false, 0, -1, false, false},
        {"images missing, empty preferences, then saved", true, 1, 0, false, true},
        {"images truncated, preferences of 100 bytes", true, 2, 100, false, false},
        {"images of 1 bit, preferences of 171 bytes", true, 3, 171, false, false},
        {"font broken, broken preferences of 173 bytes", true, 4, 173, true, false},
        {"broken preferences of 172 bytes, then saved", true, 0, 172, true, true},
    };
    XSession x;
    for (const auto& c : starts) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder(c.data);
        damageImages(folder, c.images);
        writePrefs(folder, c.prefsBytes, c.broken);
        for (int run = 0; run < (c.save ? 2 : 1); ++run) {
            Rampix app(x, folder.path());
            ASSERT_EQ(app.passSplash(), "");
            EXPECT_NE(app.output().find(run || c.broken ? "Loaded Prefs.\n" : "No Prefs found.\n"),
                      std::string::npos)
                << app.output();
            if (run == 0) exerciseProgram(x, c.save);
            EXPECT_EQ(app.quit(), "");
        }
        if (!c.save) continue;
        EXPECT_EQ(readFile(folder.file("Rampix.pref")).size(), PrefsRecord::kFileSize)
            << "the save wrote no file";
        EXPECT_EQ(checkPrefsFile(folder.file("Rampix.pref")), "");
    }
}
