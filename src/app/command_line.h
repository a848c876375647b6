// The program's own command-line options. They are read before GLUT opens the display, so that
// --help and --version work without one; GLUT's own options are stepped over and left to GLUT.
#pragma once

#include <string>
#include <vector>

// --show-settings and --set act on the preference file instead of running the game.
enum class SettingsAction { None, Show, Set };

#include "app/ride_recording.h"

struct CommandLine {
    int exitStatus = -1;  // -1 = run the game; otherwise print the message and exit with this status
    std::string message;  // for standard output when the status is 0, standard error otherwise
    int maxFps = -1;      // -1 = the screen's refresh rate, 0 = as fast as possible
    SettingsAction settingsAction = SettingsAction::None;  // with exitStatus 0 and no message
    std::vector<std::string> assignments;                  // the NAME=VALUE words after --set
    RideMode ride = RideMode::Live;
    std::string ridePath;  // the ride file of --record, --replay or --timedemo
};

CommandLine parseCommandLine(int argc, const char* const* argv);
// Prints the message where it belongs and returns the exit status.
int reportCommandLine(const CommandLine& commandLine);
