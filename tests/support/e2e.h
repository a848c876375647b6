// The end-to-end harness: the real program on a private X server, taken past its splash and ended,
// and checks of the preference file it leaves behind.
#pragma once

#include "support/rampix_process.h"
#include "support/test_files.h"
#include "support/x_session.h"

// "" when the file is absent, or holds exactly 172 bytes that start 2C E5 41 00 with every ranged int
// inside its safe range and every float finite; otherwise what is wrong with it.
std::string checkPrefsFile(const std::string& path);
// Runs a program in a scratch folder to its end: "status|standard output|standard error".
std::string runToTheEnd(const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment = {});
// Presses the keys named in the list (X keysym names between blanks) one by one.
void pressKeys(XSession& x, const std::string& names, int pauseMs);

struct Rampix : RampixProcess {
    Rampix(XSession& session, const std::string& folder, const std::vector<std::string>& environment = {},
           const std::string& program = "", const std::vector<std::string>& arguments = {})
        : RampixProcess(session.displayName(), folder, environment, program, arguments), x(session) {}
    // Waits for "Ready..." and the window, puts the pointer in its middle (no window manager gives it the
    // focus), then unless key is null presses it and waits for the last start-up line. "" or what failed.
    std::string passSplash(const char* key = "a");
    // Presses q (again when the fade does not end); "" when the program then ends with status 0, its last
    // lines and a standard error free of sanitizer and OpenGL reports.
    std::string quit();
    XSession& x;
};
