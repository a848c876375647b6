#include "support/e2e.h"

#include <cmath>
#include <sstream>

#include "settings/prefs.h"

std::string checkPrefsFile(const std::string& path) {
    if (!std::filesystem::exists(path)) return "";
    const Bytes bytes = readFile(path);
    if (bytes.size() != 172 || bytes[0] != 0x2C || bytes[1] != 0xE5 || bytes[2] != 0x41 || bytes[3] != 0x00)
        return path + " is not 172 bytes that start 2C E5 41 00";
    PrefsRecord record;
    record.fromBytes(bytes.data());
    std::string wrong;
    for (const PrefsField& f : kPrefsFields) {
        const int v = f.intField ? record.*f.intField : 0;
        if (f.intField ? f.safeMin <= f.safeMax && (v < f.safeMin || v > f.safeMax)
                       : !std::isfinite(record.*f.floatField))
            wrong += std::string(" ") + f.name;
    }
    return wrong.empty() ? "" : path + " has fields out of range:" + wrong;
}

std::string runToTheEnd(const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment) {
    ScratchFolder scratch(false);
    Process process(scratch.path(), environment, arguments);
    const int status = process.waitForExit(120000);
    return std::to_string(status) + "|" + process.output() + "|" + process.errors();
}

void pressKeys(XSession& x, const std::string& names, int pauseMs) {
    std::istringstream in(names);
    for (std::string name; in >> name; sleepMs(pauseMs)) x.key(name.c_str());
}

std::string Rampix::passSplash(const char* key) {
    int width, height;
    if (!x.ok() || !waitForOutput("Ready...\n\n", 30000) || !x.waitForWindow("Rampix", 20000) ||
        !x.windowSize("Rampix", width, height))
        return "no \"Ready...\" line or no window: " + output() + errors();
    x.moveTo(width / 2, height / 2);
    sleepMs(100);
    if (key) x.key(key);
    // The menu is built right after the preference line, whichever it was.
    if (key && !waitForOutput("Dialog Init...\n", 30000))
        return "start-up did not finish: " + output() + errors();
    return "";
}

std::string Rampix::quit() {
    x.key("q");
    if (!waitForOutput("Fin\n\n", 8000)) x.key("q");
    const int status = waitForExit(20000);
    if (status != 0 || output().find("\nShutting down...\nFin\n\n") == std::string::npos)
        return "exit status " + std::to_string(status) + ", no ending lines?\n" + output() + errors();
    return findProblems(errors());
}
