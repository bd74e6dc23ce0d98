// FerrixParam: the effect's parameter indices, in the order the host sees them, its unique id
// and the range of its two gain parameters (what hosts and tools such as ferrix-host rely on).
#pragma once

#include <cstdint>

// The VST 2.4 unique id, "514v": hosts store it with every project and preset file.
constexpr int32_t kFerrixUniqueId = 0x35313476;
// Input Gain and Output Gain run from -kFerrixGainRangeDb to +kFerrixGainRangeDb, linearly.
constexpr double kFerrixGainRangeDb = 22.0;

enum FerrixParam {
  kInputGain = 0,
  kOutputGain,
  kThresholdInitial,
  kThresholdEnd,
  kClipShape,
  kThresholdTime,
  kLink,
  kFast,
  kBypass,
  kNumFerrixParams
};
