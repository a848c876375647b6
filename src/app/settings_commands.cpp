// --show-settings and --set.
#include "app/settings_commands.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/park_actions.h"
#include "base/file_places.h"
#include "settings/prefs.h"

namespace {
std::string prefsFileName() {
    return std::string(prefsBaseName()) + ".pref";
}

// What the game would start with: the file when it loads, else the defaults (the Manual camera and
// the first ground picture, which the game would draw at random). 0 = loaded, 1 = no file,
// 2 = a file that is not a preference file.
int startingRecord(PrefsRecord& record) {
    record.setDefaults();
    record.cameraMode = kCameraManual;
    record.imageIndex = 0;
    if (record.loadPrefs(prefsBaseName()) == 0) return 0;
    FILE* file = std::fopen(prefsFileName().c_str(), "rb");
    if (file) std::fclose(file);
    return file == nullptr && errno == ENOENT ? 1 : 2;
}

// The shortest text that reads back as the same float.
std::string floatText(float value) {
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return text;
}

std::string valueText(const PrefsRecord& record, const PrefsField& field) {
    return field.intField ? std::to_string(record.*field.intField) : floatText(record.*field.floatField);
}

const PrefsField* findField(const std::string& name) {
    for (const PrefsField& field : kPrefsFields)
        if (name == field.name) return &field;
    return nullptr;
}

// Stores the value when it is a number of the field's type inside its range; otherwise says why not.
std::string assign(PrefsRecord& record, const PrefsField& field, const std::string& text) {
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const bool ranged = field.safeMin <= field.safeMax;
    const std::string range =
        ranged ? " from " + std::to_string(field.safeMin) + " to " + std::to_string(field.safeMax) : "";
    if (field.intField) {
        const long value = std::strtol(start, &end, 10);
        const bool whole =
            !text.empty() && *end == '\0' && errno == 0 && value >= INT_MIN && value <= INT_MAX;
        if (!whole || (ranged && (value < field.safeMin || value > field.safeMax)))
            return std::string(field.name) + " takes a whole number" + range + ", not '" + text + "'";
        record.*field.intField = static_cast<int>(value);
        return "";
    }
    const float value = std::strtof(start, &end);
    const bool number = !text.empty() && *end == '\0' && errno == 0 && std::isfinite(value);
    if (!number || (ranged && (value < field.safeMin || value > field.safeMax)))
        return std::string(field.name) + " takes a number" + (ranged ? range : "") + ", not '" + text + "'";
    record.*field.floatField = value;
    return "";
}
}  // namespace

int showSettings() {
    PrefsRecord record;
    const int state = startingRecord(record);
    if (state != 0)
        std::fprintf(stderr, "rampix: %s %s; these are the defaults\n", prefsFileName().c_str(),
                     state == 1 ? "does not exist" : "is not a preference file");
    for (const PrefsField& field : kPrefsFields)
        std::printf("%s = %s\n", field.name, valueText(record, field).c_str());
    return 0;
}

int setSettings(const std::vector<std::string>& assignments) {
    PrefsRecord record;
    if (startingRecord(record) == 2) {
        std::fprintf(stderr, "rampix: %s is not a preference file; nothing written\n",
                     prefsFileName().c_str());
        return 1;
    }
    std::string changes;
    for (const std::string& assignment : assignments) {
        const size_t equals = assignment.find('=');
        const PrefsField* field = findField(assignment.substr(0, equals));
        std::string wrong = equals == std::string::npos ? "'" + assignment + "' is not NAME=VALUE"
                            : field == nullptr ? "no setting is called '" + assignment.substr(0, equals) + "'"
                                               : assign(record, *field, assignment.substr(equals + 1));
        if (!wrong.empty()) {
            std::fprintf(stderr, "rampix: %s; nothing written\n", wrong.c_str());
            return 2;
        }
        changes += std::string(changes.empty() ? "" : ", ") + field->name + " = " + valueText(record, *field);
    }
    filePlaces().makeSettingsFolder();
    if (record.savePrefs(prefsBaseName()) != 0) {
        std::fprintf(stderr, "rampix: could not save %s; it is as it was\n", prefsFileName().c_str());
        return 1;
    }
    std::printf("rampix: wrote %s with %s\n", prefsFileName().c_str(), changes.c_str());
    return 0;
}
