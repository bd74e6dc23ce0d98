// dBFS = 20 log10(level), full scale 1.0.
#include "host/LevelStats.h"

#include <cmath>
#include <limits>

namespace ferrix::host {
namespace {

double ToDb(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

}  // namespace

std::vector<ChannelLevels> MeasureLevels(const AudioData& audio) {
  std::vector<ChannelLevels> result;
  for (const std::vector<double>& channel : audio.channels) {
    double peak = 0.0;
    double sumSquares = 0.0;
    ChannelLevels levels;
    for (double v : channel) {
      const double magnitude = std::fabs(v);
      peak = std::fmax(peak, magnitude);
      sumSquares += v * v;
      levels.overs += magnitude > 1.0 ? 1 : 0;
    }
    levels.peakDb = ToDb(peak);
    levels.rmsDb = channel.empty() ? ToDb(0.0) : ToDb(std::sqrt(sumSquares / channel.size()));
    result.push_back(levels);
  }
  return result;
}

}  // namespace ferrix::host
