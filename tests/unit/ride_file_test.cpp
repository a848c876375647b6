// The ride file: a ride survives writing and reading, and every kind of bad file is refused whole.
#include "input/ride_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "input/keyboard_state.h"
#include "support/test_files.h"

namespace {
// Two frames with a key, a pointer motion and a pad look; a load before the first frame and a
// digest after the second.
Ride smallRide() {
    Ride ride;
    std::tie(ride.width, ride.height, ride.startMs, ride.clockOffsetBits) = std::tuple(1024, 768, 5000u, 7u);
    InputEvent key, motion, look;
    std::tie(key.kind, key.code, key.modifiers) = std::tuple(InputKind::Key, 'q', 4);
    std::tie(motion.kind, motion.x, motion.y) = std::tuple(InputKind::PointerMotion, 512, 384);
    std::tie(look.kind, look.x, look.y) = std::tuple(InputKind::PadLook, -3, 2);
    ride.events = {key, motion, look};
    RideFrame first, second;
    std::tie(first.clockMs, first.eventCount) = std::tuple(5016, 1);
    std::tie(second.clockMs, second.firstEvent, second.eventCount) = std::tuple(5033, 1, 2);
    std::tie(second.hasDigest, second.digest) = std::pair(true, 0x0123456789abcdefull);
    ride.frames = {first, second};
    RideOutcome load;
    load.bytes = {1, 2, 3};
    ride.outcomes = {load};
    return ride;
}

std::string refusal(const Bytes& bytes) {
    Ride ride;
    std::string why;
    const bool read = parseRide(bytes.data(), bytes.size(), ride, why);
    if (read) return "read";
    return ride.frames.empty() && ride.events.empty() && ride.outcomes.empty() ? why : "partly read: " + why;
}
}  // namespace

TEST(RideFile, ARideComesBackAsItWasWritten) {
    const Ride ride = smallRide();
    const Bytes bytes = encodeRide(ride);
    Ride read;
    std::string why;
    ASSERT_TRUE(parseRide(bytes.data(), bytes.size(), read, why)) << why;
    EXPECT_EQ(std::tie(read.width, read.height, read.startMs, read.clockOffsetBits),
              std::tuple(1024, 768, 5000u, 7u));
    ASSERT_EQ(read.frames.size(), 2u);
    EXPECT_EQ(read.frames[1].clockMs, 5033);
    EXPECT_EQ(read.frames[1].digest, 0x0123456789abcdefull);
    EXPECT_FALSE(read.frames[0].hasDigest);
    EXPECT_EQ(read.events, ride.events);
    ASSERT_EQ(read.outcomes.size(), 1u);
    EXPECT_EQ(read.outcomes[0].bytes, Bytes({1, 2, 3}));
}

TEST(RideFile, BadFilesAreRefusedWithTheirReason) {
    const Bytes good = encodeRide(smallRide());
    Bytes later = good;
    later[8] = 2;
    Bytes noFrames = encodeRide(Ride());
    Ride wild = smallRide();
    wild.events[0].code = 300;  // no key has that code
    const struct {
        const char* name;
        Bytes bytes;
        const char* why;
    } table[] = {
        {"empty", {}, "is empty"},
        {"a picture", Bytes({'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0}), "is not a Rampix ride"},
        {"magic only", Bytes(good.begin(), good.begin() + 8), "is cut short"},
        {"without its end", Bytes(good.begin(), good.end() - 9), "is cut short"},
        {"a later version", later, "was made by a later Rampix (its ride version is too new)"},
        {"no frames", noFrames, "holds no frames"},
        {"a key out of range", encodeRide(wild), "is damaged (a record makes no sense)"},
        {"a byte more",
         [&] {
             Bytes b = good;
             b.push_back(0);
             return b;
         }(),
         "has bytes after its end"},
    };
    for (const auto& row : table) EXPECT_EQ(refusal(row.bytes), row.why) << row.name;
    // Cut anywhere, or with any one bit changed anywhere, the ride is refused whole with a reason.
    const auto refusedWhole = [](const std::string& why) {
        return why != "read" && why.rfind("partly", 0) != 0 && !why.empty();
    };
    for (size_t size = 1; size < good.size(); ++size)
        EXPECT_TRUE(refusedWhole(refusal(Bytes(good.begin(), good.begin() + static_cast<long>(size)))))
            << size;
    for (size_t at = 0; at < good.size(); ++at)
        for (int bit = 0; bit < 8; ++bit) {
            Bytes flipped = good;
            flipped[at] ^= static_cast<uint8_t>(1 << bit);
            EXPECT_TRUE(refusedWhole(refusal(flipped))) << at << " " << bit;
        }
}

TEST(RideFile, AHugeOrMissingFileIsRefusedWithoutReadingIt) {
    TempFolder folder;
    const std::string huge = folder.file("huge.ride");
    writeFile(huge, encodeRide(smallRide()));
    ASSERT_EQ(truncate(huge.c_str(), static_cast<off_t>(Ride::kLargestFile) + 1), 0);
    Ride ride;
    std::string why;
    EXPECT_FALSE(readRideFile(huge, ride, why));
    EXPECT_EQ(why, huge + ": is too large to be a ride");
    EXPECT_FALSE(readRideFile(folder.file("none.ride"), ride, why));
    EXPECT_EQ(why, folder.file("none.ride") + ": cannot be read (No such file or directory)");
    EXPECT_FALSE(readRideFile(folder.path, ride, why));
    EXPECT_EQ(why, folder.path + ": cannot be read (not a file)");
}

TEST(Keyboard, AKeyFromElsewhereActsWithTheModifiersLastSeenAndThePads) {
    KeyboardState keys;
    keys.recordKey('a', 4);      // Alt held on the keyboard
    keys.holdDeviceInput(0, 2);  // the pad holds Ctrl
    keys.recordKey('v', kLastSeenModifiers);
    EXPECT_EQ(std::tie(keys.key, keys.altDown, keys.ctrlDown, keys.shiftDown), std::tuple(int{'v'}, 4, 2, 0));
    keys.recordKey('w', 0);  // Alt let go
    EXPECT_EQ(std::tie(keys.altDown, keys.ctrlDown), std::tuple(0, 2));
}
