// Wandering phase accumulators for slow random motion.
#include "motion/wave_generator.h"

#include <cmath>

#include "base/random.h"

void WaveGenerator::reset(int count) {
    channelCount = count > kMaxChannels ? kMaxChannels : (count < 0 ? 0 : count);
    for (int k = 0; k < channelCount; ++k) {
        phase[k] = static_cast<float>(randomRange(360.0));
        targetRate[k] = static_cast<float>(randomRange(0.01) + 0.03);
        rate[k] = targetRate[k];
        steering[k] = 1;
        held[k] = 0;
    }
}

void WaveGenerator::advance(float dt, float speed) {
    for (int k = 0; k < channelCount; ++k) {
        if (!held[k]) {
            if (dt > randomRange(1.0)) steering[k] = randomRange(1.0) < 0.33 ? 1 : 0;
            if (dt * 0.01 > randomRange(1.0)) {
                const float t = static_cast<float>(randomRange(0.01) + 0.03);
                targetRate[k] = randomRange(1.0) < 0.3 ? t : -t;
            }
            if (steering[k])
                rate[k] = static_cast<float>(rate[k] + (targetRate[k] - rate[k]) * 0.1 * dt);
            else
                rate[k] = static_cast<float>(rate[k] * (1.0 - dt * 0.1));
        }
        phase[k] += dt * rate[k] * speed;
    }
}

float WaveGenerator::wave(int k, float f, float a, float o) const {
    return static_cast<float>((std::sin(f * phase[k]) * 0.5 + 0.5) * a + o);
}

float WaveGenerator::waveShifted(int k, float f, float s, float a, float o) const {
    return static_cast<float>((std::sin(f * phase[k] + s) * 0.5 + 0.5) * a + o);
}
