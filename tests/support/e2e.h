// The end-to-end harness: the real program on a private X server, taken past its splash and ended,
// and checks of the preference file it leaves behind.
#pragma once

#include <string>
#include <vector>

#include "support/rampix_process.h"
#include "support/test_files.h"
#include "support/x_session.h"

// "" when the file is absent, or holds exactly 172 bytes that start 2C E5 41 00 with every ranged int
// inside its safe range and every float finite; otherwise what is wrong with it.
std::string checkPrefsFile(const std::string& path);

struct Rampix : RampixProcess {
    Rampix(XSession& x, const std::string& folder, const std::vector<std::string>& environment = {},
           const std::string& program = "");
    // Waits for "Ready...", the window, puts the pointer over it, presses the key and waits for the last
    // start-up line. "" on success, otherwise what did not happen.
    std::string passSplash(const char* key = "a");
    // Presses q (a second time when the fade does not end); "" when the program then ends with status 0,
    // "Shutting down...", "Fin" and a standard error free of sanitizer and OpenGL reports.
    std::string quit();
    XSession& x;
};
