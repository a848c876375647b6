// The game installed into a scratch prefix with blanks in its path: its layout, the launcher that sets up
// the per-user folder, and the installed game from the outside in one run and a second start (the splash,
// the start-up lines, a failed load, "!" saving what the keys set, the full-screen key, the exit fade;
// the next start loads the file, and Escape twice typed with the splash key ends it).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "support/e2e.h"

namespace {
namespace fs = std::filesystem;
// The generated data files that differ from their copies in folder ("" when none does).
std::string changedDataFiles(const std::string& folder) {
    std::string changed;
    for (const auto& file : fs::directory_iterator(RAMPIX_DATA_DIR))
        if (readText(file.path()) != readText(folder + "/" + file.path().filename().string()))
            changed += file.path().filename().string() + " ";
    return changed;
}

// Writes a file in place of what was there, dated the given seconds from another file's time.
void writeText(const std::string& path, const std::string& text, const char* datedFrom = "",
               int seconds = 0) {
    unlink(path.c_str());
    writeFile(path, Bytes(text.begin(), text.end()));
    if (*datedFrom) fs::last_write_time(path, fs::last_write_time(datedFrom) + std::chrono::seconds(seconds));
}
// A scratch installation.
class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string out =
            runToTheEnd({RAMPIX_CMAKE, "--install", RAMPIX_BUILD_DIR, "--prefix", prefix});
        ASSERT_EQ(out.rfind("0|", 0), 0u) << out;
    }
    TempFolder root;
    const std::string prefix = root.path + "/game prefix/usr", shared = prefix + "/share/rampix",
                      launcher = prefix + "/bin/rampix", program = prefix + "/libexec/rampix/rampix",
                      home = root.path + "/home dir";
};
}  // namespace

TEST_F(Installed, LayoutAndLauncherThatKeepsTheUsersFilesRenewsStaleOnesAndPassesArgumentsOn) {
    EXPECT_EQ(access(launcher.c_str(), X_OK) | access(program.c_str(), X_OK), 0) << "both can be run";
    EXPECT_EQ(changedDataFiles(shared), "");
    EXPECT_NE(readText(prefix + "/share/applications/org.example.rampix.desktop").find("\nExec=rampix\n"),
              std::string::npos);
    EXPECT_EQ(readText(shared + "/Rampix.pref"), "") << "no preference file is shipped";

    // A stand-in for the program that shows where and with what it was started.
    writeText(program, "#!/bin/sh\npwd\nfor a in \"$@\"; do echo \"[$a]\"; done\n");
    fs::permissions(program, fs::perms::owner_all);
    writeText(shared + "/Rampix.pref", "shipped by mistake");
    const std::vector<std::string> environment = {"HOME=" + home, "XDG_DATA_HOME"};
    const std::string folder = home + "/.local/share/rampix";
    const std::string first = runToTheEnd({launcher, "-display", ":9 9", "two  words"}, environment);
    EXPECT_EQ(first, "0|" + fs::canonical(folder).string() + "\n[-display]\n[:9 9]\n[two  words]\n|");
    EXPECT_EQ(changedDataFiles(folder), "");
    EXPECT_EQ(readText(folder + "/Rampix.pref"), "") << "the shipped preference file stays out";

    const std::string prefs(172, '\x2a');
    writeText(folder + "/Rampix.pref", prefs);
    fs::create_hard_link(folder + "/Rampix.pref", root.path + "/the same file");
    const fs::file_time_type written = fs::last_write_time(folder + "/Rampix.pref");
    writeText(folder + "/sand.bmp", "an old copy", (shared + "/sand.bmp").c_str(), -3600);
    writeText(folder + "/wood128.bmp", "the user's own picture", (shared + "/wood128.bmp").c_str(), 3600);
    unlink((folder + "/hit.wav").c_str());
    ASSERT_EQ(symlink("/gone/share/rampix/hit.wav", (folder + "/hit.wav").c_str()), 0);
    // A relative XDG_DATA_HOME is not to be used: the folder under HOME stays.
    EXPECT_EQ(runToTheEnd({launcher}, {"HOME=" + home, "XDG_DATA_HOME=relative"}),
              "0|" + fs::canonical(folder).string() + "\n|");
    EXPECT_EQ(readText(folder + "/wood128.bmp"), "the user's own picture");
    EXPECT_EQ(changedDataFiles(folder), "wood128.bmp ") << "an outdated copy and a broken link are renewed";
    EXPECT_EQ(readText(folder + "/Rampix.pref"), prefs);
    EXPECT_TRUE(fs::equivalent(folder + "/Rampix.pref", root.path + "/the same file")) << "not replaced";
    EXPECT_TRUE(fs::last_write_time(folder + "/Rampix.pref") == written) << "not written again";

    EXPECT_EQ(runToTheEnd({launcher}, {"HOME", "XDG_DATA_HOME"}),
              "1||rampix: neither XDG_DATA_HOME nor HOME is set\n");
    unlink(program.c_str());
    EXPECT_EQ(runToTheEnd({launcher}, environment),
              "1||rampix: the game program is missing: " + fs::canonical(prefix + "/bin").string() +
                  "/../libexec/rampix/rampix (reinstall Rampix)\n");
}

TEST_F(Installed, TourSplashKeysSaveFullScreenLoadAndEscapeDuringStartUp) {
    XSession x;
    const std::string prefs = root.path + "/data home/rampix/Rampix.pref";
    const std::vector<std::string> environment = {"XDG_DATA_HOME=" + root.path + "/data home"};
    {
        Rampix app(x, root.path, environment, launcher);
        ASSERT_EQ(app.passSplash(nullptr), "");
        x.key("F1");
        sleepMs(700);
        EXPECT_EQ(app.output(), "Ready...\n\n") << "a function key leaves the splash on";
        ASSERT_EQ(app.passSplash(), "");
        const std::string lines =
            "Ready...\n\nInit Once...\nParticle Init...\nInit Vars...\nNo Prefs found.\n";
        EXPECT_EQ(app.output().substr(0, lines.size()), lines) << "the start-up lines, in order";
        pressKeys(x, "at", 500);
        EXPECT_FALSE(fs::exists(prefs)) << "a failed load creates no file";
        for (int i = 0; i < 15; ++i) x.key("parenright");
        pressKeys(x, "l l l less less F1 w u c exclam", 80);
        for (int i = 0; i < 100 && readText(prefs).size() != 172; ++i) sleepMs(50);
        ASSERT_EQ(readText(prefs).size(), 172u);
        int32_t words[43];
        float floats[43];
        std::memcpy(words, readText(prefs).data(), 172);
        std::memcpy(floats, words, 172);
        const std::pair<int, int> keysSet[] = {{0, 0x0041E52C}, {1, 100}, {3, 3}, {4, 61},
                                               {5, 0},          {9, 1},   {13, 1}};
        for (auto [index, value] : keysSet) EXPECT_EQ(words[index], value) << "word " << index;
        EXPECT_FLOAT_EQ(floats[25], 0.9f) << "damping";
        EXPECT_GT(floats[31], 4.0f) << "light speed";

        // Leaving full screen used to give back the 640 x 480 start-up window instead of 600 x 600, with
        // the pointer then warped to (500, 500) below it, where no key reached the program any more.
        for (auto [keys, expected] :
             {std::pair{"", "1024 x 768"}, {"f", "600 x 600"}, {"f", "1024 x 768"}, {"f f f", "600 x 600"}}) {
            pressKeys(x, keys, 0);
            sleepMs(std::strlen(keys) > 1 ? 1000 : 0);  // three presses in a row end in the window
            std::string size;
            for (int i = 0, w = 0, h = 0; i < 40 && size != expected; ++i, sleepMs(50))
                size = x.windowSize("Rampix", w, h) ? std::to_string(w) + " x " + std::to_string(h) : "none";
            EXPECT_EQ(size, expected) << "after " << keys;
        }
        x.moveTo(300, 300);
        sleepMs(300);
        const long long pressed = monotonicMs();
        EXPECT_EQ(app.quit(), "");
        EXPECT_GE(monotonicMs() - pressed, 900) << "the exit fade lasts a second";
    }
    // Keys typed together with the key that ends a long splash act on the park's own clock: Escape
    // twice ends the program after the two-second fade-in; measured on the splash's clock it would
    // end the splash's length less four seconds later.
    Rampix again(x, root.path, environment, launcher);
    ASSERT_EQ(again.passSplash(nullptr), "");
    sleepMs(16000);
    const long long typed = monotonicMs();
    for (const char* key : {"a", "Escape", "Escape"}) x.key(key);
    again.waitForExit(20000);
    EXPECT_LT(monotonicMs() - typed, 10000) << again.output();
    EXPECT_NE(again.output().find("Loaded Prefs.\n"), std::string::npos) << again.output();
    EXPECT_EQ(again.quit(), "") << "the program ends cleanly";
}
