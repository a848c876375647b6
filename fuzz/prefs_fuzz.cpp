// Any preference file either loads into a record whose every ranged int lies in its safe range and
// whose every float is finite, or is refused with the record left exactly as it was. The bytes go
// through a real file, as the program reads them; a loaded record also survives a save and a reload.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "settings/prefs.h"

namespace {
std::string baseName;

std::string fileName() {
    return baseName + ".pref";
}

bool writeInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(fileName().c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

void removeFiles() {
    unlink(fileName().c_str());
    unlink(baseName.c_str());
}

// A start state unlike both the defaults and anything sanitising produces.
void setStartState(PrefsRecord& record) {
    record.setDefaults();
    record.cameraMode = 2;
    record.imageIndex = 7;
    record.tessellation = 40;
    record.fogEnd = 3.25f;
}

void requireSafe(const PrefsRecord& record) {
    require(record.header == PrefsRecord::kHeaderWord, "the record's own header word changed");
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField) {
            const int v = record.*f.intField;
            if (f.safeMin <= f.safeMax) require(v >= f.safeMin && v <= f.safeMax, f.name);
        } else {
            require(std::isfinite(record.*f.floatField), f.name);
        }
    }
}

bool sameBytes(const PrefsRecord& a, const PrefsRecord& b) {
    uint8_t first[PrefsRecord::kFileSize], second[PrefsRecord::kFileSize];
    a.toBytes(first);
    b.toBytes(second);
    return a.header == b.header && std::memcmp(first, second, sizeof first) == 0;
}

void checkDecodedRecord(const uint8_t* data, size_t size) {
    uint8_t block[PrefsRecord::kFileSize] = {};
    std::memcpy(block, data, size < sizeof block ? size : sizeof block);
    PrefsRecord record;
    record.fromBytes(block);
    record.makeSafe();
    requireSafe(record);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/prefs_fuzz_XXXXXX";
    const int fd = mkstemp(pattern.data());
    require(fd >= 0, "no temporary file name for the preference file");
    close(fd);
    baseName = pattern;
    std::atexit(removeFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkDecodedRecord(data, size);

    require(writeInput(data, size), "could not write the preference file");
    PrefsRecord before, record;
    setStartState(before);
    setStartState(record);
    const int result = record.loadPrefs(baseName.c_str());
    if (size < PrefsRecord::kFileSize) {
        require(result == 1, "a short file was taken as a preference file");
        require(sameBytes(record, before), "a refused file changed the record");
        return 0;
    }
    require(result == 0, "a complete file was refused");
    requireSafe(record);

    // Saving is slow (it syncs), so only a sixteenth of the loaded inputs take the round trip.
    if ((data[PrefsRecord::kFileSize - 1] & 0x0F) != 0) return 0;
    require(record.savePrefs(baseName.c_str()) == 0, "saving a loaded record failed");
    PrefsRecord reloaded;
    setStartState(reloaded);
    require(reloaded.loadPrefs(baseName.c_str()) == 0, "a saved record does not load");
    require(sameBytes(reloaded, record), "a saved and reloaded record differs");
    return 0;
}
