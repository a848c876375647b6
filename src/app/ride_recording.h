// Recording a ride, playing it again at its pace, and timing it unpaced. The world is a pure
// function of the clock readings, the random seeds (taken from those readings) and the input of each
// frame; a ride keeps them, the bytes of every preference load and, every kDigestFrames frames, a
// digest of the world (rider, camera, ground, settings) that a replay compares with its own.
#pragma once

#include <cstdint>
#include <string>

#include "input/input_event.h"

class PrefsRecord;

enum class RideMode { Live, Record, Replay, Timedemo };

constexpr int kDigestFrames = 30;

// Once, before the window opens. Replay and Timedemo read the whole file at once: a refused file
// gives one line on standard error and the status to exit with (2); otherwise -1.
int prepareRide(RideMode mode, const std::string& path);
// Once the window-system platform is installed: a ride takes over the program's end (and a played
// one the clock).
void wrapPlatformForRide();
RideMode rideMode();
bool rideTakesLiveInput();  // false while a ride plays
bool rideSkipsSplash();
// A live exit key during a replay: says where it stopped and ends the program.
void stopRide();

// The frame's hooks, in the order the start-up and the frame call them.
void startRideClock();        // before the park's first seed
void noteRideClockRestart();  // after the game clock's restart
void beginRideFrame();        // before the clock tick: a replay sets the clock and queues the input
void noteRideFrameClock();    // after the clock tick
void noteRideEvent(const InputEvent& event);
void endRideFrame();  // after the frame's work

// The player's files: read and written in play, kept in a recording, taken from the ride (and never
// written) in a replay. Each returns 0 when done, as the preference record does.
int loadPlayerPrefs(PrefsRecord& prefs, const char* baseName);
int savePlayerPrefs(const PrefsRecord& prefs, const char* baseName);
// A screenshot's status line: a replay gives back the recorded one (and has taken no picture);
// otherwise the ride keeps the given one.
bool rideTakesScreenshots();
std::string rideScreenshotLine(const std::string& line, int status);

// The world's state that a ride compares.
uint64_t worldDigest();
