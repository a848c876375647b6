// The game installed into a scratch prefix with blanks in its path, as a player meets it: its layout,
// the folders --help names (also after the prefix was moved), a start from the desktop entry's command
// in an empty home folder (the data found, the window's class, process id and icons, the settings
// saved under ~/.config and nothing else written), a preference file taken over from the old place,
// missing data files and a refused preference file named on standard error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
namespace fs = std::filesystem;
constexpr const char* kAppId = "org.example.rampix";

// Every file under the folder, by its path there; a graphics driver's cache is its own business.
std::set<std::string> filesUnder(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string path = fs::relative(entry.path(), folder).string();
        if (!entry.is_directory() && path.rfind(".cache/mesa_shader_cache", 0) != 0) files.insert(path);
    }
    return files;
}

Bytes prefsWithFieldOfView(int degrees) {
    PrefsRecord record;
    record.setDefaults();
    record.fovDegrees = degrees;
    Bytes bytes(PrefsRecord::kFileSize);
    record.toBytes(bytes.data());
    return bytes;
}

// Waits until the file holds 172 bytes with the field of view given (word 1).
bool waitForFieldOfView(const std::string& path, int degrees) {
    for (int i = 0; i < 100; ++i, sleepMs(50)) {
        const Bytes bytes = readFile(path);
        if (bytes.size() == PrefsRecord::kFileSize && bytes[4] == degrees && bytes[5] == 0) return true;
    }
    return false;
}

class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string out =
            runToTheEnd({RAMPIX_CMAKE, "--install", RAMPIX_BUILD_DIR, "--prefix", prefix});
        ASSERT_EQ(out.rfind("0|", 0), 0u) << out;
        fs::create_directories(home);
        fs::create_directories(work);
    }
    // The game as the desktop entry starts it, found through PATH, in an otherwise clean environment.
    std::vector<std::string> desktopEnvironment() const {
        return {"HOME=" + home,    "PATH=" + prefix + "/bin:/usr/bin:/bin",
                "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                "XDG_CACHE_HOME",  "RAMPIX_DATA_DIR"};
    }
    std::string desktopCommand() const {
        const std::string entry = readText(prefix + "/share/applications/" + kAppId + ".desktop");
        const size_t at = entry.find("\nExec=");
        return at == std::string::npos ? "false" : entry.substr(at + 6, entry.find('\n', at + 1) - at - 6);
    }
    TempFolder root;
    const std::string prefix = root.path + "/game prefix/usr", shared = prefix + "/share/rampix",
                      home = root.path + "/home dir", work = root.path + "/work";
    const std::string newPrefs = home + "/.config/rampix/Rampix.pref",
                      oldPrefs = home + "/.local/share/rampix/Rampix.pref";
};
}  // namespace

TEST_F(Installed, LayoutAndTheFoldersHelpNamesAlsoAfterThePrefixMoved) {
    EXPECT_EQ(access((prefix + "/bin/rampix").c_str(), X_OK), 0);
    EXPECT_FALSE(fs::exists(prefix + "/libexec")) << "no launcher, no program beside it";
    EXPECT_EQ(runToTheEnd({"/usr/bin/diff", "-r", RAMPIX_DATA_DIR, shared}), "0||") << "the data installed";
    const std::string entry = readText(prefix + "/share/applications/" + kAppId + ".desktop");
    for (const char* line :
         {"\nExec=rampix\n", "\nIcon=org.example.rampix\n", "\nStartupWMClass=org.example.rampix\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        int width = 0, height = 0;
        Bytes rgba;
        EXPECT_TRUE(decodePng(prefix + "/share/icons/hicolor/" + name + "/apps/" + kAppId + ".png", &width,
                              &height, &rgba, 4));
        EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height), name);
    }

    fs::rename(root.path + "/game prefix", root.path + "/moved prefix");
    const std::string moved = root.path + "/moved prefix/usr";
    const std::string data = "(WIND2.wav, hit.wav) from\n" + fs::canonical(moved + "/share/rampix").string();
    const std::string help =
        runToTheEnd({moved + "/bin/rampix", "--help"}, {"HOME=/no home", "XDG_CONFIG_HOME=/x/conf"});
    EXPECT_EQ(help.rfind("0|Usage: rampix ", 0), 0u) << help;
    EXPECT_EQ(help.substr(help.find("(WIND2.wav")),
              data +
                  "\nand keeps its settings in /x/conf/rampix/Rampix.pref.\n"
                  "In the game ? shows the keys; k saves the picture in /no home/Pictures/Rampix.\n"
                  "The manual: man 6 rampix\n|");
    // A relative XDG_CONFIG_HOME is not to be used.
    EXPECT_NE(runToTheEnd({moved + "/bin/rampix", "-h"}, {"HOME=/no home", "XDG_CONFIG_HOME=conf"})
                  .find(data + "\nand keeps its settings in /no home/.config/rampix/Rampix.pref.\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(home + "/.config")) << "--help writes nothing";
}

TEST_F(Installed, FromTheDesktopEntryInAnEmptyHomeItNamesItsWindowAndSavesUnderConfigOnly) {
    XSession x;
    Rampix app(x, work, desktopEnvironment(), "/bin/sh", {"-c", "exec " + desktopCommand()});
    ASSERT_EQ(app.passSplash(), "");
    EXPECT_NE(app.output().find("No Prefs found.\n"), std::string::npos) << app.output();
    EXPECT_EQ(app.errors().find("rampix:"), std::string::npos) << "the data is found: " << app.errors();

    const std::string xprop = "/usr/bin/xprop";
    EXPECT_EQ(runToTheEnd({xprop, "-display", x.displayName(), "-name", "Rampix", "-notype", "WM_CLASS",
                           "_NET_WM_PID"}),
              "0|WM_CLASS = \"rampix\", \"org.example.rampix\"\n_NET_WM_PID = " + std::to_string(app.pid()) +
                  "\n|");
    const std::string icons =
        runToTheEnd({xprop, "-display", x.displayName(), "-name", "Rampix", "_NET_WM_ICON"});
    for (const char* size : {"Icon (16 x 16):", "Icon (32 x 32):", "Icon (48 x 48):", "Icon (64 x 64):"})
        EXPECT_NE(icons.find(size), std::string::npos) << size << "\n" << icons.substr(0, 300);

    pressKeys(x, "period period exclam", 100);
    EXPECT_TRUE(waitForFieldOfView(newPrefs, 98)) << "saved under ~/.config/rampix";
    EXPECT_EQ(app.quit(), "");
    EXPECT_EQ(filesUnder(home), std::set<std::string>{".config/rampix/Rampix.pref"});
}

TEST_F(Installed, TakesOverTheOldPlacesFileOnceAndNamesMissingDataAndARefusedFile) {
    fs::create_directories(home + "/.local/share/rampix");
    writeFile(oldPrefs, prefsWithFieldOfView(77));
    for (const char* name : {"sand.bmp", "hit.wav"}) fs::remove(shared + "/" + name);
    const std::string missing = "rampix: cannot read these data files in " + fs::canonical(shared).string() +
                                ", going on without them: sand.bmp hit.wav\n";
    XSession x;
    {
        Rampix app(x, work, desktopEnvironment(), prefix + "/bin/rampix");
        ASSERT_EQ(app.passSplash(), "");
        EXPECT_NE(app.output().find("Loaded Prefs.\n"), std::string::npos) << app.output();
        EXPECT_EQ(readFile(newPrefs), prefsWithFieldOfView(77)) << "copied";
        pressKeys(x, "comma exclam i i o", 200);  // the sound and a ground picture that are missing
        EXPECT_TRUE(waitForFieldOfView(newPrefs, 78));
        EXPECT_EQ(readFile(oldPrefs), prefsWithFieldOfView(77)) << "the old file is left as it was";
        EXPECT_EQ(app.quit(), "");
        EXPECT_EQ(app.errors(),
                  "rampix: settings copied from " + oldPrefs + " to " + newPrefs +
                      "; the game now uses the new file only, and the old one may be deleted\n" + missing)
            << "each said once";
    }
    // The old file is never read again: a short file at the new place is refused, not replaced by it.
    writeFile(newPrefs, Bytes(100, 0x2a));
    Rampix again(x, work, desktopEnvironment(), prefix + "/bin/rampix");
    ASSERT_EQ(again.passSplash(), "");
    EXPECT_NE(again.output().find("No Prefs found.\n"), std::string::npos) << again.output();
    pressKeys(x, "at", 300);
    EXPECT_EQ(again.quit(), "");
    const std::string refused =
        "rampix: " + newPrefs + " refused: 100 bytes, too short for a preference file (172 bytes)\n";
    EXPECT_EQ(again.errors(), missing + refused + refused) << "at start-up and for @";
    EXPECT_EQ(readFile(newPrefs), Bytes(100, 0x2a));
    EXPECT_EQ(readFile(oldPrefs), prefsWithFieldOfView(77));
}
