// After 1024 frames (2048 smoother steps of pole 0.99) a smoother is within 0.99^2048, about
// 1e-9, of its target: far below the 0.1 dB the summary shows.
#include "host/FerrixGainReduction.h"

#include <algorithm>
#include <cmath>

namespace ferrix::host {
namespace {

constexpr int32_t kInputGainParam = 0;
constexpr int32_t kOutputGainParam = 1;
constexpr int32_t kBypassParam = 8;
constexpr double kGainRangeDb = 22.0;
constexpr double kSilenceFloor = 0.001;  // -60 dBFS

double GainDb(const Plugin& plugin, int32_t index) {
  return -kGainRangeDb + 2.0 * kGainRangeDb * static_cast<double>(plugin.GetParam(index));
}

double Linear(double db) {
  return std::pow(10.0, db / 20.0);
}

}  // namespace

FerrixGains ReadFerrixGains(const Plugin& plugin) {
  return {GainDb(plugin, kInputGainParam), GainDb(plugin, kOutputGainParam),
          plugin.GetParam(kBypassParam) >= 0.5f};
}

double LargestGainReductionDb(const AudioData& input, const AudioData& output,
                              const FerrixGains& gains) {
  if (gains.bypass) return 0.0;
  const double inputGain = Linear(gains.inputGainDb);
  const double outputGain = Linear(gains.outputGainDb);
  double largest = 0.0;
  const int channels = std::min(input.ChannelCount(), output.ChannelCount());
  const int64_t frames = std::min(input.Frames(), output.Frames());
  for (int c = 0; c < channels; ++c) {
    const std::vector<double>& in = input.channels[static_cast<size_t>(c)];
    const std::vector<double>& out = output.channels[static_cast<size_t>(c)];
    for (int64_t i = kSettleFrames; i < frames; ++i) {
      const double level = std::fabs(in[static_cast<size_t>(i)] * inputGain);
      const double result = std::fabs(out[static_cast<size_t>(i)]);
      if (level < kSilenceFloor || result == 0.0) continue;
      largest = std::max(largest, 20.0 * std::log10(level * outputGain / result));
    }
  }
  return largest;
}

std::optional<double> GainReductionIfFerrix(const Plugin& plugin, const AudioData& input,
                                            const AudioData& output) {
  if (plugin.Effect()->uniqueID != kFerrixUniqueId) return std::nullopt;
  return LargestGainReductionDb(input, output, ReadFerrixGains(plugin));
}

}  // namespace ferrix::host
