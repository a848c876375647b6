// Shared by the input-storm and bad-file tests: the program started and taken past its splash, a
// quit that waits for the last line, and checks of the preference file it writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/rampix_process.h"
#include "support/x_session.h"

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::string& path);
bool writeBytes(const std::string& path, const Bytes& bytes);

// "" when the file is absent, or holds exactly 172 bytes that start 2C E5 41 00 with every ranged
// int inside its safe range and every float finite; otherwise what is wrong with it.
std::string checkPrefsFile(const std::string& path);

// Waits for "Ready...", the window, puts the pointer over it, presses a key to end the splash and
// waits for the preference line. "" on success, otherwise what did not happen.
std::string passSplash(XSession& x, RampixProcess& app);

// The size of the viewable window with this title on the X display; false when there is none.
bool windowSize(const std::string& displayName, const char* title, int& width, int& height);

// Presses q (a second time when the fade does not end) and waits for the exit status; -1 when the
// program would not end.
int quitProgram(XSession& x, RampixProcess& app);
