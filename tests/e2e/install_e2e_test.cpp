// The installed game: cmake --install into a scratch prefix (with blanks in its path), the layout, then
// the installed launcher sets up the per-user folder, starts the installed program there, keeps the
// user's files, renews stale ones and passes its arguments on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "support/e2e.h"

namespace {
const char* const kDataFiles[] = {
    "font_256.bmp",   "controls_128.bmp", "metalplate128.bmp",  "sand.bmp",
    "cloud2128.bmp",  "dirt128.bmp",      "marblewhite128.bmp", "metalrough128.bmp",
    "nuclear128.bmp", "rocks128.bmp",     "water128.bmp",       "wood128.bmp",
    "sun_256.bmp",    "bump_128.bmp",     "bump3.bmp",          "WIND2.wav",
    "hit.wav"};

// Runs a program to its end: its exit status, "|", then its standard output and standard error.
std::string run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {}) {
    ScratchFolder scratch(false);
    Process process(scratch.path(), environment, arguments);
    const int status = process.waitForExit(120000);
    return std::to_string(status) + "|" + process.output() + process.errors();
}

void writeText(const std::string& path, const std::string& text) {
    unlink(path.c_str());
    writeFile(path, Bytes(text.begin(), text.end()));
}

// Writes a file and dates it the given seconds from the shared file's time.
void writeDated(const std::string& path, const std::string& text, const std::string& shared, int seconds) {
    writeText(path, text);
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(shared) + std::chrono::seconds(seconds));
}

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : "";
}
}  // namespace

TEST(Install, LayoutLauncherAndTheInstalledGame) {
    TempFolder root;
    const std::string prefix = root.path + "/game prefix/usr", shared = prefix + "/share/rampix",
                      launcher = prefix + "/bin/rampix", program = prefix + "/libexec/rampix/rampix",
                      home = root.path + "/home dir";
    const std::string installed = run({RAMPIX_CMAKE, "--install", RAMPIX_BUILD_DIR, "--prefix", prefix});
    ASSERT_EQ(installed.rfind("0|", 0), 0u) << installed;
    ASSERT_EQ(mkdir(home.c_str(), 0755), 0);
    EXPECT_EQ(access(launcher.c_str(), X_OK), 0);
    EXPECT_EQ(access(program.c_str(), X_OK), 0);
    for (const char* name : kDataFiles)
        EXPECT_EQ(readText(shared + "/" + name), readText(std::string(RAMPIX_DATA_DIR) + "/" + name)) << name;
    EXPECT_NE(readText(prefix + "/share/applications/org.example.rampix.desktop").find("\nExec=rampix\n"),
              std::string::npos);
    EXPECT_NE(readText(prefix + "/share/metainfo/org.example.rampix.metainfo.xml")
                  .find("<launchable type=\"desktop-id\">org.example.rampix.desktop</launchable>"),
              std::string::npos);
    const std::string icon = readText(prefix + "/share/icons/hicolor/128x128/apps/rampix.png");
    ASSERT_GT(icon.size(), 24u);
    EXPECT_EQ(icon.compare(1, 3, "PNG"), 0);
    EXPECT_EQ(icon.substr(16, 8), std::string("\0\0\0\x80\0\0\0\x80", 8)) << "128 x 128";
    EXPECT_GT(readText(prefix + "/share/man/man6/rampix.6.gz").size(), 1000u);
    EXPECT_EQ(readText(shared + "/Rampix.pref"), "") << "no preference file is shipped";

    {  // The real game, its preferences saved in the folder under XDG_DATA_HOME.
        XSession x;
        const std::string prefs = root.path + "/data home/rampix/Rampix.pref";
        Rampix app(x, root.path, {"HOME=" + home, "XDG_DATA_HOME=" + root.path + "/data home"}, launcher);
        ASSERT_EQ(app.passSplash(), "");
        EXPECT_NE(app.output().find("No Prefs found.\n"), std::string::npos) << app.output();
        x.key("exclam");
        for (int i = 0; i < 100 && readText(prefs).size() != 172; ++i) sleepMs(50);
        EXPECT_EQ(app.quit(), "");
        EXPECT_EQ(readText(prefs).size(), 172u);
        EXPECT_EQ(readText(prefs).substr(0, 8), std::string("\x2c\xe5\x41\x00\x64\x00\x00\x00", 8));
    }

    // A stand-in for the program that shows where and with what it was started.
    writeText(program, "#!/bin/sh\npwd\nfor a in \"$@\"; do echo \"[$a]\"; done\n");
    ASSERT_EQ(chmod(program.c_str(), 0755), 0);
    writeText(shared + "/Rampix.pref", "shipped by mistake");
    const std::vector<std::string> environment = {"HOME=" + home, "XDG_DATA_HOME"};
    const std::string folder = home + "/.local/share/rampix";
    const std::string first = run({launcher, "-display", ":9 9", "two  words"}, environment);
    EXPECT_EQ(first, "0|" + realPath(folder) + "\n[-display]\n[:9 9]\n[two  words]\n");
    for (const char* name : kDataFiles)
        EXPECT_EQ(readText(folder + "/" + name), readText(shared + "/" + name)) << name;
    EXPECT_EQ(readText(folder + "/Rampix.pref"), "") << "the shipped preference file stays out";

    const std::string prefs(172, '\x2a');
    writeText(folder + "/Rampix.pref", prefs);
    struct stat before, after;
    ASSERT_EQ(stat((folder + "/Rampix.pref").c_str(), &before), 0);
    writeDated(folder + "/sand.bmp", "an old copy", shared + "/sand.bmp", -3600);
    writeDated(folder + "/wood128.bmp", "the user's own picture", shared + "/wood128.bmp", 3600);
    unlink((folder + "/hit.wav").c_str());
    ASSERT_EQ(symlink("/gone/share/rampix/hit.wav", (folder + "/hit.wav").c_str()), 0);
    // A relative XDG_DATA_HOME is not to be used: the folder under HOME stays.
    EXPECT_EQ(run({launcher}, {"HOME=" + home, "XDG_DATA_HOME=relative"}), "0|" + realPath(folder) + "\n");
    EXPECT_EQ(readText(folder + "/sand.bmp"), readText(shared + "/sand.bmp"))
        << "an outdated copy is renewed";
    EXPECT_EQ(readText(folder + "/wood128.bmp"), "the user's own picture");
    EXPECT_EQ(readText(folder + "/hit.wav"), readText(shared + "/hit.wav")) << "a broken link is renewed";
    ASSERT_EQ(stat((folder + "/Rampix.pref").c_str(), &after), 0);
    EXPECT_EQ(readText(folder + "/Rampix.pref"), prefs);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    EXPECT_EQ(run({launcher}, {"HOME", "XDG_DATA_HOME"}),
              "1|rampix: neither XDG_DATA_HOME nor HOME is set\n");
    unlink(program.c_str());
    EXPECT_EQ(run({launcher}, environment),
              "1|rampix: the game program is missing: " + realPath(prefix + "/bin") +
                  "/../libexec/rampix/rampix (reinstall Rampix)\n");
}
