// The sound effects: one WAV at a time, with a busy time that refuses new sounds unless forced.
// Times are seconds of the game clock, the one the wind is timed by, so a stall or the splash never
// stretches the wait between gusts.
#pragma once

#include "sound/audio_output.h"

class FrameClock;

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;

    // fileName relative to the working directory; duration: how long the sound occupies the player.
    void play(const char* fileName, float duration, int force);

    const FrameClock* clock = nullptr;  // the game clock; time stands at 0 without one
    int enabled = 1;
    float busyUntil = 0.0f;
    float lastEndTime = 0.0f;      // world drawing times the wind from it
    char lastStarted[32] = {};  // the file of the sound started last
    // Silent until started; the bookkeeping above runs either way.
    AudioOutput output;
};
