// The ride's file form: writing while the park runs, and the untrusting reader.
#include "input/ride_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

namespace {
constexpr char kMagic[8] = {'R', 'M', 'P', 'X', 'R', 'I', 'D', 'E'};
constexpr uint8_t kFrameTag = 'F';
constexpr uint8_t kOutcomeTag = 'L';
constexpr uint8_t kDigestTag = 'D';
constexpr uint8_t kEndTag = 'Z';
constexpr uint8_t kEventTag = 0x10;

// Which fields an event of each kind keeps in the file.
enum EventFields { kCode = 1, kState = 2, kPlace = 4, kModifiers = 8, kMotion = 16 };
constexpr int kFieldsOfKind[kInputKindCount] = {
    kCode | kModifiers,       // Key
    kCode | kModifiers,       // SpecialKey
    kCode,                    // SpecialKeyUp
    kCode | kState | kPlace,  // MouseButton
    kPlace | kMotion,         // PointerMotion
    kCode | kModifiers,       // PadHold
    kCode,                    // PadSpecialKey
    kCode | kState,           // PadButton
    kPlace,                   // PadLook
};

// What the program can take: keys are bytes, buttons and modifiers few, places within reach of any
// screen. Anything else in a file is damage, refused before it reaches the program.
constexpr int kFarthest = 1 << 20;
bool near(int place) {
    return place >= -kFarthest && place <= kFarthest;
}
bool inRange(const InputEvent& event) {
    const int fields = kFieldsOfKind[static_cast<int>(event.kind)];
    const bool button = event.kind == InputKind::MouseButton || event.kind == InputKind::PadButton;
    const int largestCode = event.kind == InputKind::Key ? 255 : button ? 15 : 65535;
    return event.code >= 0 && event.code <= largestCode && event.state >= 0 && event.state <= 1 &&
           (!(fields & kPlace) || (near(event.x) && near(event.y))) &&
           event.modifiers >= kLastSeenModifiers && event.modifiers <= 7;
}

void putLittle(std::vector<uint8_t>& out, uint64_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Reads forward through untrusted bytes; once anything is missing or out of range it stays failed.
class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool failed = false;
    bool atEnd() const { return at_ >= size_; }
    size_t position() const { return at_; }

    uint64_t little(int size) {
        if (size_ - at_ < static_cast<size_t>(size)) return fail();
        uint64_t value = 0;
        for (int i = 0; i < size; ++i) value |= static_cast<uint64_t>(data_[at_++]) << (8 * i);
        return value;
    }
    uint64_t varint() {
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (atEnd()) return fail();
            const uint8_t byte = data_[at_++];
            value |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) return value;
        }
        return fail();
    }
    // A zigzag varint that must fit an int.
    int whole() {
        const uint64_t raw = varint();
        const int64_t value = static_cast<int64_t>(raw >> 1) ^ -static_cast<int64_t>(raw & 1);
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return fail();
        return static_cast<int>(value);
    }
    const uint8_t* take(size_t size) {
        if (size_ - at_ < size) return fail(), nullptr;
        const uint8_t* start = data_ + at_;
        at_ += size;
        return start;
    }

  private:
    int fail() {
        failed = true;
        at_ = size_;
        return 0;
    }
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

bool readEvent(Reader& in, int kind, int& lastX, int& lastY, Ride& ride) {
    if (kind >= kInputKindCount) return false;
    const int fields = kFieldsOfKind[kind];
    InputEvent event;
    event.kind = static_cast<InputKind>(kind);
    if (fields & kCode) event.code = in.whole();
    if (fields & kState) event.state = in.whole();
    if (fields & kPlace) {
        event.x = in.whole();
        event.y = in.whole();
    }
    if (fields & kMotion) {
        if (!near(event.x) || !near(event.y)) return false;
        event.x = lastX += event.x;
        event.y = lastY += event.y;
    }
    event.modifiers = (fields & kModifiers) ? in.whole() : kLastSeenModifiers;
    RideFrame& frame = ride.frames.back();
    if (in.failed || !inRange(event) || frame.eventCount == Ride::kMostEventsInFrame) return false;
    ++frame.eventCount;
    ride.events.push_back(event);
    return true;
}

bool readOutcome(Reader& in, Ride& ride) {
    RideOutcome outcome;
    const uint64_t kind = in.little(1);
    outcome.status = in.whole();
    const uint64_t length = in.varint();
    if (in.failed || kind < 1 || kind > 3 || length > Ride::kLargestOutcome) return false;
    outcome.kind = static_cast<RideOutcomeKind>(kind);
    outcome.frame = static_cast<int>(ride.frames.size()) - 1;
    const uint8_t* bytes = in.take(static_cast<size_t>(length));
    if (!bytes) return false;
    outcome.bytes.assign(bytes, bytes + length);
    ride.outcomes.push_back(std::move(outcome));
    return true;
}

// The records after the header, up to and including the end mark; "" or why they are refused.
const char* readRecords(Reader& in, const uint8_t* data, Ride& ride) {
    int64_t clockMs = ride.startMs;
    int lastX = 0, lastY = 0;
    while (!in.atEnd()) {
        const size_t tagAt = in.position();
        const int tag = static_cast<int>(in.little(1));
        if (tag == kEndTag) {
            const uint64_t stored = in.little(8);
            if (in.failed) return "is cut short";
            if (!in.atEnd()) return "has bytes after its end";
            if (stored != hashBytes(data, tagAt)) return "is damaged (its check sum does not match)";
            return ride.frames.empty() ? "holds no frames" : "";
        }
        bool good = true;
        if (tag == kFrameTag) {
            clockMs += in.whole();
            good = clockMs >= 0 && clockMs <= std::numeric_limits<int>::max();
            RideFrame frame;
            frame.clockMs = static_cast<int>(clockMs);
            frame.firstEvent = static_cast<int>(ride.events.size());
            ride.frames.push_back(frame);
        } else if (tag >= kEventTag && tag < kEventTag + kInputKindCount) {
            good = !ride.frames.empty() && readEvent(in, tag - kEventTag, lastX, lastY, ride);
        } else if (tag == kOutcomeTag) {
            good = readOutcome(in, ride);
        } else if (tag == kDigestTag) {
            const uint64_t digest = in.little(8);
            good = !ride.frames.empty() && !ride.frames.back().hasDigest;
            if (good) ride.frames.back().hasDigest = true, ride.frames.back().digest = digest;
        } else {
            good = false;
        }
        if (in.failed) return "is cut short";
        if (!good) return "is damaged (a record makes no sense)";
    }
    return "is cut short";
}
// The game clock's offset after its restart: minus the seconds the program ran before the park.
bool saneClockOffset(uint32_t bits) {
    float offset;
    std::memcpy(&offset, &bits, sizeof offset);
    return std::isfinite(offset) && std::fabs(offset) < 1e7f;
}
}  // namespace

uint64_t hashBytes(const uint8_t* data, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ull;
    return hash;
}

RideWriter::RideWriter(int width, int height, uint32_t startMs, uint32_t clockOffsetBits)
    : lastClockMs_(static_cast<int>(startMs)) {
    bytes_.reserve(1u << 20);
    bytes_.insert(bytes_.end(), kMagic, kMagic + sizeof kMagic);
    putLittle(bytes_, Ride::kVersion, 2);
    putLittle(bytes_, static_cast<uint16_t>(width), 2);
    putLittle(bytes_, static_cast<uint16_t>(height), 2);
    putLittle(bytes_, startMs, 4);
    putLittle(bytes_, clockOffsetBits, 4);
}

void RideWriter::varint(uint64_t value) {
    for (; value >= 0x80; value >>= 7) bytes_.push_back(static_cast<uint8_t>(value | 0x80));
    bytes_.push_back(static_cast<uint8_t>(value));
}

void RideWriter::zigzag(int64_t value) {
    varint((static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
}

void RideWriter::frame(int clockMs) {
    bytes_.push_back(kFrameTag);
    zigzag(static_cast<int64_t>(clockMs) - lastClockMs_);
    lastClockMs_ = clockMs;
}

void RideWriter::event(const InputEvent& event) {
    const int kind = static_cast<int>(event.kind);
    const int fields = kFieldsOfKind[kind];
    bytes_.push_back(static_cast<uint8_t>(kEventTag + kind));
    if (fields & kCode) zigzag(event.code);
    if (fields & kState) zigzag(event.state);
    if (fields & kMotion) {
        zigzag(static_cast<int64_t>(event.x) - lastX_);
        zigzag(static_cast<int64_t>(event.y) - lastY_);
        lastX_ = event.x;
        lastY_ = event.y;
    } else if (fields & kPlace) {
        zigzag(event.x);
        zigzag(event.y);
    }
    if (fields & kModifiers) zigzag(event.modifiers);
}

void RideWriter::outcome(const RideOutcome& outcome) {
    bytes_.push_back(kOutcomeTag);
    bytes_.push_back(static_cast<uint8_t>(outcome.kind));
    zigzag(outcome.status);
    const size_t length = std::min(outcome.bytes.size(), Ride::kLargestOutcome);
    varint(length);
    bytes_.insert(bytes_.end(), outcome.bytes.begin(), outcome.bytes.begin() + static_cast<long>(length));
}

void RideWriter::digest(uint64_t value) {
    bytes_.push_back(kDigestTag);
    putLittle(bytes_, value, 8);
}

void RideWriter::finish() {
    const uint64_t hash = hashBytes(bytes_.data(), bytes_.size());
    bytes_.push_back(kEndTag);
    putLittle(bytes_, hash, 8);
}

std::vector<uint8_t> encodeRide(const Ride& ride) {
    RideWriter writer(ride.width, ride.height, ride.startMs, ride.clockOffsetBits);
    size_t outcome = 0;
    const auto outcomesUpTo = [&](int frame) {
        for (; outcome < ride.outcomes.size() && ride.outcomes[outcome].frame <= frame; ++outcome)
            writer.outcome(ride.outcomes[outcome]);
    };
    outcomesUpTo(-1);
    for (size_t f = 0; f < ride.frames.size(); ++f) {
        const RideFrame& frame = ride.frames[f];
        writer.frame(frame.clockMs);
        for (int k = 0; k < frame.eventCount; ++k)
            writer.event(ride.events[static_cast<size_t>(frame.firstEvent + k)]);
        outcomesUpTo(static_cast<int>(f));
        if (frame.hasDigest) writer.digest(frame.digest);
    }
    outcomesUpTo(static_cast<int>(ride.frames.size()));
    writer.finish();
    return writer.bytes();
}

bool parseRide(const uint8_t* data, size_t size, Ride& ride, std::string& why) {
    ride = Ride();
    if (size == 0) return why = "is empty", false;
    if (size > Ride::kLargestFile) return why = "is too large to be a ride", false;
    if (size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return why = "is not a Rampix ride", false;
    Reader in(data, size);
    in.take(sizeof kMagic);
    const int version = static_cast<int>(in.little(2));
    ride.width = static_cast<int>(in.little(2));
    ride.height = static_cast<int>(in.little(2));
    ride.startMs = static_cast<uint32_t>(in.little(4));
    ride.clockOffsetBits = static_cast<uint32_t>(in.little(4));
    const char* problem = "";
    if (in.failed)
        problem = "is cut short";
    else if (version > Ride::kVersion)
        problem = "was made by a later Rampix (its ride version is too new)";
    else if (version < 1 || ride.startMs > static_cast<uint32_t>(std::numeric_limits<int>::max()) ||
             !saneClockOffset(ride.clockOffsetBits))
        problem = "is damaged (its header makes no sense)";
    else
        problem = readRecords(in, data, ride);
    if (*problem == '\0') return true;
    why = problem;
    ride = Ride();
    return false;
}

bool readRideFile(const std::string& path, Ride& ride, std::string& why) {
    ride = Ride();
    struct stat info;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file || fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        why = path + ": cannot be read (" + (file ? "not a file" : std::strerror(errno)) + ")";
        if (file) std::fclose(file);
        return false;
    }
    std::vector<uint8_t> bytes;
    const bool huge = static_cast<size_t>(info.st_size) > Ride::kLargestFile;
    if (!huge) {
        bytes.resize(static_cast<size_t>(info.st_size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::fclose(file);
    if (huge) {
        why = path + ": is too large to be a ride";
        return false;
    }
    if (parseRide(bytes.data(), bytes.size(), ride, why)) return true;
    why = path + ": " + why;
    return false;
}
