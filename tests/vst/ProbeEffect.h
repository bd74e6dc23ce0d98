// ProbeEffect: a test-only effect on VstEffect with the effect's identity (9 parameters, 20
// programs, "1-1 2-2") and a processing whose every output sample can be worked out by hand.
//   0 "Gain"    1.0 in 0..4, step 0.01, "x"
//   1 "Drive"   5.0 in 0..10, step 0.1, "dB", shape 2
//   2 "Ceiling" 3.0 in 0..24, step 0.1, "dB", shown negated
//   3..7 "Level" 3..7 in -10..10, step 0.1, "dB"
//   8 "Bypass"  off, a switch
// Processing: with Bypass off, y[n] = Gain * x[n] + 0.5 * y[n - 1] per channel (state kept
// across blocks, cleared by ResetState); with Bypass on, the default copy. Presets: slot 0 "-"
// with the defaults, slot 1 "Loud" (Gain 2), slot 2 "Bypassed" (Bypass on).
// ResetState tells the host through audioMasterUpdateDisplay, so that a host can count resets,
// and after identifying the host it sends controllers 0..3 on channel 1 holding the host kind
// and the major, minor and revision of the host version.
#pragma once

#include <vector>

#include "vst/VstEffect.h"

class ProbeEffect : public VstEffect {
 public:
  static constexpr int kGain = 0, kDrive = 1, kCeiling = 2, kBypass = 8;

  explicit ProbeEffect(audioMasterCallback host, const char* channelIO = "1-1 2-2");

  void ResetState() override;
  void HostIdentified() override;
  void ProcessBlockDouble(double** inputs, double** outputs, int frames) override;

 private:
  std::vector<double> previous_;
};
