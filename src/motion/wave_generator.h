// A bank of up to ten phase accumulators whose speeds wander at random: read through a sine, each
// channel gives a smooth value that speeds up, slows down and turns back without a visible pattern.
#pragma once

class WaveGenerator {
  public:
    static constexpr int kMaxChannels = 10;

    virtual ~WaveGenerator() = default;

    void reset(int count);
    // One frame step. The random draws happen in a fixed order per channel, so the whole program's
    // random sequence depends on the frame times.
    void advance(float dt, float speed);
    // (sin(f * phase) * 0.5 + 0.5) * a + o: a value between o and o + a.
    float wave(int k, float f, float a, float o) const;
    float waveShifted(int k, float f, float s, float a, float o) const;

    float phase[kMaxChannels] = {};
    float rate[kMaxChannels] = {};
    float targetRate[kMaxChannels] = {};
    int steering[kMaxChannels] = {};
    int held[kMaxChannels] = {};
    int channelCount = 0;
};
