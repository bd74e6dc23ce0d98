// Synthesises the demo loop ferrix-host renders in its main job: two bars of kick, snare, hats
// and bass at 120 BPM, stereo, 44.1 kHz, mixed hot (peaks above 0 dBFS), written as 32-bit float
// WAV. Only + - * / are used, so every platform computes the same bits.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kBeats = 8;               // two bars of 4/4
constexpr int kBeatFrames = kRate / 2;  // 120 BPM
constexpr int kFrames = kBeats * kBeatFrames;
constexpr double kTwoPi = 6.283185307179586;

// sin(2 pi phase) for any phase in [0, 1), from a Taylor series on the folded quarter wave.
double Sine(double phase) {
  double u = phase < 0.25 ? phase : (phase < 0.75 ? 0.5 - phase : phase - 1.0);
  const double x = u * kTwoPi;
  const double x2 = x * x;
  return x * (1.0 - x2 / 6.0 * (1.0 - x2 / 20.0 * (1.0 - x2 / 42.0 * (1.0 - x2 / 72.0))));
}

double Wrap(double phase) {
  return phase >= 1.0 ? phase - 1.0 : phase;
}

// A fixed linear congruential generator: the same noise everywhere, in [-1, 1).
struct Noise {
  uint32_t state = 0x1234567u;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }
};

void AddKick(std::vector<double>& left, std::vector<double>& right, int start) {
  double phase = 0.0, env = 1.0, sweep = 1.0;
  for (int i = start; i < kFrames && env > 1e-4; ++i) {
    const double freq = 45.0 + 110.0 * sweep;
    const double v = Sine(phase) * env * 0.95;
    left[i] += v;
    right[i] += v;
    phase = Wrap(phase + freq / kRate);
    env *= 0.99985;
    sweep *= 0.9992;
  }
}

void AddSnare(std::vector<double>& left, std::vector<double>& right, int start, Noise& noise) {
  double phase = 0.0, env = 1.0;
  for (int i = start; i < kFrames && env > 1e-4; ++i) {
    const double body = Sine(phase) * 0.35;
    const double n = noise.Next() * 0.5;
    left[i] += (body + n) * env * 0.8;
    right[i] += (body + n * 0.9) * env * 0.8;
    phase = Wrap(phase + 185.0 / kRate);
    env *= 0.99955;
  }
}

void AddHat(std::vector<double>& left, std::vector<double>& right, int start, Noise& noise,
            double level) {
  double env = 1.0, previous = 0.0;
  for (int i = start; i < kFrames && env > 1e-4; ++i) {
    const double n = noise.Next();
    const double bright = (n - previous) * 0.5;  // first difference: a crude high-pass
    previous = n;
    left[i] += bright * env * level * 0.7;
    right[i] += bright * env * level;
    env *= 0.9985;
  }
}

void AddBass(std::vector<double>& left, std::vector<double>& right) {
  // One note per beat, a simple riff in A.
  static constexpr double kNotes[kBeats] = {55.0, 55.0, 65.406, 49.0, 55.0, 55.0, 73.416, 41.203};
  double phase = 0.0, smooth = 0.0;
  for (int beat = 0; beat < kBeats; ++beat) {
    double env = 1.0;
    for (int i = beat * kBeatFrames; i < (beat + 1) * kBeatFrames; ++i) {
      const double saw = 2.0 * phase - 1.0;
      smooth += (saw - smooth) * 0.06;  // one-pole low-pass
      const double v = smooth * env * 0.55;
      left[i] += v;
      right[i] += v;
      phase = Wrap(phase + kNotes[beat] / kRate);
      env *= 0.99997;
    }
  }
}

void PutU32(std::FILE* f, uint32_t v) {
  const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  std::fwrite(b, 1, 4, f);
}

void PutU16(std::FILE* f, uint16_t v) {
  const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  std::fwrite(b, 1, 2, f);
}

bool WriteFloatWav(const char* path, const std::vector<double>& left,
                   const std::vector<double>& right) {
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr) return false;
  const uint32_t dataBytes = kFrames * 2 * 4;
  std::fwrite("RIFF", 1, 4, f);
  PutU32(f, 36 + dataBytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  PutU32(f, 16);
  PutU16(f, 3);  // IEEE float
  PutU16(f, 2);
  PutU32(f, kRate);
  PutU32(f, kRate * 2 * 4);
  PutU16(f, 2 * 4);
  PutU16(f, 32);
  std::fwrite("data", 1, 4, f);
  PutU32(f, dataBytes);
  for (int i = 0; i < kFrames; ++i) {
    for (double v : {left[i], right[i]}) {
      const float sample = static_cast<float>(v);
      uint32_t bits;
      std::memcpy(&bits, &sample, 4);
      PutU32(f, bits);
    }
  }
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-demo-loop OUTPUT.wav\n");
    return 2;
  }
  std::vector<double> left(kFrames, 0.0), right(kFrames, 0.0);
  Noise noise;
  for (int beat = 0; beat < kBeats; ++beat) {
    const int start = beat * kBeatFrames;
    if (beat % 2 == 0) AddKick(left, right, start);
    if (beat % 2 == 1) AddSnare(left, right, start, noise);
    AddHat(left, right, start, noise, 1.0);
    AddHat(left, right, start + kBeatFrames / 2, noise, 0.6);
  }
  AddKick(left, right, 5 * kBeatFrames + kBeatFrames / 2);  // a pickup kick in the second bar
  AddBass(left, right);
  if (!WriteFloatWav(argv[1], left, right)) {
    std::fprintf(stderr, "make-demo-loop: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
