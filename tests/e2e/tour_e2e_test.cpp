// The program from the outside, in one run and a second start in the same folder: the splash ends on a
// key but not on a function key, the start-up lines come in order, a failed load makes no file, the
// letterbox bars stay black under the overlays, "!" saves what the keys set, q fades out for a second;
// the next start loads the file, and Escape twice ends the program at once.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/e2e.h"

namespace {
constexpr int kWidth = 1024, kHeight = 768;

int32_t word(const Bytes& bytes, int index) {
    int32_t value;
    std::memcpy(&value, &bytes[static_cast<size_t>(index) * 4], 4);
    return value;
}
float floatWord(const Bytes& bytes, int index) {
    float value;
    std::memcpy(&value, &bytes[static_cast<size_t>(index) * 4], 4);
    return value;
}

// Pixels of the rows [first, end) that fail the test.
template <typename Test>
int countRows(const Screenshot& shot, int first, int end, Test test) {
    int count = 0;
    for (int y = first; y < end; ++y)
        for (int x = 0; x < kWidth; ++x) count += test(shot.at(x, y));
    return count;
}

// With letterbox 3 the bars take 15 % of the height each. The title crawl passes over the upper bar
// (red and blue stay off) and the stars, two-pixel points, may touch the bar rows next to the picture.
bool blackBarsAroundThePicture(const Screenshot& shot) {
    const int bar = static_cast<int>(3 * 0.05 * kHeight),
              top = kHeight - static_cast<int>((1.0 - 3 * 0.05) * kHeight);
    const auto lit = [](const uint8_t* c) { return c[0] > 8 || c[1] > 8 || c[2] > 8; };
    return countRows(shot, 0, top - 1, [](const uint8_t* c) { return c[0] > 8 || c[2] > 8; }) == 0 &&
           countRows(shot, kHeight - bar + 1, kHeight, lit) == 0 &&
           countRows(shot, top, top + 1, lit) > kWidth * 3 / 4 &&
           countRows(shot, kHeight - bar - 1, kHeight - bar, lit) > kWidth * 3 / 4;
}
}  // namespace

TEST(Tour, SplashKeysSaveLoadLetterboxAndBothWaysOut) {
    XSession x;
    ScratchFolder folder;
    const std::string prefs = folder.file("Rampix.pref");
    {
        Rampix app(x, folder.path());
        ASSERT_TRUE(app.waitForOutput("Ready...\n\n", 30000) && x.waitForWindow("Rampix", 20000))
            << app.errors();
        EXPECT_EQ(app.output().rfind("Ready...\n\n", 0), 0u) << "Ready comes first";
        x.moveTo(512, 384);
        sleepMs(300);
        x.key("F1");
        sleepMs(700);
        EXPECT_EQ(app.output().find("Init Once"), std::string::npos) << "a function key leaves the splash on";
        ASSERT_EQ(app.passSplash(), "");
        const std::string out = app.output();
        EXPECT_LT(out.find("Init Once...\n"), out.find("Particle Init...\n"));
        EXPECT_LT(out.find("Particle Init...\n"), out.find("Init Vars...\n"));
        EXPECT_NE(out.find("No Prefs found.\n"), std::string::npos);
        sleepMs(2500);  // past the two-second fade-in, during which an exit waits

        x.key("at");
        sleepMs(500);
        EXPECT_FALSE(std::filesystem::exists(prefs)) << "a failed load creates no file";
        // A fast light keeps the sky lit most of the time, so the picture's edges show against the bars.
        for (int i = 0; i < 15; ++i) x.key("parenright");
        for (const char* key : {"l", "l", "l"}) x.key(key);
        bool bars = false;
        for (int tries = 0; tries < 60 && !bars; ++tries) {
            bars = blackBarsAroundThePicture(x.screenshot());
            if (!bars) sleepMs(250);
        }
        EXPECT_TRUE(bars) << "black bars above and below the picture";

        for (const char* key : {"less", "less", "F1", "w", "u", "c", "exclam"}) {
            x.key(key);
            sleepMs(80);
        }
        for (int i = 0; i < 100 && readFile(prefs).size() != 172; ++i) sleepMs(50);
        const Bytes saved = readFile(prefs);
        ASSERT_EQ(saved.size(), 172u);
        EXPECT_EQ(word(saved, 0), 0x0041E52C);
        const std::pair<int, int> words[] = {{1, 100}, {3, 3}, {4, 61}, {5, 0}, {9, 1}, {13, 1}};
        for (auto [index, value] : words) EXPECT_EQ(word(saved, index), value) << "word " << index;
        EXPECT_FLOAT_EQ(floatWord(saved, 25), 0.9f) << "damping";
        EXPECT_GT(floatWord(saved, 31), 4.0f) << "light speed";

        const auto pressed = std::chrono::steady_clock::now();
        EXPECT_EQ(app.quit(), "");
        EXPECT_GE(std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count(), 0.9)
            << "the exit fade lasts a second";
    }
    Rampix again(x, folder.path());
    ASSERT_EQ(again.passSplash(), "");
    EXPECT_NE(again.output().find("Loaded Prefs.\n"), std::string::npos);
    sleepMs(2500);
    x.key("Escape");
    sleepMs(100);
    x.key("Escape");
    // How much sooner than the one-second fade it ends depends on the frame rate of a loaded machine;
    // the key handler's own tests pin the time shift.
    EXPECT_EQ(again.waitForExit(10000), 0) << again.errors();
    EXPECT_NE(again.output().find("Fin\n\n"), std::string::npos);
    EXPECT_EQ(findProblems(again.errors()), "");
}
