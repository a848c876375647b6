// Where the game looks for its data and keeps its settings, in each of the four cases, and the user's
// pictures folder as the desktop names it.
#include "base/file_places.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace {
// Sets (value given) or removes environment variables for one test and puts them back after it.
class Environment {
  public:
    void set(const char* name, const char* value) {
        if (!saved_.count(name)) saved_[name] = std::getenv(name) ? std::getenv(name) : "\x01";
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved_)
            value == "\x01" ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    }

  private:
    std::map<std::string, std::string> saved_;
};
}  // namespace

TEST(FilePlaces, WorkingFolderEnvironmentBuildAndInstalledGame) {
    TempFolder root, working(true);
    Environment environment;
    environment.set("HOME", (root.path + "/home").c_str());
    environment.set("XDG_CONFIG_HOME", (root.path + "/conf").c_str());
    environment.set("XDG_DATA_HOME", nullptr);
    environment.set("RAMPIX_DATA_DIR", nullptr);

    const FilePlaces installed = FilePlaces::find(root.path + "/usr/games/rampix");
    EXPECT_EQ(installed.source, DataSource::Installed);
    EXPECT_EQ(installed.dataPath("sand.bmp"), root.path + "/usr/games/../share/rampix/sand.bmp");
    EXPECT_EQ(installed.dataPath("/elsewhere/sand.bmp"), "/elsewhere/sand.bmp");
    EXPECT_EQ(installed.prefsBaseName(), root.path + "/conf/rampix/Rampix");
    EXPECT_EQ(installed.oldSettingsFile, root.path + "/home/.local/share/rampix/Rampix.pref");

    std::filesystem::create_directories(root.path + "/build/data");
    root.write("build/data/hit.wav", {});
    const FilePlaces build = FilePlaces::find(root.path + "/build/rampix");
    EXPECT_EQ(build.source, DataSource::Build);
    EXPECT_EQ(build.dataPath("hit.wav"), root.path + "/build/data/hit.wav");
    EXPECT_EQ(build.prefsBaseName(), "Rampix") << "beside the player, as before";
    EXPECT_EQ(build.unreadableDataFiles(),
              "font_256.bmp controls_128.bmp metalplate128.bmp sand.bmp cloud2128.bmp dirt128.bmp "
              "marblewhite128.bmp metalrough128.bmp nuclear128.bmp rocks128.bmp water128.bmp wood128.bmp "
              "sun_256.bmp bump_128.bmp bump3.bmp WIND2.wav");

    environment.set("RAMPIX_DATA_DIR", "/own data");
    const FilePlaces chosen = FilePlaces::find(root.path + "/build/rampix");
    EXPECT_EQ(chosen.source, DataSource::Environment);
    EXPECT_EQ(chosen.dataPath("hit.wav"), "/own data/hit.wav");

    working.write("wood128.bmp", {});  // a player's own picture, say
    const FilePlaces here = FilePlaces::find(root.path + "/build/rampix");
    EXPECT_EQ(here.source, DataSource::WorkingFolder);
    EXPECT_EQ(here.dataPath("hit.wav"), "hit.wav");
    EXPECT_EQ(here.prefsBaseName(), "Rampix");
}

TEST(FilePlaces, PicturesFolderFromTheUserDirsFileOrUnderHome) {
    TempFolder root;
    Environment environment;
    environment.set("HOME", "/home/skater");
    environment.set("XDG_CONFIG_HOME", root.path.c_str());
    EXPECT_EQ(picturesFolder(), "/home/skater/Pictures");
    const std::string dirs = "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    for (auto [line, folder] : {std::pair{"XDG_PICTURES_DIR=\"$HOME/Bilder\"", "/home/skater/Bilder"},
                                {"XDG_PICTURES_DIR=\"/srv/photos\"", "/srv/photos"},
                                {"XDG_PICTURES_DIR=$HOME/unquoted", "/home/skater/Pictures"}}) {
        const std::string text = dirs + line + "\n";
        root.write("user-dirs.dirs", Bytes(text.begin(), text.end()));
        EXPECT_EQ(picturesFolder(), folder) << line;
    }
}
