// A ride: everything the park's world depends on from its first frame to its end, so that it can
// be played again exactly. The file form ("ride version 1"), all numbers little-endian:
//   "RMPXRIDE", u16 version, u16 window width, u16 window height, u32 the clock reading the park
//   started at (it seeds the random sequence), u32 the bits of the game clock's float offset after
//   its restart; then records, each starting with a tag byte:
//     'F' a frame: the clock reading, as a zigzag varint difference from the previous one
//     0x10 + InputKind: an input event of the last frame, only the fields its kind uses, as varints
//       (pointer motion as the difference from the previous motion)
//     'L' a file outcome (a preference load or save, a screenshot): u8 kind, zigzag status, varint
//       length and that many bytes (what a load read, the line a screenshot showed)
//     'D' the world's digest after the last frame, u64
//     'Z' the end: u64 FNV-1a hash of every byte before the 'Z'; nothing may follow.
// Reading trusts nothing: a file that is empty, foreign, of a later version, cut short, damaged or
// too large is refused whole with one line saying why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/input_event.h"

enum class RideOutcomeKind : uint8_t { PrefsLoad = 1, PrefsSave = 2, Screenshot = 3 };

struct RideOutcome {
    RideOutcomeKind kind = RideOutcomeKind::PrefsLoad;
    int status = 0;  // the program's result code: 0 done, otherwise failed
    int frame = -1;  // the frame it came in; -1 before the first
    std::vector<uint8_t> bytes;
};

struct RideFrame {
    int clockMs = 0;
    int firstEvent = 0;  // into Ride::events
    int eventCount = 0;
    bool hasDigest = false;
    uint64_t digest = 0;
};

struct Ride {
    static constexpr int kVersion = 1;
    static constexpr size_t kLargestFile = 8u << 20;  // hours of riding
    static constexpr size_t kLargestOutcome = 1u << 16;
    static constexpr int kMostEventsInFrame = 512;

    int width = 0;
    int height = 0;
    uint32_t startMs = 0;
    uint32_t clockOffsetBits = 0;
    std::vector<RideFrame> frames;
    std::vector<InputEvent> events;
    std::vector<RideOutcome> outcomes;
};

// The file form built up while the park runs; bytes() is the whole file once finish() was called.
class RideWriter {
  public:
    RideWriter(int width, int height, uint32_t startMs, uint32_t clockOffsetBits);
    virtual ~RideWriter() = default;
    void frame(int clockMs);
    void event(const InputEvent& event);
    void outcome(const RideOutcome& outcome);
    void digest(uint64_t value);
    void finish();
    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    void varint(uint64_t value);
    void zigzag(int64_t value);
    std::vector<uint8_t> bytes_;
    int lastClockMs_;
    int lastX_ = 0;
    int lastY_ = 0;
};

// The file form of a whole ride (a ride read and changed, say).
std::vector<uint8_t> encodeRide(const Ride& ride);
// Reads a ride from bytes; false with the reason (a phrase such as "is cut short") when refused,
// and then the ride is left empty.
bool parseRide(const uint8_t* data, size_t size, Ride& ride, std::string& why);
// The same from a file; the reason then names the file too.
bool readRideFile(const std::string& path, Ride& ride, std::string& why);
// FNV-1a, 64 bits.
uint64_t hashBytes(const uint8_t* data, size_t size, uint64_t hash = 0xcbf29ce484222325ull);
