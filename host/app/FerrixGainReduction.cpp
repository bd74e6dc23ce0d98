// After 1024 frames (2048 smoother steps of pole 0.99) a smoother is within 0.99^2048, about
// 1e-9, of its target: far below the 0.1 dB the summary shows.
#include "host/app/FerrixGainReduction.h"

#include <algorithm>
#include <cmath>

namespace ferrix::host {
namespace {

constexpr double kSilenceFloor = 0.001;  // -60 dBFS

double GainDb(const Plugin& plugin, int32_t index) {
  return -kFerrixGainRangeDb +
         2.0 * kFerrixGainRangeDb * static_cast<double>(plugin.GetParam(index));
}

double Linear(double db) {
  return std::pow(10.0, db / 20.0);
}

}  // namespace

FerrixGains ReadFerrixGains(const Plugin& plugin) {
  return {GainDb(plugin, kInputGain), GainDb(plugin, kOutputGain),
          plugin.GetParam(kBypass) >= 0.5f};
}

GainReductionMeter::GainReductionMeter(const FerrixGains& gains)
    : inputGain_(Linear(gains.inputGainDb)),
      outputGain_(Linear(gains.outputGainDb)),
      bypass_(gains.bypass) {}

void GainReductionMeter::Add(const AudioBlock& input, const AudioBlock& output) {
  const int32_t frames = std::min(input.frames, output.frames);
  const int64_t first = std::max<int64_t>(0, kSettleFrames - frame_);
  frame_ += frames;
  if (bypass_) return;
  const size_t channels = std::min(input.channels.size(), output.channels.size());
  for (size_t c = 0; c < channels; ++c) {
    const double* in = input.channels[c].data();
    const double* out = output.channels[c].data();
    for (int64_t i = first; i < frames; ++i) {
      const double level = std::fabs(in[i] * inputGain_);
      const double result = std::fabs(out[i]);
      if (level < kSilenceFloor || result == 0.0) continue;
      largest_ = std::max(largest_, 20.0 * std::log10(level * outputGain_ / result));
    }
  }
}

double LargestGainReductionDb(const AudioData& input, const AudioData& output,
                              const FerrixGains& gains) {
  GainReductionMeter meter(gains);
  AudioBlock in, out;
  in.channels = input.channels;
  out.channels = output.channels;
  in.frames = static_cast<int32_t>(input.Frames());
  out.frames = static_cast<int32_t>(output.Frames());
  meter.Add(in, out);
  return meter.LargestDb();
}

bool IsFerrix(const Plugin& plugin) {
  return plugin.Effect()->uniqueID == kFerrixUniqueId;
}

}  // namespace ferrix::host
