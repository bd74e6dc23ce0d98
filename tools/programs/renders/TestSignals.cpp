// Test signal generators: a xorshift noise source and damped two-pole resonators.
#include "tools/programs/renders/TestSignals.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Uniform noise in [−1, 1) from a 64-bit xorshift.
class Noise {
 public:
  explicit Noise(uint64_t seed) : state_(seed) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ >> 11) * (2.0 / 9007199254740992.0) - 1.0;
  }

 private:
  uint64_t state_;
};

// y[n] = decay·k·y[n−1] − decay²·y[n−2] with k = 2·cos(w): a sine of amplitude `amplitude`
// shrinking by `decay` per sample. cos(w) is the parameter so that no sin/cos call is needed.
class Resonator {
 public:
  Resonator(double cosine, double amplitude, double decay)
      : k_(2.0 * cosine),
        decay_(decay),
        previous_(0.0),
        current_(amplitude * std::sqrt(1.0 - cosine * cosine) * decay) {}
  double Next() {
    const double out = previous_;
    const double next = decay_ * k_ * current_ - decay_ * decay_ * previous_;
    previous_ = current_;
    current_ = next;
    return out;
  }

 private:
  double k_, decay_, previous_, current_;
};

}  // namespace

StereoSignal SquareBurst(int frames) {
  StereoSignal s{std::vector<double>(frames), std::vector<double>(frames)};
  const int start = frames / 10, stop = frames * 7 / 10, period = 80;
  for (int i = start; i < stop; ++i) {
    s.left[i] = (i - start) % period < period / 2 ? 0.9 : -0.9;
    s.right[i] = (i - start + period / 4) % period < period / 2 ? 0.6 : -0.6;
  }
  return s;
}

StereoSignal DecayingSine(int frames) {
  StereoSignal s{std::vector<double>(frames), std::vector<double>(frames)};
  Resonator left(0.995, 1.4, 0.9993), right(0.992, 1.1, 0.9995);
  for (int i = 0; i < frames; ++i) {
    s.left[i] = left.Next();
    s.right[i] = right.Next();
  }
  return s;
}

StereoSignal NoiseBurst(int frames) {
  StereoSignal s{std::vector<double>(frames), std::vector<double>(frames)};
  Noise noise(0x9E3779B97F4A7C15ull);
  const int start = frames / 8;
  double envelope = 0.0;
  for (int i = start; i < frames; ++i) {
    envelope = i < start + 64 ? envelope + 1.3 / 64 : envelope * 0.9985;
    s.left[i] = noise.Next() * envelope;
    s.right[i] = noise.Next() * envelope;
  }
  // The guard's cases, inside the burst.
  s.left[start + 100] = 1e-20;
  s.right[start + 101] = std::numeric_limits<double>::infinity();
  s.left[start + 102] = -std::numeric_limits<double>::infinity();
  s.right[start + 103] = std::numeric_limits<double>::quiet_NaN();
  s.left[start + 104] = 4.9e-324;
  return s;
}

StereoSignal MusicLike(int frames) {
  StereoSignal s{std::vector<double>(frames), std::vector<double>(frames)};
  Noise noise(12345);
  Resonator bass(0.99985, 0.55, 1.0), third(0.9990, 0.25, 1.0), fifth(0.99775, 0.2, 1.0);
  double drum = 0.0;
  for (int i = 0; i < frames; ++i) {
    if (i % 12000 == 0) drum = 0.8;  // four hits a second at 48 kHz
    drum *= 0.9992;
    const double tone = bass.Next() + third.Next() + fifth.Next();
    const double hit = drum * noise.Next();
    s.left[i] = tone + hit + 0.02 * noise.Next();
    s.right[i] = 0.9 * tone - hit + 0.02 * noise.Next();
  }
  return s;
}
