#include "support/e2e.h"

#include <cmath>
#include <filesystem>

#include "settings/prefs.h"

std::string checkPrefsFile(const std::string& path) {
    if (!std::filesystem::exists(path)) return "";
    const Bytes bytes = readFile(path);
    if (bytes.size() != PrefsRecord::kFileSize)
        return path + " holds " + std::to_string(bytes.size()) + " bytes";
    if (bytes[0] != 0x2C || bytes[1] != 0xE5 || bytes[2] != 0x41 || bytes[3] != 0x00)
        return path + " does not start 2C E5 41 00";
    PrefsRecord record;
    record.fromBytes(bytes.data());
    std::string wrong;
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField) {
            const int v = record.*f.intField;
            if (f.safeMin <= f.safeMax && (v < f.safeMin || v > f.safeMax))
                wrong += std::string(" ") + f.name + "=" + std::to_string(v);
        } else if (!std::isfinite(record.*f.floatField)) {
            wrong += std::string(" ") + f.name + " not finite";
        }
    }
    return wrong.empty() ? "" : path + " has fields out of range:" + wrong;
}

Rampix::Rampix(XSession& session, const std::string& folder, const std::vector<std::string>& environment,
               const std::string& program)
    : RampixProcess(session.displayName(), folder, environment, program), x(session) {}

std::string Rampix::passSplash(const char* key) {
    if (!x.ok()) return "no X server";
    if (!waitForOutput("Ready...\n\n", 30000)) return "no \"Ready...\" line: " + output() + errors();
    if (!x.waitForWindow("Rampix", 20000)) return "no window titled Rampix";
    // Keys go to the window under the pointer: there is no window manager to give it the focus.
    x.moveTo(512, 384);
    sleepMs(300);
    x.key(key);
    // The menu is built right after the preference line, whichever it was.
    if (!waitForOutput("Dialog Init...\n", 30000)) return "start-up did not finish: " + output() + errors();
    return "";
}

std::string Rampix::quit() {
    x.key("q");
    if (!waitForOutput("Fin\n\n", 8000)) x.key("q");
    const int status = waitForExit(20000);
    if (status != 0) return "exit status " + std::to_string(status) + "\n" + output() + errors();
    if (output().find("\nShutting down...\nFin\n\n") == std::string::npos)
        return "no ending lines: " + output();
    return findProblems(errors());
}
