// The settings table: defaults, clamping and the preference file.
#include "settings/prefs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
using P = PrefsRecord;

constexpr PrefsField intField(const char* name, int P::*field, int value, int safeMin = 1, int safeMax = 0) {
    return {name, field, nullptr, static_cast<float>(value), safeMin, safeMax};
}
constexpr PrefsField floatField(const char* name, float P::*field, float value, int safeMin = 1,
                                int safeMax = 0) {
    return {name, nullptr, field, value, safeMin, safeMax};
}
}  // namespace

const PrefsField kPrefsFields[PrefsRecord::kWordCount - 1] = {
    intField("fovDegrees", &P::fovDegrees, 100, 1, 179),
    intField("fullScreen", &P::fullScreen, 1),
    intField("letterbox", &P::letterbox, 0, 0, 6),
    intField("tessellation", &P::tessellation, 63, 31, 99),
    intField("universeOn", &P::universeOn, 1),
    intField("screenClear", &P::screenClear, 1),
    intField("spotlightsOn", &P::spotlightsOn, 1),
    intField("texturesOn", &P::texturesOn, 1),
    intField("polygonMode", &P::polygonMode, 0, 0, 2),
    intField("cameraMode", &P::cameraMode, kCameraManual),
    intField("bumpOption", &P::bumpOption, 4, 0, 4),
    intField("imageIndex", &P::imageIndex, 0, 0, 11),
    intField("fpsClockOn", &P::fpsClockOn, 0),
    intField("spare14", &P::spare14, 0),
    intField("depthCueFog", &P::depthCueFog, 1),
    intField("spare16", &P::spare16, 0),
    floatField("rotateSpeed", &P::rotateSpeed, 1.0f),
    floatField("moveSpeed", &P::moveSpeed, 1.0f),
    floatField("cameraZ", &P::cameraZ, 0.0f),
    floatField("objectSize", &P::objectSize, 1.0f),
    floatField("spare21", &P::spare21, 1.0f),
    floatField("spare22", &P::spare22, 1.0f),
    floatField("mainSpeed", &P::mainSpeed, 1.0f),
    floatField("heightScale", &P::heightScale, 1.0f),
    floatField("damping", &P::damping, 1.0f),
    floatField("textureMag", &P::textureMag, 1.0f),
    floatField("fogStart", &P::fogStart, 0.1f),
    floatField("fogEnd", &P::fogEnd, 5.0f),
    floatField("bumpResponse", &P::bumpResponse, 1.0f),
    floatField("fadeEffect", &P::fadeEffect, 0.3f),
    floatField("lightRotateSpeed", &P::lightRotateSpeed, 1.0f),
    floatField("mouseSensitivity", &P::mouseSensitivity, 1.0f),
    floatField("moveSensitivity", &P::moveSensitivity, 1.0f),
    floatField("spare34", &P::spare34, 1.0f),
    floatField("spare35", &P::spare35, 1.0f),
    floatField("spare36", &P::spare36, 1.0f),
    floatField("spare37", &P::spare37, 1.0f),
    floatField("ambient", &P::ambient, 0.2f),
    floatField("diffuse", &P::diffuse, 0.5f),
    floatField("specular", &P::specular, 0.99f),
    floatField("reflective", &P::reflective, 0.99f),
    floatField("shininess", &P::shininess, 10.0f, 0, 128),
};

void PrefsRecord::setDefaults() {
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField == &P::cameraMode || f.intField == &P::imageIndex) continue;
        if (f.intField)
            this->*f.intField = static_cast<int>(f.defaultValue);
        else
            this->*f.floatField = f.defaultValue;
    }
}

void PrefsRecord::makeSafe() {
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField) {
            int& v = this->*f.intField;
            if (f.safeMin <= f.safeMax) v = v < f.safeMin ? f.safeMin : (v > f.safeMax ? f.safeMax : v);
        } else {
            float& v = this->*f.floatField;
            if (!std::isfinite(v)) v = f.defaultValue;
            const float low = static_cast<float>(f.safeMin), high = static_cast<float>(f.safeMax);
            if (f.safeMin <= f.safeMax) v = v < low ? low : (v > high ? high : v);
        }
    }
}

namespace {
void putWord(uint8_t* out, uint32_t word) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(word >> (8 * i));
}
uint32_t getWord(const uint8_t* in) {
    return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
}
std::string prefsFileName(const char* baseName) {
    return std::string(baseName) + ".pref";
}
}  // namespace

void PrefsRecord::toBytes(uint8_t out[kFileSize]) const {
    putWord(out, kHeaderWord);
    uint8_t* word = out + 4;
    for (const PrefsField& f : kPrefsFields) {
        uint32_t bits;
        if (f.intField) {
            bits = static_cast<uint32_t>(this->*f.intField);
        } else {
            std::memcpy(&bits, &(this->*f.floatField), 4);
        }
        putWord(word, bits);
        word += 4;
    }
}

void PrefsRecord::fromBytes(const uint8_t in[kFileSize]) {
    const uint8_t* word = in + 4;
    for (const PrefsField& f : kPrefsFields) {
        const uint32_t bits = getWord(word);
        if (f.intField) {
            this->*f.intField = static_cast<int>(bits);
        } else {
            std::memcpy(&(this->*f.floatField), &bits, 4);
        }
        word += 4;
    }
}

int PrefsRecord::loadPrefs(const char* baseName, std::vector<uint8_t>* bytesRead) {
    FILE* file = std::fopen(prefsFileName(baseName).c_str(), "rb");
    if (!file) return 1;
    uint8_t bytes[kFileSize];
    const size_t got = std::fread(bytes, 1, kFileSize, file);
    std::fclose(file);
    if (bytesRead) bytesRead->assign(bytes, bytes + got);
    return loadPrefsBytes(bytes, got);
}

int PrefsRecord::loadPrefsBytes(const uint8_t* bytes, size_t size) {
    // A shorter file is not a preference file of this program: the settings stay as they are.
    if (size < kFileSize) return 1;
    PrefsRecord loaded;
    loaded.fromBytes(bytes);
    loaded.makeSafe();
    const uint32_t ownHeader = header;
    *this = loaded;
    header = ownHeader;
    return 0;
}

namespace {
// The file a save really writes: a symbolic link (say one made by a settings manager) is followed to
// the file it points to, so the link itself survives the rename.
std::string followLinks(std::string path) {
    for (int depth = 0; depth < 16; ++depth) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        char link[4096];
        const ssize_t length = readlink(path.c_str(), link, sizeof link - 1);
        if (length <= 0) break;
        link[length] = '\0';
        const size_t slash = path.rfind('/');
        path = link[0] == '/' || slash == std::string::npos ? std::string(link)
                                                            : path.substr(0, slash + 1) + link;
    }
    return path;
}

// The protection of the saved file: that of the file it replaces, or 0644 less the umask for a new one.
bool savedMode(const std::string& target, mode_t& mode) {
    struct stat info;
    if (stat(target.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
        // A file the user made read-only protects their settings: it is not replaced. The mode bit
        // is asked too, because the access check always grants root the write.
        if ((info.st_mode & S_IWUSR) == 0) return false;
        return faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
    }
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0644 & ~mask;
    return true;
}
}  // namespace

int PrefsRecord::savePrefs(const char* baseName) const {
    // Written beside the target and renamed over it, so a failed save never leaves a broken file.
    const std::string target = followLinks(prefsFileName(baseName));
    mode_t mode = 0;
    if (!savedMode(target, mode)) return 1;
    std::string temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return 1;
    uint8_t bytes[kFileSize];
    toBytes(bytes);
    size_t written = 0;
    bool ok = true;
    while (ok && written < kFileSize) {
        const ssize_t n = write(fd, bytes + written, kFileSize - written);
        if (n <= 0)
            ok = false;
        else
            written += static_cast<size_t>(n);
    }
    ok = ok && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return 1;
    }
    return 0;
}
