#include "sounds.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace {
constexpr double kPi = 3.14159265358979;

// A resonant band-pass filter whose centre may move from sample to sample.
class BandPass {
  public:
    float step(float in, double centreHz, double q) {
        const double w = 2.0 * kPi * centreHz / kSampleRate;
        const double alpha = std::sin(w) / (2.0 * q), a0 = 1.0 + alpha;
        const double b0 = alpha / a0, b2 = -alpha / a0;
        const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
        const double out = b0 * in + b2 * x2_ - a1 * y1_ - a2 * y2_;
        x2_ = x1_;
        x1_ = in;
        y2_ = y1_;
        y1_ = out;
        return static_cast<float>(out);
    }

  private:
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

class LowPass {
  public:
    explicit LowPass(double cutoffHz) : k_(1.0 - std::exp(-2.0 * kPi * cutoffHz / kSampleRate)) {}
    float step(float in) {
        y_ += k_ * (in - y_);
        return static_cast<float>(y_);
    }

  private:
    double k_;
    double y_ = 0;
};

void normalise(std::vector<float>& samples, float peak) {
    float loudest = 0.0f;
    for (float s : samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0.0f)
        for (float& s : samples) s *= peak / loudest;
}
}  // namespace

std::vector<float> makeWind() {
    const int count = 2 * kSampleRate;
    std::vector<float> samples(count);
    Rng rng(77);
    BandPass howl, whistle;
    LowPass rumble(300.0);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate, phase = t / 2.0;
        const float noise = rng.range(-1.0f, 1.0f);
        // Gusts move the resonance up and down.
        const double gust = std::sin(2.0 * kPi * 0.7 * t) + 0.4 * std::sin(2.0 * kPi * 1.9 * t + 1.0);
        const float body = howl.step(noise, 420.0 + 160.0 * gust, 2.5);
        const float high = whistle.step(noise, 1100.0 + 300.0 * gust, 6.0);
        const float low = rumble.step(noise);
        // Swells from silence and fades back to silence, so looping or stopping never clicks.
        const double swell =
            std::pow(std::sin(kPi * phase), 2.0) * (0.8 + 0.2 * std::sin(2.0 * kPi * 1.3 * t));
        samples[i] = static_cast<float>(swell * (body + 0.35 * high + 2.0 * low));
    }
    normalise(samples, 0.6f);
    return samples;
}

std::vector<float> makeHit() {
    const int count = kSampleRate / 2;
    std::vector<float> samples(count);
    Rng rng(78);
    LowPass thud(900.0);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        // A low tone whose pitch drops as it dies away, with a short burst of muffled noise on top.
        phase += 2.0 * kPi * (52.0 + 120.0 * std::exp(-t / 0.025)) / kSampleRate;
        const double tone = std::sin(phase) * std::exp(-t / 0.085);
        const double crack = thud.step(rng.range(-1.0f, 1.0f)) * std::exp(-t / 0.012);
        const double attack = std::min(1.0, t / 0.002);
        const double tail = std::min(1.0, (count - 1 - i) / (0.03 * kSampleRate));
        samples[i] = static_cast<float>((tone + 2.5 * crack) * attack * tail);
    }
    normalise(samples, 0.9f);
    return samples;
}
