#include "support/robust_helpers.h"

#include <X11/Xlib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "settings/prefs.h"

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string checkPrefsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "";
    const Bytes bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() != PrefsRecord::kFileSize)
        return path + " holds " + std::to_string(bytes.size()) + " bytes, not 172";
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

std::string passSplash(XSession& x, RampixProcess& app) {
    if (!x.ok()) return "no X server";
    if (!app.waitForOutput("Ready...\n\n", 30000)) return "no \"Ready...\" line: " + app.output();
    if (!x.waitForWindow("Rampix", 20000)) return "no window titled Rampix";
    x.moveTo(512, 384);
    sleepMs(300);
    x.key("a");
    // The menu is built right after the preference line, whichever it was.
    if (!app.waitForOutput("Dialog Init...\n", 30000)) return "start-up did not finish: " + app.output();
    return "";
}

namespace {
bool findSize(Display* display, Window window, const char* title, int& width, int& height) {
    char* name = nullptr;
    bool match = false;
    if (XFetchName(display, window, &name) && name) {
        match = std::strcmp(name, title) == 0;
        XFree(name);
    }
    XWindowAttributes attributes;
    if (match && XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
        width = attributes.width;
        height = attributes.height;
        return true;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i)
        found = findSize(display, children[i], title, width, height);
    if (children) XFree(children);
    return found;
}
}  // namespace

bool windowSize(const std::string& displayName, const char* title, int& width, int& height) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (!display) return false;
    const bool found = findSize(display, DefaultRootWindow(display), title, width, height);
    XCloseDisplay(display);
    return found;
}

int quitProgram(XSession& x, RampixProcess& app) {
    x.key("q");
    if (!app.waitForOutput("Fin\n\n", 8000)) x.key("q");
    return app.waitForExit(20000);
}
