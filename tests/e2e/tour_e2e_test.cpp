// The program from the outside, in one run and a second start in the same folder: the splash ends on a
// key but not on a function key, the start-up lines come in order, a failed load makes no file, "!"
// saves what the keys set, the full-screen key, q fades out for a second; the next start loads the
// file, and Escape twice typed with the splash key ends it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/e2e.h"

namespace {
template <typename T>
T word(const Bytes& bytes, int index) {
    T value;
    std::memcpy(&value, &bytes[static_cast<size_t>(index) * 4], 4);
    return value;
}
}  // namespace

TEST(Tour, SplashKeysSaveFullScreenLoadAndEscapeDuringStartUp) {
    XSession x;
    ScratchFolder folder;
    const std::string prefs = folder.file("Rampix.pref");
    {
        Rampix app(x, folder.path());
        ASSERT_EQ(app.reachSplash(), "");
        EXPECT_EQ(app.output().rfind("Ready...\n\n", 0), 0u) << "Ready comes first";
        x.key("F1");
        sleepMs(700);
        EXPECT_EQ(app.output().find("Init Once"), std::string::npos) << "a function key leaves the splash on";
        ASSERT_EQ(app.passSplash(), "");
        const std::string out = app.output();
        EXPECT_LT(out.find("Init Once...\n"), out.find("Particle Init...\n"));
        EXPECT_LT(out.find("Particle Init...\n"), out.find("Init Vars...\n"));
        EXPECT_NE(out.find("No Prefs found.\n"), std::string::npos);

        x.key("at");
        sleepMs(500);
        EXPECT_FALSE(std::filesystem::exists(prefs)) << "a failed load creates no file";
        for (int i = 0; i < 15; ++i) x.key("parenright");
        for (const char* key : {"l", "l", "l", "less", "less", "F1", "w", "u", "c", "exclam"}) {
            x.key(key);
            sleepMs(80);
        }
        for (int i = 0; i < 100 && readFile(prefs).size() != 172; ++i) sleepMs(50);
        const Bytes saved = readFile(prefs);
        ASSERT_EQ(saved.size(), 172u);
        EXPECT_EQ(word<int32_t>(saved, 0), 0x0041E52C);
        const std::pair<int, int> words[] = {{1, 100}, {3, 3}, {4, 61}, {5, 0}, {9, 1}, {13, 1}};
        for (auto [index, value] : words) EXPECT_EQ(word<int32_t>(saved, index), value) << "word " << index;
        EXPECT_FLOAT_EQ(word<float>(saved, 25), 0.9f) << "damping";
        EXPECT_GT(word<float>(saved, 31), 4.0f) << "light speed";

        // Leaving full screen used to give back the 640 x 480 start-up window instead of 600 x 600, with
        // the pointer then warped to (500, 500) below it, where no key reached the program any more.
        const auto size = [&x](const char* expected) {
            int w = 0, h = 0;
            for (int i = 0; i < 40 && std::to_string(w) + " x " + std::to_string(h) != expected; ++i) {
                if (i > 0) sleepMs(50);
                x.windowSize("Rampix", w, h);
            }
            return std::to_string(w) + " x " + std::to_string(h);
        };
        EXPECT_EQ(size("1024 x 768"), "1024 x 768");
        for (const char* expected : {"600 x 600", "1024 x 768"}) {
            x.key("f");
            EXPECT_EQ(size(expected), expected);
        }
        for (int i = 0; i < 3; ++i) x.key("f");
        sleepMs(1000);
        EXPECT_EQ(size("600 x 600"), "600 x 600") << "three presses in a row end in the window";
        x.moveTo(300, 300);
        sleepMs(300);
        const long long pressed = monotonicMs();
        EXPECT_EQ(app.quit(), "");
        EXPECT_GE(monotonicMs() - pressed, 900) << "the exit fade lasts a second";
    }
    // Keys typed together with the key that ends a long splash act on the park's own clock: Escape
    // twice ends the program after the two-second fade-in; measured on the splash's clock it would
    // end the splash's length less four seconds later.
    Rampix again(x, folder.path());
    ASSERT_EQ(again.reachSplash(), "");
    sleepMs(16000);
    const long long typed = monotonicMs();
    for (const char* key : {"a", "Escape", "Escape"}) x.key(key);
    EXPECT_EQ(again.waitForExit(20000), 0) << again.errors();
    EXPECT_LT(monotonicMs() - typed, 10000) << again.output();
    EXPECT_NE(again.output().find("Loaded Prefs.\n"), std::string::npos) << again.output();
    EXPECT_NE(again.output().find("Fin\n\n"), std::string::npos);
    EXPECT_EQ(findProblems(again.errors()), "");
}
