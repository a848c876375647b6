// The file parsers' fuzz targets, one per build of this file (RAMPIX_FUZZ_TARGET 1 to 4). A failed
// property aborts with a message, which libFuzzer reports as a crash with the input that caused it.
// The height-image and preference targets pass the bytes through a real file, as the program reads them.
//   1 BMP reader: a refused input leaves the image untouched; an accepted one is a complete picture of
//     at most 65536 pixels whose every byte can be read.
//   2 Height images: the grid stays exactly as it was, or becomes a square of side 4..256 whose heights
//     lie within the scale; cells past the new grid stay untouched.
//   3 Preference file: a load gives a record whose every ranged int lies in its safe range and every
//     float is finite, or is refused with the record left as it was; a loaded record survives a save
//     and a reload.
//   4 Ride file: a refused ride is refused whole with a reason; an accepted one has every event in a
//     frame, every count and clock reading in range, and survives writing and reading again. Each
//     input is tried as it is and sealed with a true end mark.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "input/ride_file.h"
#include "settings/prefs.h"
#include "terrain/heightmap.h"
#include "textures/bmp_reader.h"

namespace {
void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}

std::string path;  // a scratch file the bytes are written to
void removeFile() {
    unlink(path.c_str());
    unlink((path + ".pref").c_str());
}

[[maybe_unused]] void writeInput(const std::string& name, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(name.c_str(), "wb");
    require(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
            "could not write the input");
}

[[maybe_unused]] void requireSafe(const PrefsRecord& record) {
    require(record.header == PrefsRecord::kHeaderWord, "the record's own header word changed");
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField && f.safeMin <= f.safeMax)
            require(record.*f.intField >= f.safeMin && record.*f.intField <= f.safeMax, f.name);
        if (f.floatField) require(std::isfinite(record.*f.floatField), f.name);
    }
}

// A start state unlike both the defaults and anything sanitising produces.
[[maybe_unused]] PrefsRecord startState() {
    PrefsRecord record;
    record.setDefaults();
    record.cameraMode = 2;
    record.tessellation = 40;
    record.fogEnd = 3.25f;
    return record;
}

[[maybe_unused]] bool sameBytes(const PrefsRecord& a, const PrefsRecord& b) {
    uint8_t first[PrefsRecord::kFileSize], second[PrefsRecord::kFileSize];
    a.toBytes(first);
    b.toBytes(second);
    return a.header == b.header && std::memcmp(first, second, sizeof first) == 0;
}

[[maybe_unused]] void checkRide(const uint8_t* bytes, size_t size) {
    Ride ride;
    std::string why;
    if (!parseRide(bytes, size, ride, why)) {
        require(ride.frames.empty() && ride.events.empty() && ride.outcomes.empty() && !why.empty(),
                "a refused ride was partly kept, or refused without a reason");
        return;
    }
    size_t events = 0;
    for (const RideFrame& frame : ride.frames) {
        require(frame.firstEvent == static_cast<int>(events) && frame.eventCount >= 0 &&
                    frame.eventCount <= Ride::kMostEventsInFrame && frame.clockMs >= 0,
                "a frame's events or clock are out of range");
        events += static_cast<size_t>(frame.eventCount);
    }
    require(events == ride.events.size(), "events belong to no frame");
    for (const RideOutcome& outcome : ride.outcomes)
        require(outcome.bytes.size() <= Ride::kLargestOutcome, "an outcome is too large");
    const std::vector<uint8_t> again = encodeRide(ride);
    Ride reread;
    require(parseRide(again.data(), again.size(), reread, why) && reread.events == ride.events &&
                reread.frames.size() == ride.frames.size(),
            "a ride read does not survive writing and reading again");
}

[[maybe_unused]] float cells[kHeightCells];
float untouched[kHeightCells];
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TMPDIR");
    path = std::string(folder && *folder ? folder : "/tmp") + "/rampix_fuzz_XXXXXX";
    const int fd = mkstemp(path.data());
    require(fd >= 0, "no temporary file");
    close(fd);
    std::atexit(removeFile);
    for (int i = 0; i < kHeightCells; ++i) untouched[i] = -1000.0f - static_cast<float>(i % 977);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#if RAMPIX_FUZZ_TARGET == 1
    BmpImage image;
    image.width = image.height = -1;
    image.rgb.assign(3, 0x5A);
    if (!decodeBmp(data, size, image)) {
        require(image.width == -1 && image.height == -1 && image.rgb.size() == 3 && image.rgb[0] == 0x5A,
                "a refused file changed the image");
        return 0;
    }
    require(
        image.width > 0 && image.height > 0 && int64_t{image.width} * image.height <= BmpImage::kMaxPixels,
        "an accepted image has a side of zero or more than 65536 pixels");
    require(image.rgb.size() == static_cast<size_t>(image.width) * image.height * 3,
            "the pixels miss the size");
    unsigned sum = 0;
    for (int i = 0; i < image.width * image.height; ++i) sum += image.green(i % image.width, i / image.width);
    require(sum <= 255u * BmpImage::kMaxPixels, "impossible green sum");
#elif RAMPIX_FUZZ_TARGET == 2
    constexpr float kScale = 7.0f;
    writeInput(path, data, size);
    std::memcpy(cells, untouched, sizeof cells);
    Heightmap map;
    map.heights = cells;
    map.size = 128;
    require(map.loadFromBmp(path.c_str(), kScale) == 0, "a file that opens must give 0");
    BmpImage image;  // the loader reads up to 4 MiB, more than any input the fuzzer makes
    const bool readable =
        decodeBmp(data, size, image) && image.width == image.height && image.width >= 4 && image.width <= 256;
    const int side = readable ? image.width : 0;
    require(map.size == (readable ? side : 128),
            "the side is not the image's, or a refused image changed it");
    for (int i = 0; i < side * side; ++i)
        require(std::isfinite(cells[i]) && cells[i] >= -kScale && cells[i] < kScale,
                "a height is out of scale");
    require(std::memcmp(cells + side * side, untouched + side * side,
                        sizeof(float) * (kHeightCells - side * side)) == 0,
            "a cell past the grid was written");
    for (float u = -1.5f; u <= 1.5f; u += 0.37f)
        require(std::isfinite(map.sampleHeight(u, 1.0f - u)), "a sampled height is not finite");
#elif RAMPIX_FUZZ_TARGET == 3
    uint8_t block[PrefsRecord::kFileSize] = {};
    std::memcpy(block, data, size < sizeof block ? size : sizeof block);
    PrefsRecord decoded;
    decoded.fromBytes(block);
    decoded.makeSafe();
    requireSafe(decoded);

    writeInput(path + ".pref", data, size);
    PrefsRecord record = startState();
    const int result = record.loadPrefs(path.c_str());
    if (size < PrefsRecord::kFileSize) {
        require(result == 1 && sameBytes(record, startState()),
                "a short file was taken or changed the record");
        return 0;
    }
    require(result == 0, "a complete file was refused");
    requireSafe(record);
    // Saving is slow (it syncs), so only a sixteenth of the loaded inputs take the round trip.
    if ((data[PrefsRecord::kFileSize - 1] & 0x0F) != 0) return 0;
    require(record.savePrefs(path.c_str()) == 0, "saving a loaded record failed");
    PrefsRecord reloaded = startState();
    require(reloaded.loadPrefs(path.c_str()) == 0 && sameBytes(reloaded, record),
            "a saved record reloads unlike");
#else
    // As it comes, and with a true end mark after it, so that the records behind the check sum are
    // reached too.
    std::vector<uint8_t> sealed(data, data + size);
    const uint64_t hash = hashBytes(data, size);
    sealed.push_back('Z');
    for (int i = 0; i < 8; ++i) sealed.push_back(static_cast<uint8_t>(hash >> (8 * i)));
    checkRide(data, size);
    checkRide(sealed.data(), sealed.size());
#endif
    return 0;
}
