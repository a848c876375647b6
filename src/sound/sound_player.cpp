// The sound effects and their busy time.
#include "sound/sound_player.h"

#include <cstdio>

#include "base/frame_clock.h"

void SoundPlayer::play(const char* fileName, float duration, int force) {
    if (!enabled) return;
    const float t = clock ? clock->now : 0.0f;
    if (busyUntil < t || force) {
        busyUntil = t + duration;
        lastEndTime = busyUntil;
        std::snprintf(lastStarted, sizeof lastStarted, "%s", fileName ? fileName : "");
        output.playFile(fileName);
    }
}
