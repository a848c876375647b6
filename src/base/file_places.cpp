#include "base/file_places.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#ifndef RAMPIX_DATA_FROM_PROGRAM
#define RAMPIX_DATA_FROM_PROGRAM "../share/rampix"
#endif

const char* const kDataFileNames[17] = {
    "font_256.bmp",   "controls_128.bmp", "metalplate128.bmp",  "sand.bmp",
    "cloud2128.bmp",  "dirt128.bmp",      "marblewhite128.bmp", "metalrough128.bmp",
    "nuclear128.bmp", "rocks128.bmp",     "water128.bmp",       "wood128.bmp",
    "sun_256.bmp",    "bump_128.bmp",     "bump3.bmp",          "WIND2.wav",
    "hit.wav"};

namespace {
constexpr const char* kPrefsFile = "Rampix.pref";

FilePlaces places;

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// A folder "holds the data" when any data file is there: a player may leave some out on purpose.
bool holdsData(const std::string& folder) {
    for (const char* name : kDataFileNames)
        if (exists(folder + name)) return true;
    return false;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An XDG base folder: the variable when it holds an absolute path, else the default under HOME.
std::string baseFolder(const char* variable, const char* underHome) {
    const std::string value = environment(variable);
    return !value.empty() && value[0] == '/' ? value : homeFolder() + underHome;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string workingFolder() {
    char path[4096];
    return getcwd(path, sizeof path) ? path : ".";
}

// mkdir -p; the new folders get 0700 when they are XDG base folders (as the XDG rules ask), 0755 else.
bool makeFolders(const std::string& folder) {
    for (size_t at = 1; at != std::string::npos; ++at) {
        at = folder.find('/', at);
        const std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), at == std::string::npos ? 0755 : 0700) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    return true;
}

// The whole file into a new file beside target, renamed over it only when complete.
bool copyFile(const std::string& source, const std::string& target) {
    std::ifstream in(source, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (!in.good() && !in.eof()) return false;
    const std::string part = target + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out || std::rename(part.c_str(), target.c_str()) != 0) {
        std::remove(part.c_str());
        return false;
    }
    return true;
}

// An installed game kept its settings in its per-user data folder until it learnt about the config
// folder: that file is copied over once, and the old one left where it is.
void takeOverOldSettings(const FilePlaces& found) {
    const std::string target = found.settingsFolder + "/" + kPrefsFile;
    if (found.oldSettingsFile.empty() || exists(target) || !exists(found.oldSettingsFile)) return;
    if (!makeFolders(found.settingsFolder) || !copyFile(found.oldSettingsFile, target)) {
        std::fprintf(stderr, "rampix: could not copy the settings %s to %s (%s); they stay where they are\n",
                     found.oldSettingsFile.c_str(), target.c_str(), std::strerror(errno));
        return;
    }
    std::fprintf(stderr,
                 "rampix: settings copied from %s to %s; the game now uses the new file only, and the old "
                 "one may be deleted\n",
                 found.oldSettingsFile.c_str(), target.c_str());
}
}  // namespace

std::string homeFolder() {
    const std::string home = environment("HOME");
    if (!home.empty()) return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

FilePlaces FilePlaces::find(const std::string& executable) {
    FilePlaces found;
    if (holdsData("")) return found;
    const std::string fromEnvironment = environment("RAMPIX_DATA_DIR");
    const std::string programFolder = folderOf(executable);
    if (!fromEnvironment.empty()) {
        found.source = DataSource::Environment;
        found.dataFolder = fromEnvironment;
    } else if (!executable.empty() && holdsData(programFolder + "/data/")) {
        found.source = DataSource::Build;
        found.dataFolder = programFolder + "/data";
        return found;
    } else {
        found.source = DataSource::Installed;
        found.dataFolder = programFolder + "/" RAMPIX_DATA_FROM_PROGRAM;
    }
    found.settingsFolder = configFolder();
    found.oldSettingsFile = baseFolder("XDG_DATA_HOME", "/.local/share") + "/rampix/" + kPrefsFile;
    return found;
}

std::string FilePlaces::dataPath(const char* name) const {
    if (dataFolder.empty() || std::strchr(name, '/')) return name;
    return dataFolder + "/" + name;
}

std::string FilePlaces::prefsBaseName() const {
    return settingsFolder.empty() ? "Rampix" : settingsFolder + "/Rampix";
}

bool FilePlaces::makeSettingsFolder() const {
    return settingsFolder.empty() || makeFolders(settingsFolder);
}

std::string FilePlaces::unreadableDataFiles() const {
    std::string unreadable;
    for (const char* name : kDataFileNames) {
        FILE* file = std::fopen(dataPath(name).c_str(), "rb");
        if (file) std::fclose(file);
        if (!file) unreadable += std::string(unreadable.empty() ? "" : " ") + name;
    }
    return unreadable;
}

const FilePlaces& filePlaces() {
    return places;
}

void decideFilePlaces() {
    places = FilePlaces::find(programPath());
}

void takeOverOldSettingsFile() {
    takeOverOldSettings(places);
}

void settleFilePlaces(bool mayWrite) {
    if (mayWrite) takeOverOldSettingsFile();
    const std::string unreadable = places.unreadableDataFiles();
    if (!unreadable.empty())
        std::fprintf(stderr, "rampix: cannot read these data files in %s, going on without them: %s\n",
                     shownFolder(places.dataFolder).c_str(), unreadable.c_str());
}

std::string programPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return std::string(path, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string shownFolder(const std::string& folder) {
    char path[PATH_MAX];
    if (folder.empty()) return workingFolder();
    return realpath(folder.c_str(), path) ? path : folder;
}

std::string configFolder() {
    return baseFolder("XDG_CONFIG_HOME", "/.config") + "/rampix";
}

std::string picturesFolder() {
    const std::string home = homeFolder();
    if (home.empty()) return "";
    std::ifstream dirs(baseFolder("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs");
    for (std::string line; std::getline(dirs, line);) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.compare(0, key.size(), key) != 0 || line.size() < key.size() + 1 || line.back() != '"')
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
        // The home folder itself stands for "no such folder" in that file.
        if (!value.empty() && value[0] == '/' && value != home && value != home + "/") return value;
    }
    return home + "/Pictures";
}
