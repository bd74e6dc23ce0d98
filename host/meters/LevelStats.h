// Per-channel level figures of a render: peak and RMS in dBFS and the samples over full scale,
// gathered block by block.
#pragma once

#include <cstdint>
#include <vector>

#include "host/audio/AudioBlock.h"
#include "host/audio/AudioFile.h"

namespace ferrix::host {

struct ChannelLevels {
  double peakDb = 0.0;  // -infinity for silence
  double rmsDb = 0.0;
  int64_t overs = 0;  // samples whose magnitude is above 1.0
};

class LevelMeter {
 public:
  explicit LevelMeter(int channels);
  void Add(const AudioBlock& block);
  std::vector<ChannelLevels> Levels() const;

 private:
  struct Sums {
    double peak = 0.0;
    double squares = 0.0;
    int64_t overs = 0;
  };
  std::vector<Sums> sums_;
  int64_t frames_ = 0;
};

std::vector<ChannelLevels> MeasureLevels(const AudioData& audio);

}  // namespace ferrix::host
