// The SDL2 audio device: opening, converting WAVs and queueing them.
#include "sound/audio_output.h"

#include <SDL.h>

#include <cstring>

#include "base/file_places.h"

namespace {
// What the program asks of the device; SDL converts to whatever the hardware really takes.
constexpr int kDeviceFrequency = 44100;
constexpr int kDeviceChannels = 2;
constexpr Uint16 kDeviceSamples = 1024;  // about 23 ms a buffer: a new sound starts promptly

void quitSdlIfUnused() {
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

int frameBytes(SDL_AudioFormat format, int channels) {
    return SDL_AUDIO_BITSIZE(format) / 8 * channels;
}
}  // namespace

AudioOutput::~AudioOutput() {
    shutdown();
}

int AudioOutput::start() {
    if (state_ != kNotStarted) return state_ == kRunning ? 0 : 1;
    state_ = kFailed;
    // Otherwise SDL takes over SIGINT and SIGTERM and the program could no longer be stopped by them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Rampix");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        quitSdlIfUnused();
        return 1;
    }
    SDL_AudioSpec desired{};
    desired.freq = kDeviceFrequency;
    desired.format = AUDIO_S16SYS;
    desired.channels = kDeviceChannels;
    desired.samples = kDeviceSamples;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &desired, &spec_, 0);
    if (device_ == 0) {
        spec_ = SDL_AudioSpec{};
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        quitSdlIfUnused();
        return 1;
    }
    SDL_PauseAudioDevice(device_, 0);
    state_ = kRunning;
    return 0;
}

void AudioOutput::playFile(const char* fileName) {
    if (state_ != kRunning) return;
    CachedSound* sound = nullptr;
    if (fileName && std::strlen(fileName) < static_cast<size_t>(kMaxNameLength)) {
        sound = findSound(fileName);
        if (!sound) {
            sound = &slotToReuse();
            loadSound(*sound, fileName);
        }
        sound->lastUse = ++useCounter_;
    }
    SDL_ClearQueuedAudio(device_);
    if (sound && sound->samples) SDL_QueueAudio(device_, sound->samples, sound->length);
}

void AudioOutput::shutdown() {
    if (state_ == kRunning) {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        quitSdlIfUnused();
    }
    device_ = 0;
    spec_ = SDL_AudioSpec{};
    forgetSounds();
    state_ = kNotStarted;
}

Uint32 AudioOutput::queuedBytes() const {
    return state_ == kRunning ? SDL_GetQueuedAudioSize(device_) : 0;
}

AudioOutput::CachedSound* AudioOutput::findSound(const char* fileName) {
    for (CachedSound& sound : cache_) {
        if (sound.name[0] != '\0' && std::strcmp(sound.name, fileName) == 0) return &sound;
    }
    return nullptr;
}

AudioOutput::CachedSound& AudioOutput::slotToReuse() {
    CachedSound* oldest = &cache_[0];
    for (CachedSound& sound : cache_) {
        if (sound.name[0] == '\0') {
            oldest = &sound;
            break;
        }
        if (sound.lastUse < oldest->lastUse) oldest = &sound;
    }
    SDL_free(oldest->samples);
    *oldest = CachedSound{};
    return *oldest;
}

// A file that cannot be played is remembered too, so it is not read again on every play.
void AudioOutput::loadSound(CachedSound& slot, const char* fileName) {
    std::strcpy(slot.name, fileName);
    SDL_RWops* file = SDL_RWFromFile(filePlaces().dataPath(fileName).c_str(), "rb");
    if (!file) return;
    const Sint64 fileSize = SDL_RWsize(file);
    if (fileSize < 0 || fileSize > kMaxFileBytes) {
        SDL_RWclose(file);
        return;
    }
    SDL_AudioSpec wav{};
    Uint8* data = nullptr;
    Uint32 dataSize = 0;
    if (!SDL_LoadWAV_RW(file, 1, &wav, &data, &dataSize)) return;
    slot.samples = convertToDevice(wav, data, dataSize, slot.length);
    SDL_FreeWAV(data);
}

// SDL_AudioCVT rather than SDL_AudioStream: in this SDL the stream drops the end of a resampled
// sound when it is flushed.
Uint8* AudioOutput::convertToDevice(const SDL_AudioSpec& wav, const Uint8* data, Uint32 size,
                                    Uint32& length) const {
    const int sourceFrame = frameBytes(wav.format, wav.channels);
    if (sourceFrame <= 0 || size > kMaxSoundBytes) return nullptr;
    SDL_AudioCVT cvt{};
    if (SDL_BuildAudioCVT(&cvt, wav.format, wav.channels, wav.freq, spec_.format, spec_.channels,
                          spec_.freq) < 0)
        return nullptr;
    cvt.len = static_cast<int>(size / sourceFrame * sourceFrame);
    const Sint64 workBytes = static_cast<Sint64>(cvt.len) * (cvt.needed ? cvt.len_mult : 1);
    if (cvt.len == 0 || workBytes > kMaxSoundBytes) return nullptr;
    cvt.buf = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(workBytes)));
    if (!cvt.buf) return nullptr;
    SDL_memcpy(cvt.buf, data, static_cast<size_t>(cvt.len));
    cvt.len_cvt = cvt.len;
    if ((cvt.needed && SDL_ConvertAudio(&cvt) != 0) || cvt.len_cvt <= 0) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    length = static_cast<Uint32>(cvt.len_cvt);
    Uint8* fitted = static_cast<Uint8*>(SDL_realloc(cvt.buf, length));
    return fitted ? fitted : cvt.buf;
}

void AudioOutput::forgetSounds() {
    for (CachedSound& sound : cache_) {
        SDL_free(sound.samples);
        sound = CachedSound{};
    }
    useCounter_ = 0;
}
