// Ferrix's reactions to parameter changes and its reset: plain values into the processing state.
#include "effect/Decibels.h"
#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"

namespace {

// Where ResetState puts the level read-outs: the −60 dB floor as written, 0.001.
constexpr double kResetLevel = 0.001;

// A value that is not a number counts as on.
bool SwitchOn(double value) {
  return value != 0.0;
}

}  // namespace

void Ferrix::ParamChanged(int index) {
  LockGuard guard(Lock());
  const PlugParam* param = GetParam(index);
  if (!param) return;
  const double v = param->Value();
  ClipShifter& p = processing_;
  switch (index) {
    case kInputGain:
      p.inputGain = DecibelsToLinear(v);
      break;
    case kOutputGain:
      p.outputGain = DecibelsToLinear(v);
      break;
    case kThresholdInitial:
      p.initialThreshold = DecibelsToLinear(v);
      p.RestartThreshold();
      ReactInEditor(index);
      break;
    case kThresholdEnd:
      // Restarts from the initial threshold, not from the new end.
      p.endThreshold = DecibelsToLinear(v);
      p.RestartThreshold();
      ReactInEditor(index);
      break;
    case kClipShape:
      p.clipShape = v;
      break;
    case kThresholdTime:
      p.thresholdTime = v;
      break;
    case kLink:
      p.link = SwitchOn(v);
      if (p.link) {
        ReactInEditor(index);
        p.RestartThreshold();
      }
      break;
    case kFast:
      p.fast = SwitchOn(v);
      ReactInEditor(index);
      break;
    case kBypass:
      p.bypass = SwitchOn(v);
      ReactInEditor(index);
      break;
    default:
      break;
  }
}

void Ferrix::ResetState() {
  LockGuard guard(Lock());
  processing_.outputLevelLeft = kResetLevel;
  processing_.outputLevelRight = kResetLevel;
  processing_.RestartThreshold();
}
