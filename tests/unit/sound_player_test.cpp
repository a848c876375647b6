#include "sound/sound_player.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_platform.h"

namespace {
std::string tempPath(const char* name) {
    return testing::TempDir() + "rampix_sound_" + std::to_string(getpid()) + "_" + name;
}

void put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// A PCM WAV file; samples are written in the host's byte order, which is the device's too.
void writeWav(const std::string& path, int rate, int channels, int bits, const void* data, size_t size) {
    const int frameBytes = channels * bits / 8;
    std::string wav = "RIFF";
    put(wav, static_cast<uint32_t>(36 + size), 4);
    wav += "WAVEfmt ";
    for (uint32_t v : {16u, 1u}) put(wav, v, v == 16u ? 4 : 2);
    put(wav, static_cast<uint32_t>(channels), 2);
    put(wav, static_cast<uint32_t>(rate), 4);
    put(wav, static_cast<uint32_t>(rate * frameBytes), 4);
    put(wav, static_cast<uint32_t>(frameBytes), 2);
    put(wav, static_cast<uint32_t>(bits), 2);
    wav += "data";
    put(wav, static_cast<uint32_t>(size), 4);
    wav.append(static_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary) << wav;
}

void writeWav16(const std::string& path, const SDL_AudioSpec& spec, const std::vector<int16_t>& samples) {
    writeWav(path, spec.freq, spec.channels, 16, samples.data(), samples.size() * 2);
}

// 0.2 s of a square wave with a period of 100 frames; the right channel at half the level.
std::vector<int16_t> squareWave(const SDL_AudioSpec& spec) {
    std::vector<int16_t> samples;
    for (int i = 0; i < spec.freq / 5; ++i) {
        const int16_t level = (i / 50) % 2 ? -8000 : 8000;
        samples.push_back(level);
        if (spec.channels == 2) samples.push_back(static_cast<int16_t>(level / 2));
    }
    return samples;
}

void useDiskDriver(const std::string& outputPath) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", outputPath.c_str(), 1);
}

// The disk driver writes in real time. Once the queue is empty its last buffer is being written,
// and closing the device waits for that.
void waitUntilPlayed(const AudioOutput& output) {
    for (int i = 0; i < 500 && output.queuedBytes() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(output.queuedBytes(), 0u);
}

std::vector<int16_t> readSamples(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    std::remove(path.c_str());
    return samples;
}

size_t firstNonZero(const std::vector<int16_t>& samples, size_t from) {
    while (from < samples.size() && samples[from] == 0) ++from;
    return from;
}

bool playedAt(const std::vector<int16_t>& played, size_t start, const std::vector<int16_t>& sound) {
    return start + sound.size() <= played.size() &&
           std::equal(sound.begin(), sound.end(), played.begin() + static_cast<long>(start));
}
}  // namespace

TEST(SoundPlayer, BusyTimeDropsUnforcedSoundsAndAForcedOneRestartsIt) {
    FakePlatform fake;
    SoundPlayer player;
    fake.elapsedMs = 10000;
    player.play("hit.wav", 0.5f, 1);
    EXPECT_FLOAT_EQ(player.busyUntil, 10.5f);
    EXPECT_FLOAT_EQ(player.lastEndTime, 10.5f);
    fake.elapsedMs = 10050;
    player.play("WIND2.wav", 0.1f, 0);
    EXPECT_FLOAT_EQ(player.busyUntil, 10.5f);
    EXPECT_FLOAT_EQ(player.lastEndTime, 10.5f);
    fake.elapsedMs = 10600;
    player.play("WIND2.wav", 0.1f, 0);
    EXPECT_FLOAT_EQ(player.busyUntil, 10.7f);
    fake.elapsedMs = 10650;
    player.play("hit.wav", 1.0f, 1);
    EXPECT_FLOAT_EQ(player.busyUntil, 11.65f);
    EXPECT_FLOAT_EQ(player.lastEndTime, 11.65f);

    player.enabled = 0;
    fake.elapsedMs = 20000;
    player.play("hit.wav", 1.0f, 1);
    player.play("WIND2.wav", 0.1f, 0);
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
    const std::string garbage = tempPath("garbage.wav");
    std::ofstream(garbage) << std::string(300, 'x');
    const std::string longName(AudioOutput::kMaxNameLength + 10, 'a');
    for (const char* name :
         {"missing.wav", garbage.c_str(), longName.c_str(), static_cast<const char*>(nullptr)}) {
        fake.elapsedMs += 1000;
        player.play(name, 0.5f, 1);
        EXPECT_FLOAT_EQ(player.busyUntil, static_cast<float>(fake.elapsedMs * 0.001 + 0.5));
        EXPECT_FLOAT_EQ(player.lastEndTime, player.busyUntil);
        EXPECT_EQ(player.output.queuedBytes(), 0u);
    }
    player.output.shutdown();
    std::remove(garbage.c_str());
}

TEST(AudioOutput, DiskDriverReceivesEachSoundInTheDeviceFormat) {
    const std::string outputPath = tempPath("formats.raw");
    const std::string squarePath = tempPath("square.wav");
    const std::string levelPath = tempPath("level.wav");
    useDiskDriver(outputPath);
    AudioOutput output;
    ASSERT_EQ(output.start(), 0);
    const SDL_AudioSpec spec = output.deviceSpec();
    ASSERT_EQ(spec.format, AUDIO_S16SYS);
    const std::vector<int16_t> square = squareWave(spec);
    writeWav16(squarePath, spec, square);
    // 8-bit mono at 22050 Hz, constant at half of full scale: converted when it is loaded.
    const std::vector<uint8_t> level(22050 / 5, 192);
    writeWav(levelPath, 22050, 1, 8, level.data(), level.size());

    output.playFile(squarePath.c_str());
    waitUntilPlayed(output);
    output.playFile(levelPath.c_str());
    waitUntilPlayed(output);
    output.shutdown();

    const std::vector<int16_t> played = readSamples(outputPath);
    const size_t start = firstNonZero(played, 0);
    EXPECT_TRUE(playedAt(played, start, square));
    int atHalfLevel = 0;
    for (size_t i = start + square.size(); i < played.size(); ++i)
        atHalfLevel += std::abs(played[i] - 16384) < 300;
    const int expected = spec.freq / 5 * spec.channels;
    EXPECT_GT(atHalfLevel, expected * 95 / 100);
    EXPECT_LE(atHalfLevel, expected * 101 / 100);
    for (const std::string& path : {squarePath, levelPath}) std::remove(path.c_str());
}

TEST(AudioOutput, ASecondSoundReplacesTheFirstAndFilesAreReadOnce) {
    const std::string outputPath = tempPath("replace.raw");
    const std::string longPath = tempPath("long.wav");
    const std::string squarePath = tempPath("square.wav");
    useDiskDriver(outputPath);
    AudioOutput output;
    ASSERT_EQ(output.start(), 0);
    const SDL_AudioSpec spec = output.deviceSpec();
    const std::vector<int16_t> longSound(static_cast<size_t>(spec.freq * 2 * spec.channels), 5000);
    const std::vector<int16_t> square = squareWave(spec);
    writeWav16(longPath, spec, longSound);
    writeWav16(squarePath, spec, square);

    output.playFile(longPath.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    output.playFile(squarePath.c_str());
    EXPECT_LE(output.queuedBytes(), square.size() * 2);
    waitUntilPlayed(output);
    std::remove(squarePath.c_str());
    output.playFile(squarePath.c_str());
    EXPECT_GT(output.queuedBytes(), 0u) << "the file was read again instead of played from memory";
    output.shutdown();

    const std::vector<int16_t> played = readSamples(outputPath);
    const size_t longStart = firstNonZero(played, 0);
    size_t longEnd = longStart;
    while (longEnd < played.size() && played[longEnd] == 5000) ++longEnd;
    EXPECT_LT(longEnd - longStart, longSound.size() / 2);
    EXPECT_TRUE(playedAt(played, firstNonZero(played, longEnd), square));
    std::remove(longPath.c_str());
}
