// dBFS = 20 log10(level), full scale 1.0.
#include "host/meters/LevelStats.h"

#include <cmath>
#include <limits>

namespace ferrix::host {
namespace {

double ToDb(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

}  // namespace

LevelMeter::LevelMeter(int channels) : sums_(static_cast<size_t>(channels)) {}

void LevelMeter::Add(const AudioBlock& block) {
  for (size_t c = 0; c < sums_.size() && c < block.channels.size(); ++c) {
    Sums& s = sums_[c];
    const double* samples = block.channels[c].data();
    for (int32_t i = 0; i < block.frames; ++i) {
      const double magnitude = std::fabs(samples[i]);
      s.peak = std::fmax(s.peak, magnitude);
      s.squares += samples[i] * samples[i];
      s.overs += magnitude > 1.0 ? 1 : 0;
    }
  }
  frames_ += block.frames;
}

std::vector<ChannelLevels> LevelMeter::Levels() const {
  std::vector<ChannelLevels> result;
  for (const Sums& s : sums_) {
    ChannelLevels levels;
    levels.peakDb = ToDb(s.peak);
    levels.rmsDb = frames_ == 0 ? ToDb(0.0) : ToDb(std::sqrt(s.squares / frames_));
    levels.overs = s.overs;
    result.push_back(levels);
  }
  return result;
}

std::vector<ChannelLevels> MeasureLevels(const AudioData& audio) {
  std::vector<ChannelLevels> result;
  for (const std::vector<double>& channel : audio.channels) {
    LevelMeter meter(1);
    AudioBlock block;
    block.channels = {channel};
    block.frames = static_cast<int32_t>(channel.size());
    meter.Add(block);
    result.push_back(meter.Levels()[0]);
  }
  return result;
}

}  // namespace ferrix::host
