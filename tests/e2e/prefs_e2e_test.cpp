// The preference file as the user meets it: written by "!", read at the next start and by "@".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/e2e_helpers.h"

namespace {
// Words of the file (word i at byte 4 x i).
constexpr int kFovWord = 1;
constexpr int kLetterboxWord = 3;
constexpr int kTessellationWord = 4;
constexpr int kUniverseWord = 5;
constexpr int kPolygonModeWord = 9;
constexpr int kFpsClockWord = 13;
constexpr int kDampingWord = 25;
constexpr int kLightSpeedWord = 31;

// The status line: white text of size 10 starting at x = 20, 20 pixels below the top.
constexpr Area kStatusBand{0, 4, 400, 36};
// The length of the message that appears there, from its text advancing 9 pixels a character.
int statusCharacters(ParkRun& run) {
    for (int tries = 0; tries < 20; ++tries) {
        const ColourRegion text = findColour(run.shot(), kStatusBand, isWhiteText);
        if (text.count > 0) return (text.x1 - 20) / 9 + 1;
        sleepMs(150);
    }
    return 0;
}

bool isBarPixel(const Screenshot::Rgb& c) {
    // The title crawl passes over the upper bar, which is not cleared between frames.
    return c.r <= 8 && c.b <= 8;
}
bool isNotBarPixel(const Screenshot::Rgb& c) {
    return !isBarPixel(c);
}
bool isNotBlack(const Screenshot::Rgb& c) {
    return !isBlack(c);
}

Area rows(int first, int end) {
    return {0, first, kScreenWidth, end};
}
}  // namespace

TEST(Preferences, SavedFileIsReadAtTheNextStartAndByTheLoadKey) {
    ParkRun run;
    ASSERT_TRUE(run.start());
    EXPECT_NE(run.app->output().find("No Prefs found.\n"), std::string::npos);

    run.x.type("@");
    EXPECT_NEAR(statusCharacters(run), 20, 2) << "\"Could NOT Load Prefs\"";
    EXPECT_TRUE(run.app->running());
    EXPECT_TRUE(readPrefsFile(run.prefsPath()).empty()) << "a failed load creates no file";

    // A fast light keeps the sky lit most of the time, so the picture's upper edge shows in it.
    run.x.type(std::string(15, ')') + "lll!");
    ASSERT_TRUE(waitForPrefsFile(run.prefsPath(), 5000));
    const std::vector<uint8_t> saved = readPrefsFile(run.prefsPath());
    ASSERT_EQ(saved.size(), 172u);
    EXPECT_EQ(saved[0], 0x2C);
    EXPECT_EQ(saved[1], 0xE5);
    EXPECT_EQ(saved[2], 0x41);
    EXPECT_EQ(saved[3], 0x00);
    EXPECT_EQ(prefsInt(saved, kFovWord), 100);
    EXPECT_EQ(prefsInt(saved, kLetterboxWord), 3);
    EXPECT_EQ(prefsInt(saved, kTessellationWord), 63);
    EXPECT_GT(prefsFloat(saved, kLightSpeedWord), 4.0f);
    ASSERT_TRUE(run.quit());

    ASSERT_TRUE(run.launch());
    ASSERT_TRUE(run.passSplash());
    EXPECT_NE(run.app->output().find("Loaded Prefs.\n"), std::string::npos);
    EXPECT_EQ(run.app->output().find("No Prefs found."), std::string::npos);
    ASSERT_TRUE(run.waitForPark());

    run.x.type("@");
    EXPECT_NEAR(statusCharacters(run), 12, 2) << "\"Loaded Prefs\"";

    // Bars of 15 % of the height each. The fade-in and the status line leave the bars coloured until
    // the black clear that follows the status message; then only the title crawl passes over them,
    // and the stars, drawn as two-pixel points, may touch the one row of each bar next to the picture.
    const int bar = static_cast<int>(3 * 0.05 * kScreenHeight);
    const int topEdge = static_cast<int>((1.0 - 3 * 0.05) * kScreenHeight);
    const int firstPictureRow = kScreenHeight - topEdge;
    const int firstLowerBarRow = kScreenHeight - bar;
    bool barsSeen = false;
    for (int tries = 0; tries < 60 && !barsSeen; ++tries) {
        const Screenshot shot = run.shot();
        barsSeen = findColour(shot, rows(0, firstPictureRow - 1), isNotBarPixel).count == 0 &&
                   findColour(shot, rows(firstLowerBarRow + 1, kScreenHeight), isNotBlack).count == 0 &&
                   findColour(shot, rows(firstPictureRow, firstPictureRow + 1), isNotBlack).count >
                       kScreenWidth * 3 / 4 &&
                   findColour(shot, rows(firstLowerBarRow - 1, firstLowerBarRow), isNotBlack).count >
                       kScreenWidth * 3 / 4;
        if (!barsSeen) sleepMs(250);
    }
    EXPECT_TRUE(barsSeen) << "black bars of " << bar << " rows above and below the picture";
    EXPECT_TRUE(run.quit());
}

TEST(Preferences, KeysChangeWhatTheSavedFileHolds) {
    ParkRun run;
    ASSERT_TRUE(run.start());
    run.x.type("lll<<");
    run.x.key("F1");
    sleepMs(100);
    run.x.type("wuc");
    // The frame-rate clock stands at the upper right.
    const Area clock{kScreenWidth - 110, 4, kScreenWidth, 36};
    int clockPixels = 0;
    for (int tries = 0; tries < 20 && clockPixels <= 20; ++tries) {
        sleepMs(150);
        clockPixels = findColour(run.shot(), clock, isWhiteText).count;
    }
    EXPECT_GT(clockPixels, 20) << "c shows the frame-rate clock";

    run.x.type("!");
    ASSERT_TRUE(waitForPrefsFile(run.prefsPath(), 5000));
    const std::vector<uint8_t> saved = readPrefsFile(run.prefsPath());
    EXPECT_EQ(prefsInt(saved, kLetterboxWord), 3);
    EXPECT_EQ(prefsInt(saved, kTessellationWord), 61);
    EXPECT_EQ(prefsInt(saved, kUniverseWord), 0);
    EXPECT_EQ(prefsInt(saved, kPolygonModeWord), 1);
    EXPECT_EQ(prefsInt(saved, kFpsClockWord), 1);
    EXPECT_FLOAT_EQ(prefsFloat(saved, kDampingWord), 0.9f);
    EXPECT_EQ(prefsInt(saved, kFovWord), 100) << "untouched settings keep their defaults";
    EXPECT_TRUE(run.quit());
}
