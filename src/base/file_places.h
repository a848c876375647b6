// Where the game reads its data and keeps its settings, decided once at start-up.
//
// The data: a working folder that holds any of the data files wins (players' own pictures, a build's
// data folder used as the working folder); then the folder RAMPIX_DATA_DIR names; then the data folder
// beside the program when it runs from a build (<build>/data); else the installed data folder,
// found from the program's own place (<prefix>/games or bin -> <prefix>/share/rampix), so that a
// moved prefix still works.
// The settings: beside the data in the working folder or a build's working folder, as the game always
// did; an installed game keeps them in $XDG_CONFIG_HOME/rampix (by default ~/.config/rampix).
#pragma once

#include <string>

enum class DataSource { WorkingFolder, Environment, Build, Installed };

struct FilePlaces {
    DataSource source = DataSource::WorkingFolder;
    std::string dataFolder;       // = "" // the working folder
    std::string settingsFolder;   // = "" // the working folder
    std::string oldSettingsFile;  // = "" // where an installed game kept its settings before, if anywhere

    // Looks at the working folder, the environment and the program's path (readlink /proc/self/exe).
    static FilePlaces find(const std::string& executable);
    // The data file's path: a bare name is looked for in the data folder, a path stays as it is.
    std::string dataPath(const char* name) const;
    // "Rampix" in the settings folder; the preference file adds ".pref".
    std::string prefsBaseName() const;
    // Makes the settings folder and the folders above it where missing; true when it is there.
    bool makeSettingsFolder() const;
    // The data files that cannot be opened for reading, separated by blanks ("" when all can).
    std::string unreadableDataFiles() const;
};

// The game's places; until decideFilePlaces runs, everything is in the working folder.
const FilePlaces& filePlaces();
// Decides the places for this run (reading and writing nothing).
void decideFilePlaces();
// Takes over an old-place preference file once (a note on stderr); the game and the settings commands
// call it before they read the settings.
void takeOverOldSettingsFile();
// When the game starts: takes over an old-place preference file (unless the run may write none of the
// player's files, as a replay) and says on stderr, once, which data files cannot be read.
void settleFilePlaces(bool mayWrite);

// The user's home folder: HOME, else the password entry's; "" when neither tells.
std::string homeFolder();
// This program's own path, from /proc/self/exe ("" when it cannot be told).
std::string programPath();
// A folder as the player should see it: absolute, without "..", the working folder for "".
std::string shownFolder(const std::string& folder);

// The names of every data file the game reads.
extern const char* const kDataFileNames[17];

// The user's pictures folder: XDG_PICTURES_DIR from $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Pictures;
// "" when there is no home folder to start from.
std::string picturesFolder();
// $XDG_CONFIG_HOME/rampix, or ~/.config/rampix when it is unset, empty or relative.
std::string configFolder();
