#include "sound/sound_player.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_platform.h"
#include "support/test_files.h"

namespace {
using Samples = std::vector<int16_t>;

// A WAV file in the device's format; the samples in the host's byte order, as the device's.
Bytes wavBytes(const SDL_AudioSpec& device, const Samples& samples) {
    Bytes wav = encodeWav(std::vector<float>(samples.size()), device.freq);
    const uint32_t frame = static_cast<uint32_t>(device.channels) * 2;
    putLe(wav, 22, device.channels, 2);
    putLe(wav, 28, static_cast<uint32_t>(device.freq) * frame);
    putLe(wav, 32, frame, 2);
    std::memcpy(&wav[44], samples.data(), samples.size() * 2);
    return wav;
}

// The disk driver writes in real time: once the queue is empty its last buffer is being written, and
// closing the device waits for that.
void waitUntilPlayed(const AudioOutput& output) {
    for (int i = 0; i < 500 && output.queuedBytes() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(output.queuedBytes(), 0u);
}

size_t firstNonZero(const Samples& samples, size_t from) {
    while (from < samples.size() && samples[from] == 0) ++from;
    return from;
}

// True when `sound` was played at the first sound after `from`; `from` then moves past it.
bool playedNext(const Samples& played, size_t& from, const Samples& sound) {
    const size_t start = firstNonZero(played, from);
    from = start + sound.size();
    return from <= played.size() &&
           std::equal(sound.begin(), sound.end(), played.begin() + static_cast<long>(start));
}
}  // namespace

TEST(SoundPlayer, BusyTimeDropsUnforcedSoundsAndAForcedOneRestartsIt) {
    FakePlatform fake;
    SoundPlayer player;
    const struct {
        int ms;
        float duration;
        int force;
        float busyUntil;
    } plays[] = {
        {10000, 0.5f, 1, 10.5f}, {10050, 0.1f, 0, 10.5f}, {10600, 0.1f, 0, 10.7f}, {10650, 1.0f, 1, 11.65f}};
    for (const auto& p : plays) {
        fake.elapsedMs = p.ms;
        player.play("hit.wav", p.duration, p.force);
        EXPECT_FLOAT_EQ(player.busyUntil, p.busyUntil) << p.ms;
        EXPECT_FLOAT_EQ(player.lastEndTime, p.busyUntil) << p.ms;
    }
    player.enabled = 0;
    fake.elapsedMs = 20000;
    player.play("hit.wav", 1.0f, 1);
    EXPECT_FLOAT_EQ(player.busyUntil, 11.65f);
    EXPECT_FLOAT_EQ(player.lastEndTime, 11.65f);
}

TEST(SoundPlayer, WithoutADeviceOrAPlayableFileItStaysSilentAndKeepsItsBookkeeping) {
    FakePlatform fake;
    SoundPlayer player;
    player.output.shutdown();  // never started
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(player.output.start(), 1);
    fake.elapsedMs = 1000;
    player.play("missing.wav", 2.0f, 1);
    EXPECT_FLOAT_EQ(player.lastEndTime, 3.0f);
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
    for (const char* name :
         {"missing.wav", garbage.c_str(), longName.c_str(), static_cast<const char*>(nullptr)}) {
        fake.elapsedMs += 1000;
        player.play(name, 0.5f, 1);
        EXPECT_FLOAT_EQ(player.busyUntil, static_cast<float>(fake.elapsedMs * 0.001 + 0.5));
        EXPECT_EQ(player.output.queuedBytes(), 0u);
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
    // 0.2 s of a square wave with a period of 100 frames, the right channel at half the level.
    Samples square;
    for (int i = 0; i < device.freq / 5; ++i) {
        square.push_back(static_cast<int16_t>((i / 50) % 2 ? -8000 : 8000));
        if (device.channels == 2) square.push_back(static_cast<int16_t>(square.back() / 2));
    }
    const Samples longSound(static_cast<size_t>(device.freq * 2 * device.channels), 5000);
    const std::string squarePath = folder.write("square.wav", wavBytes(device, square));
    const std::string longPath = folder.write("long.wav", wavBytes(device, longSound));

    output.playFile(squarePath.c_str());
    waitUntilPlayed(output);
    std::remove(squarePath.c_str());
    output.playFile(squarePath.c_str());  // from memory
    waitUntilPlayed(output);
    output.playFile(longPath.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    output.playFile(squarePath.c_str());
    EXPECT_LE(output.queuedBytes(), square.size() * 2);
    waitUntilPlayed(output);
    output.playFile(RAMPIX_DATA_DIR "/hit.wav");  // 22050 Hz mono: converted to the device's format
    waitUntilPlayed(output);
    output.shutdown();

    const Bytes raw = readFile(folder.file("out.raw"));
    Samples played(raw.size() / 2);
    std::memcpy(played.data(), raw.data(), played.size() * 2);
    size_t at = 0;
    EXPECT_TRUE(playedNext(played, at, square));
    EXPECT_TRUE(playedNext(played, at, square)) << "a sound is read once and replayed from memory";
    const size_t longStart = at = firstNonZero(played, at);
    while (at < played.size() && played[at] == 5000) ++at;
    EXPECT_LT(at - longStart, longSound.size() / 2);
    EXPECT_TRUE(playedNext(played, at, square)) << "the second sound replaces the first at once";

    SDL_AudioSpec hitSpec;
    Uint8* hit = nullptr;
    Uint32 hitBytes = 0;
    ASSERT_NE(SDL_LoadWAV(RAMPIX_DATA_DIR "/hit.wav", &hitSpec, &hit, &hitBytes), nullptr);
    const int16_t* hitSamples = reinterpret_cast<const int16_t*>(hit);
    const int hitPeak =
        std::abs(*std::max_element(hitSamples, hitSamples + hitBytes / 2,
                                   [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); }));
    const double expectedLength = hitBytes / 2.0 * device.freq / hitSpec.freq * device.channels;
    SDL_FreeWAV(hit);
    const size_t hitStart = firstNonZero(played, at);
    size_t hitEnd = played.size();
    while (hitEnd > hitStart && played[hitEnd - 1] == 0) --hitEnd;
    int peak = 0;
    for (size_t i = hitStart; i < hitEnd; ++i) peak = std::max(peak, std::abs(played[i]));
    EXPECT_NEAR(static_cast<double>(hitEnd - hitStart), expectedLength, expectedLength * 0.01);
    EXPECT_NEAR(peak, hitPeak, hitPeak * 0.02);
}
