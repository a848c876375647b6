// Start-up with no data, missing, truncated or 1-bit images, preference files empty, short, long or full of
// NaN and out-of-range words: every run must pass the splash, take keys and the menu, and quit cleanly.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
// kind: 0 good, 1 missing, 2 truncated (header only, half the pixels or one byte short, in turn), 3 saying
// 1 bit per pixel, 4 only the font cut in half.
void damageImages(const ScratchFolder& folder, int kind) {
    int index = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string path = entry.path().string();
        const Bytes image = readFile(path);
        const size_t cut[] = {54, image.size() / 2, image.size() - 1, image.size() / 2};
        if (entry.path().extension() != ".bmp" || kind == 0) continue;
        if (kind == 1) std::remove(path.c_str());
        if (kind == 2 || (kind == 4 && entry.path().filename() == "font_256.bmp"))
            writeFile(path, Bytes(image.data(), image.data() + cut[kind == 4 ? 3 : index++ % 3]));
        if (kind == 3) writeFile(path, patched(image, 28, 1, 2));
    }
}

// The first size bytes (-1: no file; a 173rd byte is 0xFF) of a record with every ranged int far
// outside its range (alternately the most positive and the most negative int) and every float NaN or
// infinite. Shorter than 172 bytes, the file is not loaded.
void writePrefs(const ScratchFolder& folder, int size) {
    if (size < 0) return;
    PrefsRecord record;
    const float specials[] = {NAN, INFINITY, -INFINITY};
    for (const PrefsField& f : kPrefsFields) {
        const long i = &f - kPrefsFields;
        if (f.intField) record.*f.intField = f.safeMin > f.safeMax ? 7 : (i % 2 ? INT_MIN : INT_MAX);
        if (f.floatField) record.*f.floatField = specials[i % 3];
    }
    Bytes bytes(PrefsRecord::kFileSize);
    record.toBytes(bytes.data());
    bytes.resize(static_cast<size_t>(size), 0xFF);
    writeFile(folder.file("Rampix.pref"), bytes);
}
}  // namespace

TEST(BadFiles, StartsRunAndQuitCleanly) {
    const struct {
        const char* name;
        bool data;       // the generated data files are there at all
        int images;      // as damageImages takes it
        int prefsBytes;  // as writePrefs takes it
        bool save;       // "!" during the run, then a second start in the same folder loads the file
    } starts[] = {
        {"no data at all", false, 0, -1, false},
        {"images missing, empty preferences, then saved", true, 1, 0, true},
        {"images truncated, preferences of 100 bytes", true, 2, 100, false},
        {"images of 1 bit per pixel, preferences of 171 bytes", true, 3, 171, false},
        {"font broken, broken preferences of 173 bytes", true, 4, 173, false},
        {"broken preferences of 172 bytes, then saved", true, 0, 172, true},
    };
    XSession x;
    for (const auto& c : starts) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder(c.data);
        damageImages(folder, c.images);
        writePrefs(folder, c.prefsBytes);
        // An empty working folder would send the game to the build's data: point it at the empty folder.
        const std::vector<std::string> environment =
            c.data ? std::vector<std::string>{}
                   : std::vector<std::string>{"RAMPIX_DATA_DIR=" + folder.path(),
                                              "XDG_CONFIG_HOME=" + folder.path()};
        for (int run = 0; run < (c.save ? 2 : 1); ++run) {
            Rampix app(x, folder.path(), environment);
            ASSERT_EQ(app.passSplash(), "");
            const char* prefsLine = run || c.prefsBytes >= 172 ? "Loaded Prefs.\n" : "No Prefs found.\n";
            EXPECT_NE(app.output().find(prefsLine), std::string::npos) << app.output();
            if (run == 0) {
                // Keys that use the images and the loaded settings, then the menu and one of its sliders:
                // every bump option (both height images), a new terrain image and tessellation, the
                // letterbox, the polygon mode, the field of view and the fog ("Options..." opens the
                // settings menu); "!" saves when asked.
                pressKeys(x, "o o o o i greater less l w comma F5 F8 F12 b", 50);
                pressKeys(x, "grave Down Right Down Down Down Down Right Left grave", 150);
                if (c.save) pressKeys(x, "exclam", 300);
            }
            EXPECT_EQ(app.quit(), "");
        }
        // What was saved loaded in the second start, and it is whole and in range.
        EXPECT_EQ(c.save ? checkPrefsFile(folder.file("Rampix.pref")) : "", "");
    }
}
