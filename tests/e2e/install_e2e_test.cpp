// The installed game: cmake --install into a scratch prefix (with blanks in its path), then the
// installed launcher sets up the per-user folder and starts the installed program there.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "support/e2e.h"

namespace {
const char* const kDataFiles[] = {
    "font_256.bmp",   "controls_128.bmp", "metalplate128.bmp",  "sand.bmp",
    "cloud2128.bmp",  "dirt128.bmp",      "marblewhite128.bmp", "metalrough128.bmp",
    "nuclear128.bmp", "rocks128.bmp",     "water128.bmp",       "wood128.bmp",
    "sun_256.bmp",    "bump_128.bmp",     "bump3.bmp",          "WIND2.wav",
    "hit.wav"};

std::string readText(const std::string& path) {
    return Process::readText(path);
}

void writeText(const std::string& path, const std::string& text) {
    writeFile(path, Bytes(text.begin(), text.end()));
}

bool isExecutable(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR);
}

// Moves a file's modification time by the given seconds from the shared file's.
void setAgeAgainst(const std::string& path, const std::string& reference, int secondsLater) {
    struct stat info;
    ASSERT_EQ(stat(reference.c_str(), &info), 0);
    timespec times[2] = {info.st_atim, info.st_mtim};
    times[0].tv_sec += secondsLater;
    times[1].tv_sec += secondsLater;
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

struct Result {
    int status = -1;
    std::string output;  // standard output and standard error
};

// Runs a program to its end with the environment changed by "NAME=value" (set) and "NAME" (removed)
// entries.
Result run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {}) {
    static TempFolder scratch;
    Process process(scratch.path, environment, arguments);
    Result result;
    result.status = process.waitForExit(120000);
    result.output = process.output() + process.errors();
    return result;
}

// An installation in a scratch prefix whose path has blanks in it.
struct Installed {
    TempFolder root;
    std::string prefix = root.path + "/game prefix/usr";
    std::string launcher = prefix + "/bin/rampix";
    std::string program = prefix + "/libexec/rampix/rampix";
    std::string shared = prefix + "/share/rampix";
    std::string home = root.path + "/home dir";

    bool install() {
        const Result result = run({RAMPIX_CMAKE, "--install", RAMPIX_BUILD_DIR, "--prefix", prefix});
        EXPECT_EQ(result.status, 0) << result.output;
        return result.status == 0 && mkdir(home.c_str(), 0755) == 0;
    }
};

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : "";
}
}  // namespace

TEST(Install, LayoutFollowsTheDesktopConventions) {
    Installed game;
    ASSERT_TRUE(game.install());
    EXPECT_TRUE(isExecutable(game.launcher));
    EXPECT_TRUE(isExecutable(game.program));
    for (const char* name : kDataFiles)
        EXPECT_EQ(readText(game.shared + "/" + name), readText(std::string(RAMPIX_DATA_DIR) + "/" + name))
            << name;
    EXPECT_NE(
        readText(game.prefix + "/share/applications/org.example.rampix.desktop").find("\nExec=rampix\n"),
        std::string::npos);
    EXPECT_NE(readText(game.prefix + "/share/metainfo/org.example.rampix.metainfo.xml")
                  .find("<launchable type=\"desktop-id\">org.example.rampix.desktop</launchable>"),
              std::string::npos);
    const std::string icon = readText(game.prefix + "/share/icons/hicolor/128x128/apps/rampix.png");
    ASSERT_GT(icon.size(), 24u);
    EXPECT_EQ(icon.compare(1, 3, "PNG"), 0);
    EXPECT_EQ(icon.substr(16, 8), std::string("\0\0\0\x80\0\0\0\x80", 8)) << "128 x 128";
    EXPECT_GT(readText(game.prefix + "/share/man/man6/rampix.6.gz").size(), 1000u);
    EXPECT_EQ(readText(game.shared + "/Rampix.pref"), "") << "no preference file is shipped";
}

TEST(Install, LauncherKeepsTheUsersFilesRenewsStaleOnesAndPassesArgumentsOn) {
    Installed game;
    ASSERT_TRUE(game.install());
    // A stand-in for the program that shows where and with what it was started.
    writeText(game.program, "#!/bin/sh\npwd\nfor a in \"$@\"; do echo \"[$a]\"; done\n");
    writeText(game.shared + "/Rampix.pref", "shipped by mistake");
    const std::vector<std::string> environment = {"HOME=" + game.home, "XDG_DATA_HOME"};
    const std::string folder = game.home + "/.local/share/rampix";

    const Result first = run({game.launcher, "-display", ":9 9", "two  words"}, environment);
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_EQ(first.output, realPath(folder) + "\n[-display]\n[:9 9]\n[two  words]\n");
    for (const char* name : kDataFiles)
        EXPECT_EQ(readText(folder + "/" + name), readText(game.shared + "/" + name)) << name;
    EXPECT_EQ(readText(folder + "/Rampix.pref"), "") << "the shipped preference file stays out";

    const std::string prefs(172, '\x2a');
    writeText(folder + "/Rampix.pref", prefs);
    struct stat prefsBefore;
    ASSERT_EQ(stat((folder + "/Rampix.pref").c_str(), &prefsBefore), 0);
    unlink((folder + "/sand.bmp").c_str());
    writeText(folder + "/sand.bmp", "an old copy");
    setAgeAgainst(folder + "/sand.bmp", game.shared + "/sand.bmp", -3600);
    unlink((folder + "/wood128.bmp").c_str());
    writeText(folder + "/wood128.bmp", "the user's own picture");
    setAgeAgainst(folder + "/wood128.bmp", game.shared + "/wood128.bmp", 3600);
    unlink((folder + "/hit.wav").c_str());
    ASSERT_EQ(symlink("/gone/share/rampix/hit.wav", (folder + "/hit.wav").c_str()), 0);

    // A relative XDG_DATA_HOME is not to be used: the folder under HOME stays.
    const Result second = run({game.launcher}, {"HOME=" + game.home, "XDG_DATA_HOME=relative"});
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(second.output, realPath(folder) + "\n");
    EXPECT_EQ(readText(folder + "/sand.bmp"), readText(game.shared + "/sand.bmp"))
        << "an outdated copy is renewed";
    EXPECT_EQ(readText(folder + "/wood128.bmp"), "the user's own picture");
    EXPECT_EQ(readText(folder + "/hit.wav"), readText(game.shared + "/hit.wav"))
        << "a broken link is renewed";
    struct stat prefsAfter;
    ASSERT_EQ(stat((folder + "/Rampix.pref").c_str(), &prefsAfter), 0);
    EXPECT_EQ(readText(folder + "/Rampix.pref"), prefs);
    EXPECT_EQ(prefsAfter.st_ino, prefsBefore.st_ino);
    EXPECT_EQ(prefsAfter.st_mtim.tv_nsec, prefsBefore.st_mtim.tv_nsec);

    const Result homeless = run({game.launcher}, {"HOME", "XDG_DATA_HOME"});
    EXPECT_EQ(homeless.status, 1);
    EXPECT_EQ(homeless.output, "rampix: neither XDG_DATA_HOME nor HOME is set\n");

    unlink(game.program.c_str());
    const Result missing = run({game.launcher}, environment);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "rampix: the game program is missing: " + realPath(game.prefix + "/bin") +
                                  "/../libexec/rampix/rampix (reinstall Rampix)\n");
}

TEST(Install, InstalledLauncherRunsTheGameWithItsPreferencesInThePerUserFolder) {
    Installed game;
    ASSERT_TRUE(game.install());
    XSession x;
    ASSERT_TRUE(x.ok());
    const std::string dataHome = game.root.path + "/data home";
    const std::string folder = dataHome + "/rampix";
    const std::string prefsFile = folder + "/Rampix.pref";
    const std::vector<std::string> environment = {"HOME=" + game.home, "XDG_DATA_HOME=" + dataHome};

    auto play = [&](const char* prefsLine, bool save) {
        Rampix app(x, game.root.path, environment, game.launcher);
        ASSERT_EQ(app.passSplash(), "");
        EXPECT_NE(app.output().find(prefsLine), std::string::npos) << app.output();
        sleepMs(2500);  // past the fade-in, during which an exit waits
        if (save) {
            x.key("exclam");
            for (int i = 0; i < 100 && readText(prefsFile).size() != 172; ++i) sleepMs(50);
        }
        EXPECT_EQ(app.quit(), "");
    };

    play("No Prefs found.\n", true);
    const std::string saved = readText(prefsFile);
    ASSERT_EQ(saved.size(), 172u);
    EXPECT_EQ(saved.compare(0, 8, std::string("\x2c\xe5\x41\x00\x64\x00\x00\x00", 8)), 0);
    for (const char* name : kDataFiles)
        EXPECT_EQ(readText(folder + "/" + name), readText(game.shared + "/" + name)) << name;

    play("Loaded Prefs.\n", false);
    EXPECT_EQ(readText(prefsFile), saved);
}
