// The largest gain reduction of a render through Ferrix, measured from its input and output
// samples: VST 2.4 gives a host no way to read the plug-in's own reduction meter.
#pragma once

#include <cstdint>
#include <optional>

#include "effect/FerrixParam.h"
#include "host/audio/AudioBlock.h"
#include "host/audio/AudioFile.h"
#include "host/plugin/Plugin.h"

namespace ferrix::host {

// Ferrix's gain settings as its parameters hold them.
struct FerrixGains {
  double inputGainDb = 0.0;
  double outputGainDb = 0.0;
  bool bypass = false;
};

// Read from an open Ferrix through getParameter (Input Gain and Output Gain map 0..1 linearly onto
// -kFerrixGainRangeDb..+kFerrixGainRangeDb; Bypass is on from 0.5).
FerrixGains ReadFerrixGains(const Plugin& plugin);

// The reduction of one sample is how far the output lies below the unclipped gain path:
// 20·log10(|x · g_in · g_out| / |y|) dB for input x and output y, where g_in and g_out are the
// linear gains. The largest one over all channels counts, with two kinds of sample left out:
// - the first kSettleFrames frames, in which Ferrix's gain smoothers fade in from silence (or
//   glide from earlier settings) and the output is quieter without any clipping;
// - samples whose level after the input gain is below -60 dBFS: Ferrix's threshold never goes
//   below -44 dBFS, so they are never clipped, and their ratio is mostly rounding.
// Answers 0 when nothing is reduced, when nothing qualifies, and with Bypass on.
constexpr int64_t kSettleFrames = 1024;
class GainReductionMeter {
 public:
  explicit GainReductionMeter(const FerrixGains& gains);
  void Add(const AudioBlock& input, const AudioBlock& output);
  double LargestDb() const { return largest_; }

 private:
  double inputGain_;
  double outputGain_;
  bool bypass_;
  int64_t frame_ = 0;
  double largest_ = 0.0;
};

double LargestGainReductionDb(const AudioData& input, const AudioData& output,
                              const FerrixGains& gains);

bool IsFerrix(const Plugin& plugin);

}  // namespace ferrix::host
