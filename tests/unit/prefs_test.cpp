#include "settings/prefs.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <tuple>

#include "support/test_files.h"

namespace {
PrefsRecord defaults() {
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.cameraMode = 1;
    return prefs;
}

Bytes fileBytes(const PrefsRecord& prefs) {
    Bytes bytes(PrefsRecord::kFileSize);
    prefs.toBytes(bytes.data());
    return bytes;
}

// The preference file lives in the working folder.
struct PrefsFile : ::testing::Test {
    TempFolder folder{true};
    void expectOnlyThePreferenceFile() const {
        EXPECT_EQ(std::system("ls -A | grep -v '^Rampix.pref$' | grep -q ."), 256)
            << "a temporary file is left";
    }
};
}  // namespace

TEST_F(PrefsFile, DefaultsSaveToTheKnownBytesAndLoadBackTheSame) {
    const Bytes expected = {0x2C, 0xE5, 0x41, 0x00, 0x64, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0x3F, 0, 0, 0};
    const Bytes fresh = fileBytes(defaults());
    EXPECT_EQ(Bytes(fresh.begin(), fresh.begin() + 20), expected);

    PrefsRecord prefs = defaults();
    prefs.letterbox = 3;
    prefs.damping = 0.9f;
    ASSERT_EQ(prefs.savePrefs("Rampix"), 0);
    const Bytes saved = readFile("Rampix.pref");
    ASSERT_EQ(saved, fileBytes(prefs));
    PrefsRecord loaded;
    ASSERT_EQ(loaded.loadPrefs("Rampix"), 0);
    ASSERT_EQ(loaded.savePrefs("Rampix"), 0);
    EXPECT_EQ(readFile("Rampix.pref"), saved);
    expectOnlyThePreferenceFile();
}

TEST_F(PrefsFile, ShortMissingLongAndOutOfRangeFiles) {
    PrefsRecord prefs = defaults();
    EXPECT_EQ(prefs.loadPrefs("Rampix"), 1) << "no file";
    PrefsRecord changed = defaults();
    changed.fovDegrees = 42;
    Bytes bytes = fileBytes(changed);
    for (size_t size : {0u, 100u, 171u}) {
        writeFile("Rampix.pref", Bytes(bytes.begin(), bytes.begin() + size));
        EXPECT_EQ(prefs.loadPrefs("Rampix"), 1) << size;
        EXPECT_EQ(prefs.fovDegrees, 100) << "a refused file changes nothing";
    }
    bytes.push_back(0x55);
    writeFile("Rampix.pref", bytes);
    EXPECT_EQ(prefs.loadPrefs("Rampix"), 0) << "a longer file gives its first 172 bytes";
    EXPECT_EQ(prefs.fovDegrees, 42);

    PrefsRecord wild = defaults();
    wild.tessellation = 100000;
    wild.letterbox = -4;
    wild.imageIndex = 12;
    wild.bumpOption = 99;
    wild.polygonMode = 3;
    wild.fovDegrees = 0;
    wild.damping = std::nanf("");
    wild.heightScale = INFINITY;
    wild.cameraZ = 2.5f;
    writeFile("Rampix.pref", fileBytes(wild));
    ASSERT_EQ(prefs.loadPrefs("Rampix"), 0);
    EXPECT_EQ(
        std::make_tuple(prefs.tessellation, prefs.letterbox, prefs.imageIndex, prefs.bumpOption,
                        prefs.polygonMode, prefs.fovDegrees, prefs.damping, prefs.heightScale, prefs.cameraZ),
        std::make_tuple(99, 0, 11, 4, 2, 1, 1.0f, 1.0f, 2.5f))
        << "wild values are brought into range, valid ones load unchanged";
}

TEST_F(PrefsFile, AFailedSaveReportsFailureAndKeepsTheOldFile) {
    PrefsRecord prefs = defaults();
    ASSERT_EQ(prefs.savePrefs("Rampix"), 0);
    const Bytes old = readFile("Rampix.pref");
    prefs.fovDegrees = 77;

    // A full device: every write past the limit fails.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous;
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit tiny = previous;
    tiny.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const int fullResult = prefs.savePrefs("Rampix");
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(fullResult, 1);
    EXPECT_EQ(readFile("Rampix.pref"), old);  // a closed folder is tried by the protection test

    expectOnlyThePreferenceFile();
}
