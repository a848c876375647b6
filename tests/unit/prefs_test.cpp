#include "settings/prefs.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {
std::vector<uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

PrefsRecord defaults() {
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.cameraMode = 1;
    return prefs;
}

// Runs each test in a scratch folder, since the preference file lives in the working folder.
class PrefsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/rampix-prefs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_EQ(getcwd(previous_, sizeof previous_), previous_);
        ASSERT_EQ(chdir(folder_.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous_), 0);
        ASSERT_EQ(std::system(("chmod -R u+w " + folder_ + " && rm -rf " + folder_).c_str()), 0);
    }
    std::string folder_;
    char previous_[4096];
};
}  // namespace

TEST(Prefs, DefaultsAndTheirFileForm) {
    const PrefsRecord prefs = defaults();
    EXPECT_EQ(prefs.fovDegrees, 100);
    EXPECT_EQ(prefs.tessellation, 63);
    EXPECT_EQ(prefs.bumpOption, 4);
    EXPECT_EQ(prefs.screenClear, 1);
    EXPECT_FLOAT_EQ(prefs.fogEnd, 5.0f);
    EXPECT_FLOAT_EQ(prefs.specular, 0.99f);
    EXPECT_FLOAT_EQ(prefs.shininess, 10.0f);
    uint8_t bytes[PrefsRecord::kFileSize];
    prefs.toBytes(bytes);
    const uint8_t expected[] = {0x2C, 0xE5, 0x41, 0x00, 0x64, 0, 0,    0, 0x01, 0,
                                0,    0,    0,    0,    0,    0, 0x3F, 0, 0,    0};
    EXPECT_EQ(0, std::memcmp(bytes, expected, sizeof expected));
    float fogEnd;
    std::memcpy(&fogEnd, bytes + 28 * 4, 4);
    EXPECT_FLOAT_EQ(fogEnd, 5.0f);
}

TEST_F(PrefsFile, SaveThenLoadGivesBackTheSameBytes) {
    PrefsRecord prefs = defaults();
    prefs.letterbox = 3;
    prefs.damping = 0.9f;
    prefs.cameraZ = -0.35f;
    ASSERT_EQ(prefs.savePrefs("Rampix"), 0);
    const std::vector<uint8_t> saved = readAll("Rampix.pref");
    ASSERT_EQ(saved.size(), 172u);
    struct stat info;
    ASSERT_EQ(stat("Rampix.pref", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    PrefsRecord loaded;
    ASSERT_EQ(loaded.loadPrefs("Rampix"), 0);
    EXPECT_EQ(loaded.header, PrefsRecord::kHeaderWord);
    ASSERT_EQ(loaded.savePrefs("Rampix"), 0);
    EXPECT_EQ(readAll("Rampix.pref"), saved);
    EXPECT_EQ(std::system("ls -A | grep -v '^Rampix.pref$' | grep -q ."), 256) << "no temporary file is left";
}

TEST_F(PrefsFile, ShortMissingLongAndOutOfRangeFiles) {
    PrefsRecord prefs = defaults();
    EXPECT_EQ(prefs.loadPrefs("Rampix"), 1) << "no file";

    PrefsRecord changed = defaults();
    changed.fovDegrees = 42;
    uint8_t bytes[PrefsRecord::kFileSize];
    changed.toBytes(bytes);
    for (size_t size : {0u, 100u, 171u}) {
        writeAll("Rampix.pref", std::vector<uint8_t>(bytes, bytes + size));
        EXPECT_EQ(prefs.loadPrefs("Rampix"), 1) << size << " bytes are not a preference file";
        EXPECT_EQ(prefs.fovDegrees, 100) << "a refused file changes nothing";
    }
    std::vector<uint8_t> longer(bytes, bytes + sizeof bytes);
    longer.push_back(0x55);
    writeAll("Rampix.pref", longer);
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
    wild.toBytes(bytes);
    writeAll("Rampix.pref", std::vector<uint8_t>(bytes, bytes + sizeof bytes));
    ASSERT_EQ(prefs.loadPrefs("Rampix"), 0);
    EXPECT_EQ(prefs.tessellation, 99);
    EXPECT_EQ(prefs.letterbox, 0);
    EXPECT_EQ(prefs.imageIndex, 11);
    EXPECT_EQ(prefs.bumpOption, 4);
    EXPECT_EQ(prefs.polygonMode, 2);
    EXPECT_EQ(prefs.fovDegrees, 1);
    EXPECT_FLOAT_EQ(prefs.damping, 1.0f);
    EXPECT_FLOAT_EQ(prefs.heightScale, 1.0f);
    EXPECT_FLOAT_EQ(prefs.cameraZ, 2.5f) << "valid values load unchanged";
}

TEST_F(PrefsFile, AFailedSaveReportsFailureAndKeepsTheOldFile) {
    PrefsRecord prefs = defaults();
    ASSERT_EQ(prefs.savePrefs("Rampix"), 0);
    const std::vector<uint8_t> old = readAll("Rampix.pref");
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
    EXPECT_EQ(readAll("Rampix.pref"), old);

    // A read-only folder (root ignores permissions, so only check when they apply).
    chmod(".", 0555);
    if (access(".", W_OK) != 0) {
        EXPECT_EQ(prefs.savePrefs("Rampix"), 1);
        EXPECT_EQ(readAll("Rampix.pref"), old);
    }
    chmod(".", 0755);
    EXPECT_EQ(std::system("ls -A | grep -v '^Rampix.pref$' | grep -q ."), 256) << "no temporary file is left";
}
