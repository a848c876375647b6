// Start-up with broken or missing files: no data at all, missing images, truncated and 1-bit
// images, and preference files that are empty, short, long or full of NaN and out-of-range words.
// Every run must pass the splash, take keys and the menu, and quit cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "settings/prefs.h"
#include "support/robust_helpers.h"

namespace {
const char* const kImages[] = {
    "font_256.bmp", "metalplate128.bmp",  "controls_128.bmp",  "sand.bmp",       "cloud2128.bmp",
    "dirt128.bmp",  "marblewhite128.bmp", "metalrough128.bmp", "nuclear128.bmp", "rocks128.bmp",
    "water128.bmp", "wood128.bmp",        "sun_256.bmp",       "bump_128.bmp",   "bump3.bmp"};

enum class Images { Good, NoDataAtAll, Missing, Truncated, OneBit, FontOnlyBroken };
enum class PrefsFile { Absent, Empty, Bytes100, Bytes171, Broken173, Broken172 };

struct BadStart {
    const char* name;
    Images images;
    PrefsFile prefs;
    const char* prefsLine;
    // Save with "!" during the run, then start again in the same folder: the saved file must load.
    bool saveAndRestart;
};

void putLe(Bytes& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A valid BMP of 1 bit per pixel: two palette colours, rows padded to four bytes.
Bytes oneBitBmp(int width, int height) {
    const uint32_t rowBytes = static_cast<uint32_t>((width + 31) / 32 * 4);
    const uint32_t dataOffset = 14 + 40 + 8;
    Bytes bytes(dataOffset + rowBytes * static_cast<uint32_t>(height), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    putLe(bytes, 10, dataOffset, 4);
    putLe(bytes, 14, 40, 4);
    putLe(bytes, 18, static_cast<uint32_t>(width), 4);
    putLe(bytes, 22, static_cast<uint32_t>(height), 4);
    putLe(bytes, 26, 1, 2);
    putLe(bytes, 28, 1, 2);
    putLe(bytes, 46, 2, 4);
    putLe(bytes, 58, 0x00FFFFFF, 4);  // palette: black, white
    for (size_t i = dataOffset; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 7 ? 0x55 : 0xF0);
    return bytes;
}

// Header only, half the pixels, or one byte short, in turn.
Bytes truncated(const Bytes& image, int which) {
    const size_t keep[] = {54, image.size() / 2, image.size() - 1};
    return Bytes(image.begin(), image.begin() + static_cast<long>(keep[which % 3]));
}

void damageImages(const ScratchFolder& folder, Images kind) {
    int index = 0;
    for (const char* name : kImages) {
        const std::string path = folder.file(name);
        const Bytes image = readBytes(path);
        switch (kind) {
            case Images::Missing:
                std::remove(path.c_str());
                break;
            case Images::Truncated:
                writeBytes(path, truncated(image, index));
                break;
            case Images::OneBit:
                writeBytes(path, oneBitBmp(128, 128));
                break;
            case Images::FontOnlyBroken:
                if (std::strcmp(name, "font_256.bmp") == 0) writeBytes(path, truncated(image, 1));
                break;
            default:
                break;
        }
        ++index;
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

void writePrefs(const ScratchFolder& folder, PrefsFile kind) {
    Bytes bytes = defaultRecord();
    switch (kind) {
        case PrefsFile::Absent:
            return;
        case PrefsFile::Empty:
            bytes.clear();
            break;
        case PrefsFile::Bytes100:
            bytes.resize(100);
            break;
        case PrefsFile::Bytes171:
            bytes.resize(171);
            break;
        case PrefsFile::Broken173:
            bytes = brokenRecord();
            bytes.push_back(0xFF);
            break;
        case PrefsFile::Broken172:
            bytes = brokenRecord();
            break;
    }
    writeBytes(folder.file("Rampix.pref"), bytes);
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
    ScratchFolder folder(c.images != Images::NoDataAtAll);
    damageImages(folder, c.images);
    writePrefs(folder, c.prefs);
    {
        RampixProcess app(x.displayName(), folder.path());
        const std::string problem = passSplash(x, app);
        ASSERT_EQ(problem, "") << app.errors();
        EXPECT_NE(app.output().find(c.prefsLine), std::string::npos) << app.output();
        exerciseProgram(x, c.saveAndRestart);
        sleepMs(400);  // past the fade-in, which an exit waits for
        ASSERT_TRUE(app.running()) << app.output() << app.errors();
        if (c.saveAndRestart) {
            EXPECT_EQ(checkPrefsFile(folder.file("Rampix.pref")), "");
        }
        EXPECT_EQ(quitProgram(x, app), 0) << app.output();
        EXPECT_NE(app.output().find("\nShutting down...\nFin\n\n"), std::string::npos) << app.output();
        EXPECT_EQ(findProblems(app.errors()), "");
    }
    if (!c.saveAndRestart) return;
    EXPECT_EQ(readBytes(folder.file("Rampix.pref")).size(), PrefsRecord::kFileSize)
        << "the save wrote no file";
    RampixProcess again(x.displayName(), folder.path());
    ASSERT_EQ(passSplash(x, again), "") << again.errors();
    EXPECT_NE(again.output().find("Loaded Prefs.\n"), std::string::npos) << again.output();
    sleepMs(2200);
    EXPECT_EQ(quitProgram(x, again), 0) << again.output();
    EXPECT_EQ(findProblems(again.errors()), "");
}

INSTANTIATE_TEST_SUITE_P(Start, BadFiles,
                         ::testing::Values(BadStart{"NoDataAtAll", Images::NoDataAtAll, PrefsFile::Absent,
                                                    "No Prefs found.\n", false},
                                           BadStart{"ImagesMissingEmptyPrefsThenSaved", Images::Missing,
                                                    PrefsFile::Empty, "No Prefs found.\n", true},
                                           BadStart{"ImagesTruncatedPrefs100Bytes", Images::Truncated,
                                                    PrefsFile::Bytes100, "No Prefs found.\n", false},
                                           BadStart{"ImagesOneBitPrefs171Bytes", Images::OneBit,
                                                    PrefsFile::Bytes171, "No Prefs found.\n", false},
                                           BadStart{"FontBrokenPrefs173BytesBroken", Images::FontOnlyBroken,
                                                    PrefsFile::Broken173, "Loaded Prefs.\n", false},
                                           BadStart{"Prefs172BytesBrokenThenSaved", Images::Good,
                                                    PrefsFile::Broken172, "Loaded Prefs.\n", true}),
                         [](const ::testing::TestParamInfo<BadStart>& param) {
                             return std::string(param.param.name);
                         });
