// Deterministic stereo test signals: built from + − × and sqrt only, so every platform makes the
// same samples.
#pragma once

#include <vector>

struct StereoSignal {
  std::vector<double> left;
  std::vector<double> right;
  int Frames() const { return static_cast<int>(left.size()); }
};

// Silence, a square wave burst (left ±0.9, right ±0.6 a quarter period later), silence.
StereoSignal SquareBurst(int frames);
// A sine that starts above full scale and decays, right a fifth higher than left.
StereoSignal DecayingSine(int frames);
// Noise with a fast attack and a slow decay, plus a few tiny, infinite and NaN samples.
StereoSignal NoiseBurst(int frames);
// Bass, a chord, a little noise and drum hits, mostly near full scale: music for the benchmark.
StereoSignal MusicLike(int frames);
