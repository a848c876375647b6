// Writes the seed corpus of the preference-file fuzzer: records as the program saves them, records
// at the edges of every range, records with non-finite and out-of-range words, and files one word
// short and one byte long.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "settings/prefs.h"

namespace {
using Bytes = std::vector<uint8_t>;

Bytes recordBytes(const PrefsRecord& record) {
    Bytes bytes(PrefsRecord::kFileSize);
    record.toBytes(bytes.data());
    return bytes;
}

PrefsRecord defaults() {
    PrefsRecord record;
    record.setDefaults();
    record.cameraMode = 1;
    return record;
}

// Every ranged int at one end of its range; floats far from their defaults but finite.
PrefsRecord atEdges(bool upper) {
    PrefsRecord record = defaults();
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField && f.safeMin <= f.safeMax) record.*f.intField = upper ? f.safeMax : f.safeMin;
        if (f.floatField) record.*f.floatField = upper ? 3.0e38f : -3.0e38f;
    }
    return record;
}

void putWord(Bytes& bytes, int word, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[4 * word + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Non-finite floats and ints far outside their ranges, in every word.
Bytes broken() {
    Bytes bytes = recordBytes(defaults());
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity()};
    int word = 1;
    for (const PrefsField& f : kPrefsFields) {
        if (f.intField) {
            putWord(bytes, word, word % 2 ? 0x80000000u : 0x7FFFFFFFu);
        } else {
            uint32_t bits;
            std::memcpy(&bits, &specials[word % 3], 4);
            putWord(bytes, word, bits);
        }
        ++word;
    }
    return bytes;
}

bool writeSeed(const std::string& dir, const char* name, const Bytes& bytes) {
    FILE* file = std::fopen((dir + "/" + name).c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    Bytes longer = recordBytes(defaults());
    longer.push_back(0x0A);
    Bytes shorter = recordBytes(defaults());
    shorter.resize(PrefsRecord::kFileSize - 4);
    const bool ok = writeSeed(dir, "defaults.pref", recordBytes(defaults())) &&
                    writeSeed(dir, "lower_edges.pref", recordBytes(atEdges(false))) &&
                    writeSeed(dir, "upper_edges.pref", recordBytes(atEdges(true))) &&
                    writeSeed(dir, "broken_words.pref", broken()) &&
                    writeSeed(dir, "one_byte_more.pref", longer) &&
                    writeSeed(dir, "one_word_short.pref", shorter);
    if (!ok) std::fprintf(stderr, "could not write the seeds into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
