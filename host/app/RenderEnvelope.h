// What the picture of a render needs, gathered while it streams: per stretch of time the lowest
// and highest input and output sample and the gain reduction. Stretches double in length when
// the store is full, so memory is fixed whatever the file's length.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/app/FerrixGainReduction.h"
#include "host/audio/AudioBlock.h"

namespace ferrix::host {

class RenderEnvelope {
 public:
  struct Bucket {
    double inMin = 0.0, inMax = 0.0, outMin = 0.0, outMax = 0.0;
    double inSquares = 0.0, outSquares = 0.0;
    double peakReductionDb = 0.0;  // Ferrix: the largest per-sample reduction
    int64_t frames = 0;
  };

  // With `gains` (Ferrix) the reduction is measured per sample as in its summary; without, it
  // is the drop in RMS level from input to output per stretch.
  RenderEnvelope(int sampleRate, std::optional<FerrixGains> gains, int capacity = 2400);
  void Add(const AudioBlock& input, const AudioBlock& output);

  const std::vector<Bucket>& Buckets() const { return buckets_; }
  int64_t Frames() const { return frames_; }
  int SampleRate() const { return sampleRate_; }
  // Gain reduction of a bucket in dB (0 or more).
  double ReductionDb(const Bucket& bucket) const;

 private:
  void Halve();

  int sampleRate_;
  std::optional<FerrixGains> gains_;
  double inputGain_ = 1.0, outputGain_ = 1.0;
  size_t capacity_;
  int64_t framesPerBucket_ = 1;
  int64_t frames_ = 0;
  std::vector<Bucket> buckets_;
};

}  // namespace ferrix::host
