// The sound effects and their busy time.
#include "sound/sound_player.h"

#include <cstdio>

#include "base/platform.h"

namespace {
double elapsedSeconds() {
    return platform.elapsedMs() * 0.001;
}
}  // namespace

void SoundPlayer::play(const char* fileName, float duration, int force) {
    if (!enabled) return;
    const float t = static_cast<float>(elapsedSeconds());
    if (busyUntil < t || force) {
        busyUntil = static_cast<float>(elapsedSeconds() + duration);
        lastEndTime = busyUntil;
        std::snprintf(lastStarted, sizeof lastStarted, "%s", fileName);
        output.playFile(fileName);
    }
}
