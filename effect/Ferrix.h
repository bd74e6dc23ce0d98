// Ferrix: the stereo clipper whose threshold glides while it clips — its parameters, factory
// presets, processing and parameter reactions.
#pragma once

#include "effect/ClipShifter.h"
#include "vst/VstEffect.h"

class Ferrix : public VstEffect {
 public:
  explicit Ferrix(audioMasterCallback host);

  // Puts the threshold back to its initial value and the level read-outs to their floor.
  void ResetState() override;
  // Turns parameter index's plain value into the processing state.
  void ParamChanged(int index) override;
  // Two channels in, two out; the meters and output levels end up in Processing().
  void ProcessBlockDouble(double** inputs, double** outputs, int frames) override;

  const ClipShifter& Processing() const { return processing_; }

 private:
  void DefineParams();
  void AddFactoryPresets();

  ClipShifter processing_;
};
