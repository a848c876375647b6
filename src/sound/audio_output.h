// The audio device behind the sound player: SDL2's audio subsystem only (the window system stays
// GLUT). Each WAV file is read and converted to the device format once, then replayed from memory.
#pragma once

#include <SDL_audio.h>

class AudioOutput {
  public:
    static constexpr int kCacheSize = 4;
    static constexpr int kMaxNameLength = 256;  // longer file names are never played
    // Sound effects are short; anything far larger is refused rather than held in memory.
    static constexpr Sint64 kMaxFileBytes = 16 * 1024 * 1024;
    static constexpr Sint64 kMaxSoundBytes = 32 * 1024 * 1024;

    virtual ~AudioOutput();

    // Opens the default device of the driver chosen by SDL (SDL_AUDIODRIVER is honoured). 0 when a
    // device plays; 1 when there is no sound, after which the output stays silent and does not try
    // again until shutdown(), so a machine without a sound card reports its failure only once.
    int start();
    // Replaces whatever is playing with the named file; silent when not started or the file is
    // missing, unreadable or too large. Never waits for the device.
    void playFile(const char* fileName);
    // Closes the device, forgets the cached sounds and quits SDL's audio; safe when never started.
    void shutdown();

    int isRunning() const { return state_ == kRunning; }
    const SDL_AudioSpec& deviceSpec() const { return spec_; }
    Uint32 queuedBytes() const;

  private:
    enum State { kNotStarted, kRunning, kFailed };

    struct CachedSound {
        char name[kMaxNameLength];
        Uint8* samples;  // device format; null when the file could not be played
        Uint32 length;
        unsigned lastUse;
    };

    CachedSound* findSound(const char* fileName);
    CachedSound& slotToReuse();
    void loadSound(CachedSound& slot, const char* fileName);
    Uint8* convertToDevice(const SDL_AudioSpec& wav, const Uint8* data, Uint32 size, Uint32& length) const;
    void forgetSounds();

    State state_ = kNotStarted;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    CachedSound cache_[kCacheSize]{};
    unsigned useCounter_ = 0;
};
