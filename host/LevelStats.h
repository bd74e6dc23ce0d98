// Per-channel level figures of a render: peak and RMS in dBFS and the samples over full scale.
#pragma once

#include <cstdint>
#include <vector>

#include "host/AudioFile.h"

namespace ferrix::host {

struct ChannelLevels {
  double peakDb = 0.0;  // -infinity for silence
  double rmsDb = 0.0;
  int64_t overs = 0;  // samples whose magnitude is above 1.0
};

std::vector<ChannelLevels> MeasureLevels(const AudioData& audio);

}  // namespace ferrix::host
