// Start-up with broken or missing files: no data at all, missing images, truncated and 1-bit
// images, and preference files that are empty, short, long or full of NaN and out-of-range words.
// Every run must pass the splash, take keys and the menu, and quit cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
const char* const kImages[] = {
    "font_256.bmp", "metalplate128.bmp",  "controls_128.bmp",  "sand.bmp",       "cloud2128.bmp",
    "dirt128.bmp",  "marblewhite128.bmp", "metalrough128.bmp", "nuclear128.bmp", "rocks128.bmp",
    "water128.bmp", "wood128.bmp",        "sun_256.bmp",       "bump_128.bmp",   "bump3.bmp"};

struct BadStart {
    const char* name;
    bool data;       // the generated data files are there at all
    int images;      // 0 good, 1 missing, 2 truncated, 3 of 1 bit per pixel, 4 only the font truncated
    int prefsBytes;  // -1 no file, else the first bytes of the record (a 173rd byte is 0xFF)
    bool broken;     // the record's words out of range or not finite
    const char* prefsLine;
    // Save with "!" during the run, then start again in the same folder: the saved file must load.
    bool saveAndRestart;
};

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

// Header only, half the pixels, or one byte short, in turn.
Bytes truncated(const Bytes& image, int which) {
    const size_t keep[] = {54, image.size() / 2, image.size() - 1};
    return Bytes(image.begin(), image.begin() + static_cast<long>(keep[which % 3]));
}

void damageImages(const ScratchFolder& folder, int kind) {
    for (int index = 0; kind != 0 && index < 15; ++index) {
        const std::string path = folder.file(kImages[index]);
        const Bytes image = readFile(path);
        if (kind == 1) std::remove(path.c_str());
        if (kind == 2) writeFile(path, truncated(image, index));
        if (kind == 3) writeFile(path, oneBitBmp());
        if (kind == 4 && index == 0) writeFile(path, truncated(image, 1));
    }
}

Bytes defaultRecord() {
    PrefsRecord record;
    record.setDefaults();
    record.cameraMode = 1;
    Bytes bytes(PrefsRecord::kFileSize);
    record.toBytes(bytes.data());
    return bytes;
}

// Every ranged int far outside its range (alternately the most negative and the most positive int)
// and every float NaN or infinite.
Bytes brokenRecord() {
    Bytes bytes = defaultRecord();
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity()};
    size_t at = 4;
    for (const PrefsField& f : kPrefsFields) {
        uint32_t bits = 0;
        if (f.intField) {
            bits = f.safeMin <= f.safeMax ? (at % 8 ? 0x7FFFFFFFu : 0x80000000u) : 7u;
        } else {
            std::memcpy(&bits, &specials[at % 3], 4);
        }
        putLe(bytes, at, bits, 4);
        at += 4;
    }
    return bytes;
}

void writePrefs(const ScratchFolder& folder, const BadStart& c) {
    if (c.prefsBytes < 0) return;
    Bytes bytes = c.broken ? brokenRecord() : defaultRecord();
    bytes.resize(static_cast<size_t>(c.prefsBytes), 0xFF);
    writeFile(folder.file("Rampix.pref"), bytes);
}

void press(XSession& x, const char* key, int pauseMs = 80) {
    x.key(key);
    sleepMs(pauseMs);
}

// Keys that use the images and the loaded settings, then the menu and one of its sliders: every
// bump option (both height images), a new terrain image and tessellation, the letterbox, the
// polygon mode, the field of view and the fog.
void exerciseProgram(XSession& x, bool save) {
    for (const char* key :
         {"o", "o", "o", "o", "i", "greater", "less", "l", "w", "comma", "F5", "F8", "F12", "b"})
        press(x, key);
    press(x, "grave", 300);
    press(x, "Down", 200);
    press(x, "Right", 300);  // "Options..." opens the settings menu
    for (int i = 0; i < 4; ++i) press(x, "Down", 150);
    press(x, "Right", 200);
    press(x, "Left", 200);
    press(x, "grave", 300);
    if (save) press(x, "exclam", 300);
}

void PrintTo(const BadStart& c, std::ostream* out) {
    *out << c.name;
}

class BadFiles : public ::testing::TestWithParam<BadStart> {};
}  // namespace

TEST_P(BadFiles, StartsRunsAndQuitsCleanly) {
    const BadStart& c = GetParam();
    XSession x;
    ScratchFolder folder(c.data);
    damageImages(folder, c.images);
    writePrefs(folder, c);
    {
        Rampix app(x, folder.path());
        ASSERT_EQ(app.passSplash(), "");
        EXPECT_NE(app.output().find(c.prefsLine), std::string::npos) << app.output();
        exerciseProgram(x, c.saveAndRestart);
        sleepMs(400);  // past the fade-in, which an exit waits for
        ASSERT_TRUE(app.running()) << app.output() << app.errors();
        if (c.saveAndRestart) {
            EXPECT_EQ(checkPrefsFile(folder.file("Rampix.pref")), "");
        }
        EXPECT_EQ(app.quit(), "");
    }
    if (!c.saveAndRestart) return;
    EXPECT_EQ(readFile(folder.file("Rampix.pref")).size(), PrefsRecord::kFileSize)
        << "the save wrote no file";
    Rampix again(x, folder.path());
    ASSERT_EQ(again.passSplash(), "");
    EXPECT_NE(again.output().find("Loaded Prefs.\n"), std::string::npos) << again.output();
    sleepMs(2200);
    EXPECT_EQ(again.quit(), "");
}

const BadStart kStarts[] = {
    {"NoDataAtAll", false, 0, -1, false, "No Prefs found.\n", false},
    {"ImagesMissingEmptyPrefsThenSaved", true, 1, 0, false, "No Prefs found.\n", true},
    {"ImagesTruncatedPrefs100Bytes", true, 2, 100, false, "No Prefs found.\n", false},
    {"ImagesOneBitPrefs171Bytes", true, 3, 171, false, "No Prefs found.\n", false},
    {"FontBrokenPrefs173BytesBroken", true, 4, 173, true, "Loaded Prefs.\n", false},
    {"Prefs172BytesBrokenThenSaved", true, 0, 172, true, "Loaded Prefs.\n", true},
};
INSTANTIATE_TEST_SUITE_P(Start, BadFiles, ::testing::ValuesIn(kStarts),
                         [](const ::testing::TestParamInfo<BadStart>& p) {
                             return std::string(p.param.name);
                         });
