// The sound player's busy time and the SDL2 audio output, heard through SDL's dummy and disk drivers.
#include "sound/sound_player.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/frame_clock.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

namespace {
using Samples = std::vector<int16_t>;

// The disk driver writes in real time: closing the device waits for the last buffer.
void waitUntilPlayed(const AudioOutput& output) {
    for (int i = 0; i < 500 && output.queuedBytes() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(output.queuedBytes(), 0u);
}
size_t firstNonZero(const Samples& samples, size_t from) {
    while (from < samples.size() && samples[from] == 0) ++from;
    return from;
}
}  // namespace

// Without a device or a playable file the player stays silent and keeps its bookkeeping, and SDL leaves the
// signals alone. Four sounds stay in memory, the one played longest ago giving way to a fifth.
TEST(SoundPlayer, SilentFailuresAndTheSoundsKeptInMemory) {
    FakePlatform fake;
    FrameClock clock;
    SoundPlayer player;
    player.clock = &clock;
    player.enabled = 1;
    player.output.shutdown();  // never started
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(player.output.start(), 1);
    fake.elapsedMs = 30000;
    clock.tick();
    clock.restart();  // game time 0, the window system's clock at 30 s
    player.play("missing.wav", 2.0f, 1);
    EXPECT_FLOAT_EQ(player.lastEndTime, 2.0f);
    player.output.shutdown();

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(player.output.start(), 0);
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "SDL took over signal " << signal;
    }
    TempFolder folder;
    const std::string garbage = folder.write("garbage.wav", Bytes(300, 'x'));
    const std::string longName(AudioOutput::kMaxNameLength + 10, 'a');
    for (const char* name : {"missing.wav", garbage.c_str(), longName.c_str(), (const char*)nullptr}) {
        fake.elapsedMs += 50;
        clock.tick();
        player.play(name, 0.5f, 1);
        EXPECT_FLOAT_EQ(player.busyUntil, clock.now + 0.5f);
        EXPECT_EQ(player.output.queuedBytes(), 0u);
    }
    // Four sounds stay in memory; a fifth takes the place of the one played longest ago.
    for (const char* name : {"a", "b", "c", "d", "a", "e"})
        player.output.playFile(folder.write(name, encodeWav(std::vector<float>(2205, 0.5f), 22050)).c_str());
    for (const char* name : {"a", "b", "c", "d", "e"}) std::remove(folder.file(name).c_str());
    for (const char* name : {"a", "c", "d", "e", "b"}) {
        player.output.playFile(folder.file(name).c_str());
        EXPECT_EQ(player.output.queuedBytes() > 0, *name != 'b') << name;
    }
    player.output.shutdown();
}

TEST(AudioOutput, DiskDriverReceivesEachSoundOnceReadAndASecondSoundReplacesTheFirst) {
    TempFolder folder;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", folder.file("out.raw").c_str(), 1);
    AudioOutput output;
    ASSERT_EQ(output.start(), 0);
    const SDL_AudioSpec device = output.deviceSpec();
    ASSERT_EQ(device.format, AUDIO_S16SYS);
    // WAV files in the device's format: 0.2 s of a square wave (the right channel at half the level)
    // and 2 s of a constant level.
    const auto wav = [&](const char* name, size_t frames, auto sample) {
        Samples samples;
        for (size_t i = 0; i < frames * device.channels; ++i)
            samples.push_back(sample(i / device.channels, i % device.channels));
        Bytes bytes = encodeWav(std::vector<float>(samples.size()), device.freq);
        putLe(bytes, 22, device.channels, 2);
        putLe(bytes, 28, static_cast<uint32_t>(device.freq * device.channels * 2));
        putLe(bytes, 32, device.channels * 2u, 2);
        std::memcpy(&bytes[44], samples.data(), samples.size() * 2);
        return std::make_pair(folder.write(name, bytes), samples);
    };
    const auto [squarePath, square] = wav("square.wav", device.freq / 5, [](size_t f, size_t c) -> int16_t {
        return ((f / 50) % 2 ? -8000 : 8000) / int(c + 1);
    });
    const auto [longPath, longSound] =
        wav("long.wav", device.freq * 2, [](size_t, size_t) -> int16_t { return 5000; });
    const auto play = [&output](const std::string& path) {
        output.playFile(path.c_str());
        waitUntilPlayed(output);
    };
    play(squarePath);
    std::remove(squarePath.c_str());
    play(squarePath);  // from memory
    output.playFile(longPath.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    output.playFile(squarePath.c_str());
    EXPECT_LE(output.queuedBytes(), square.size() * 2);
    waitUntilPlayed(output);
    play(RAMPIX_DATA_DIR "/hit.wav");  // 22050 Hz mono: converted to the device's format
    output.shutdown();

    const Bytes raw = readFile(folder.file("out.raw"));
    Samples played(raw.size() / 2);
    std::memcpy(played.data(), raw.data(), played.size() * 2);
    size_t at = 0;
    const auto playedNext = [&played, &at](const Samples& sound) {
        const size_t start = firstNonZero(played, at);
        at = start + sound.size();
        return at <= played.size() && std::equal(sound.begin(), sound.end(), played.begin() + start);
    };
    EXPECT_TRUE(playedNext(square));
    EXPECT_TRUE(playedNext(square)) << "a sound is read once and replayed from memory";
    const size_t longStart = at = firstNonZero(played, at);
    while (at < played.size() && played[at] == 5000) ++at;
    EXPECT_LT(at - longStart, longSound.size() / 2);
    EXPECT_TRUE(playedNext(square)) << "the second sound replaces the first at once";

    SDL_AudioSpec hitSpec;
    Uint8* hit = nullptr;
    Uint32 hitBytes = 0;
    ASSERT_NE(SDL_LoadWAV(RAMPIX_DATA_DIR "/hit.wav", &hitSpec, &hit, &hitBytes), nullptr);
    const double expectedLength = hitBytes / 2.0 * device.freq / hitSpec.freq * device.channels;
    SDL_FreeWAV(hit);
    const size_t hitStart = firstNonZero(played, at);
    size_t hitEnd = played.size();
    while (hitEnd > hitStart && played[hitEnd - 1] == 0) --hitEnd;
    EXPECT_NEAR(static_cast<double>(hitEnd - hitStart), expectedLength, expectedLength * 0.01);
}
