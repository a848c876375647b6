#include "wav.h"

#include <cmath>

Bytes encodeWav(const std::vector<float>& samples, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    Bytes out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putLe32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLe32(out, 16);
    putLe16(out, 1);  // PCM
    putLe16(out, 1);  // mono
    putLe32(out, static_cast<uint32_t>(sampleRate));
    putLe32(out, static_cast<uint32_t>(sampleRate) * 2);  // bytes per second
    putLe16(out, 2);                                      // bytes per frame
    putLe16(out, 16);                                     // bits per sample
    putTag(out, "data");
    putLe32(out, dataBytes);
    for (float s : samples) {
        const float clamped = s > 1.0f ? 1.0f : (s < -1.0f ? -1.0f : s);
        putLe16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767.0f))));
    }
    return out;
}
