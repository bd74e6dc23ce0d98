// Halving merges neighbour pairs; a new bucket starts every framesPerBucket_ frames. The first
// kSettleFrames frames count for no Ferrix reduction, as in the summary.
#include "host/app/RenderEnvelope.h"

#include <algorithm>
#include <cmath>

namespace ferrix::host {
namespace {

constexpr double kSilenceFloor = 0.001;  // -60 dBFS, as in the summary's reduction

}  // namespace

RenderEnvelope::RenderEnvelope(int sampleRate, std::optional<FerrixGains> gains, int capacity)
    : sampleRate_(sampleRate),
      gains_(gains),
      capacity_(static_cast<size_t>(std::max(2, capacity))) {
  buckets_.reserve(capacity_);
  if (gains_ && !gains_->bypass) {
    inputGain_ = std::pow(10.0, gains_->inputGainDb / 20.0);
    outputGain_ = std::pow(10.0, gains_->outputGainDb / 20.0);
  }
}

void RenderEnvelope::Halve() {
  std::vector<Bucket> merged;
  merged.reserve(capacity_);
  for (size_t i = 0; i < buckets_.size(); i += 2) {
    Bucket b = buckets_[i];
    if (i + 1 < buckets_.size()) {
      const Bucket& n = buckets_[i + 1];
      b.inMin = std::min(b.inMin, n.inMin);
      b.inMax = std::max(b.inMax, n.inMax);
      b.outMin = std::min(b.outMin, n.outMin);
      b.outMax = std::max(b.outMax, n.outMax);
      b.inSquares += n.inSquares;
      b.outSquares += n.outSquares;
      b.peakReductionDb = std::max(b.peakReductionDb, n.peakReductionDb);
      b.frames += n.frames;
    }
    merged.push_back(b);
  }
  buckets_.swap(merged);
  framesPerBucket_ *= 2;
}

void RenderEnvelope::Add(const AudioBlock& input, const AudioBlock& output) {
  const int32_t frames = std::min(input.frames, output.frames);
  const size_t channels = std::min(input.channels.size(), output.channels.size());
  for (int32_t i = 0; i < frames; ++i, ++frames_) {
    if (buckets_.empty() || buckets_.back().frames >= framesPerBucket_) {
      if (buckets_.size() == capacity_) Halve();
      if (buckets_.empty() || buckets_.back().frames >= framesPerBucket_) buckets_.push_back({});
    }
    Bucket& b = buckets_.back();
    for (size_t c = 0; c < channels; ++c) {
      const double x = input.channels[c][static_cast<size_t>(i)];
      const double y = output.channels[c][static_cast<size_t>(i)];
      b.inMin = std::min(b.inMin, x);
      b.inMax = std::max(b.inMax, x);
      b.outMin = std::min(b.outMin, y);
      b.outMax = std::max(b.outMax, y);
      b.inSquares += x * x;
      b.outSquares += y * y;
      if (gains_ && !gains_->bypass && frames_ >= kSettleFrames) {
        const double level = std::fabs(x * inputGain_);
        const double result = std::fabs(y);
        if (level >= kSilenceFloor && result > 0.0) {
          b.peakReductionDb =
              std::max(b.peakReductionDb, 20.0 * std::log10(level * outputGain_ / result));
        }
      }
    }
    ++b.frames;
  }
}

double RenderEnvelope::ReductionDb(const Bucket& b) const {
  if (gains_) return b.peakReductionDb;
  if (b.inSquares <= 0.0 || b.outSquares <= 0.0) return 0.0;
  return std::max(0.0, 10.0 * std::log10(b.inSquares / b.outSquares));
}

}  // namespace ferrix::host
