// FerrixParam: the effect's parameter indices, in the order the host sees them.
#pragma once

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
