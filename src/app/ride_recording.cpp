// The ride's three modes over the live program: recording beside it, replaying in its place, and
// the unpaced timing run.
#include "app/ride_recording.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/globals.h"
#include "app/startup.h"
#include "base/frame_pacer.h"
#include "base/platform.h"
#include "input/ride_file.h"

namespace {
RideMode mode = RideMode::Live;
std::string ridePath;
std::unique_ptr<RideWriter> writer;
Ride ride;
int frameIndex = -1;  // the frame running now
size_t nextOutcome = 0;
int divergedAt = -1;  // the first frame whose world differed from the recorded one
bool digestTaken = false;
bool stopped = false;  // by a live exit key
int replayClockMs = 0;
int64_t paceStartNs = 0;
std::vector<double> frameSeconds;
int64_t lastFrameNs = 0;
Platform live;

bool playing() {
    return mode == RideMode::Replay || mode == RideMode::Timedemo;
}

int replayElapsedMs() {
    return replayClockMs;
}

void noteDivergence(int frame) {
    if (divergedAt < 0) divergedAt = std::max(frame, 0);
}

// The world's digest of this frame: kept in a recording, compared in a replay.
void takeDigest() {
    digestTaken = true;
    const uint64_t digest = worldDigest();
    if (mode == RideMode::Record) writer->digest(digest);
    if (!playing() || frameIndex >= static_cast<int>(ride.frames.size())) return;
    const RideFrame& frame = ride.frames[static_cast<size_t>(frameIndex)];
    if (frame.hasDigest && frame.digest != digest) noteDivergence(frameIndex);
}

// Written beside the file and renamed over it, so that a failed write leaves any earlier ride whole.
bool writeRideFile(std::string& why) {
    const std::string temporary = ridePath + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return why = std::strerror(errno), false;
    const std::vector<uint8_t>& bytes = writer->bytes();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), ridePath.c_str()) != 0) {
        why = std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void printTimings() {
    std::vector<double> sorted = frameSeconds;
    std::sort(sorted.begin(), sorted.end());
    double total = 0.0;
    for (const double seconds : sorted) total += seconds;
    const size_t count = sorted.size();
    const double median = count ? sorted[count / 2] : 0.0;
    const double high = count ? sorted[std::min(count - 1, count * 99 / 100)] : 0.0;
    std::printf(
        "Timedemo: %zu frames in %.2f seconds, %.1f frames a second; frame time median %.2f ms, "
        "99th percentile %.2f ms\n",
        count, total, total > 0.0 ? count / total : 0.0, median * 1000.0, high * 1000.0);
}

// Where every end of the program passes while a ride is kept or played.
void endOfRide(int status) {
    // GLUT calls the close callback again while the program ends: the ride is finished once.
    static bool ended = false;
    if (ended) return;
    ended = true;
    if (!digestTaken && frameIndex >= 0) takeDigest();
    if (mode == RideMode::Record && writer) {
        writer->finish();
        std::string why;
        if (!writeRideFile(why)) {
            std::fprintf(stderr, "rampix: could NOT write the ride %s: %s\n", ridePath.c_str(), why.c_str());
            if (status == 0) status = 1;
        }
    } else if (stopped) {
        std::printf("Replay stopped at frame %d\n", std::max(frameIndex, 0));
        status = 3;
    } else if (playing()) {
        if (frameIndex != static_cast<int>(ride.frames.size()) - 1) noteDivergence(frameIndex);
        if (mode == RideMode::Timedemo) {
            frameSeconds.push_back((monotonicNs() - lastFrameNs) * 1e-9);
            printTimings();
        }
        if (divergedAt < 0)
            std::printf("Replay matches\n");
        else
            std::printf("Replay diverged at frame %d\n", divergedAt);
        // A timing run reports its figures whatever the ride did.
        status = divergedAt < 0 || mode == RideMode::Timedemo ? 0 : 1;
    }
    std::fflush(stdout);
    live.exitProgram(status);
}

const RideOutcome* takeOutcome(RideOutcomeKind kind) {
    if (nextOutcome < ride.outcomes.size() && ride.outcomes[nextOutcome].kind == kind)
        return &ride.outcomes[nextOutcome++];
    noteDivergence(frameIndex);
    return nullptr;
}
}  // namespace

int prepareRide(RideMode rideModeWanted, const std::string& path) {
    mode = rideModeWanted;
    ridePath = path;
    if (mode == RideMode::Record) {
        // Found out now rather than after the ride: the file's folder must take it.
        FILE* trial = std::fopen((path + ".part").c_str(), "wb");
        if (!trial) {
            std::fprintf(stderr, "rampix: cannot record into %s: %s\n", path.c_str(), std::strerror(errno));
            return 2;
        }
        std::fclose(trial);
        std::remove((path + ".part").c_str());
    }
    if (!playing()) return -1;
    std::string why;
    if (!readRideFile(path, ride, why)) {
        std::fprintf(stderr, "rampix: %s\n", why.c_str());
        return 2;
    }
    frameSeconds.reserve(ride.frames.size());
    return -1;
}

void wrapPlatformForRide() {
    if (mode == RideMode::Live) return;
    live = platform;
    platform.exitProgram = endOfRide;
    if (playing()) platform.elapsedMs = replayElapsedMs;
}

RideMode rideMode() {
    return mode;
}

bool rideTakesLiveInput() {
    return !playing();
}

bool rideSkipsSplash() {
    if (!playing()) return false;
    // The park starts in the window's own size (where the pointer is put back and the menus stand
    // depend on it): the first frames wait for the window to reach full screen or the ride's size, a
    // few seconds at most.
    static const int64_t firstAskNs = monotonicNs();
    static const int firstWidth = Screen.width, firstHeight = Screen.height;
    const bool sized = Screen.width == ride.width && Screen.height == ride.height;
    const bool resized = Screen.width != firstWidth || Screen.height != firstHeight;
    return sized || resized || monotonicNs() - firstAskNs > 3'000'000'000;
}

void stopRide() {
    stopped = true;
    shutdown();
    platform.exitProgram(3);
}

void startRideClock() {
    if (playing()) Clock.rawMs = replayClockMs = static_cast<int>(ride.startMs);
}

void noteRideClockRestart() {
    uint32_t bits = 0;
    if (mode == RideMode::Record) {
        std::memcpy(&bits, &Clock.offset, sizeof bits);
        writer = std::make_unique<RideWriter>(Screen.width, Screen.height, static_cast<uint32_t>(Clock.rawMs),
                                              bits);
        for (const RideOutcome& outcome : ride.outcomes) writer->outcome(outcome);
        ride.outcomes.clear();
    } else if (playing()) {
        bits = ride.clockOffsetBits;
        std::memcpy(&Clock.offset, &bits, sizeof bits);
        paceStartNs = lastFrameNs = monotonicNs();
    }
}

void beginRideFrame() {
    ++frameIndex;
    digestTaken = false;
    if (!playing()) return;
    if (frameIndex == static_cast<int>(ride.frames.size())) {
        // The recording ended here without the program ending: so does the replay.
        --frameIndex;
        digestTaken = true;
        shutdown();
        platform.exitProgram(0);
        return;
    }
    const RideFrame& frame = ride.frames[static_cast<size_t>(frameIndex)];
    const int64_t now = monotonicNs();
    if (frameIndex > 0) frameSeconds.push_back((now - lastFrameNs) * 1e-9);
    lastFrameNs = now;
    if (mode == RideMode::Replay) {
        const int64_t due =
            paceStartNs + (static_cast<int64_t>(frame.clockMs) - ride.frames[0].clockMs) * 1000000;
        if (due > now) sleepUntilNs(due);
    }
    replayClockMs = frame.clockMs;
    for (int k = 0; k < frame.eventCount; ++k) {
        InputEvent event = ride.events[static_cast<size_t>(frame.firstEvent + k)];
        // The look measures the pointer from the window's middle: in a window of another size the
        // pointer keeps its place relative to the middle, and the look turns as it was recorded.
        if (event.kind == InputKind::PointerMotion || event.kind == InputKind::MouseButton) {
            event.x += Screen.width / 2 - ride.width / 2;
            event.y += Screen.height / 2 - ride.height / 2;
        }
        Events.push(event);
    }
}

void noteRideFrameClock() {
    if (mode == RideMode::Record) writer->frame(Clock.rawMs);
}

void noteRideEvent(const InputEvent& event) {
    if (mode == RideMode::Record && writer) writer->event(event);
}

void endRideFrame() {
    if (mode != RideMode::Live && frameIndex % kDigestFrames == 0) takeDigest();
}

int loadPlayerPrefs(PrefsRecord& prefs, const char* baseName) {
    if (playing()) {
        const RideOutcome* outcome = takeOutcome(RideOutcomeKind::PrefsLoad);
        if (!outcome || outcome->status != 0) return 1;
        return prefs.loadPrefsBytes(outcome->bytes.data(), outcome->bytes.size());
    }
    if (mode == RideMode::Live) return prefs.loadPrefs(baseName);
    RideOutcome outcome;
    outcome.kind = RideOutcomeKind::PrefsLoad;
    outcome.status = prefs.loadPrefs(baseName, &outcome.bytes);
    // The first load comes before the recording's header: it waits for it.
    writer ? writer->outcome(outcome) : ride.outcomes.push_back(outcome);
    return outcome.status;
}

int savePlayerPrefs(const PrefsRecord& prefs, const char* baseName) {
    if (playing()) {
        const RideOutcome* outcome = takeOutcome(RideOutcomeKind::PrefsSave);
        return outcome ? outcome->status : 1;
    }
    RideOutcome outcome;
    outcome.kind = RideOutcomeKind::PrefsSave;
    outcome.status = prefs.savePrefs(baseName);
    if (mode == RideMode::Record && writer) writer->outcome(outcome);
    return outcome.status;
}

bool rideTakesScreenshots() {
    return !playing();
}

std::string rideScreenshotLine(const std::string& line, int status) {
    if (playing()) {
        const RideOutcome* outcome = takeOutcome(RideOutcomeKind::Screenshot);
        return outcome ? std::string(outcome->bytes.begin(), outcome->bytes.end()) : line;
    }
    if (mode == RideMode::Record && writer) {
        RideOutcome outcome;
        outcome.kind = RideOutcomeKind::Screenshot;
        outcome.status = status;
        outcome.bytes.assign(line.begin(), line.end());
        writer->outcome(outcome);
    }
    return line;
}

uint64_t worldDigest() {
    uint8_t settings[PrefsRecord::kFileSize];
    Prefs.toBytes(settings);
    uint64_t hash = hashBytes(settings, sizeof settings);
    const float rider[] = {Skater.x,           Skater.y,       Skater.z,       Skater.vx,
                           Skater.vy,          Skater.vz,      Skater.heading, Skater.pitch,
                           Skater.fieldOfView, Skater.damping, Clock.now,      Flags.exitStartTime};
    hash = hashBytes(reinterpret_cast<const uint8_t*>(rider), sizeof rider, hash);
    hash = hashBytes(reinterpret_cast<const uint8_t*>(Skater.viewMatrix), sizeof Skater.viewMatrix, hash);
    // The ground: its heights come from the data files and the bump option.
    const size_t cells = static_cast<size_t>(HeightGrid.size) * static_cast<size_t>(HeightGrid.size);
    if (cells <= static_cast<size_t>(kHeightCells))
        hash = hashBytes(reinterpret_cast<const uint8_t*>(HeightCells), cells * sizeof(float), hash);
    // The camera's wandering, which the speeds steer even while the view follows the mouse.
    for (const WaveGenerator* wander : {&AngleWander, &PositionWander}) {
        hash = hashBytes(reinterpret_cast<const uint8_t*>(wander->phase), sizeof wander->phase, hash);
        hash = hashBytes(reinterpret_cast<const uint8_t*>(wander->rate), sizeof wander->rate, hash);
    }
    const int state[] = {Flags.paused,          Flags.menuActive, Flags.helpVisible, Flags.infoVisible,
                         Dialogs.currentDialog, Dialogs.depth,    Pointer.x,         Pointer.y,
                         Keyboard.moveKeys,     Keyboard.altDown};
    return hashBytes(reinterpret_cast<const uint8_t*>(state), sizeof state, hash);
}
