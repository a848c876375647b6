// The sound effects: one WAV at a time, with a busy time that refuses new sounds unless forced.
// Times are seconds of the window system's clock, read afresh at each use.
#pragma once

#include "sound/audio_output.h"

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;

    // fileName relative to the working directory; duration: how long the sound occupies the player.
    void play(const char* fileName, float duration, int force);

    int enabled = 1;
    float busyUntil = 0.0f;
    float lastEndTime = 0.0f;      // world drawing times the wind from it
    char lastStarted[32] = {};  // the file of the sound started last
    // Silent until started; the bookkeeping above runs either way.
    AudioOutput output;
};
