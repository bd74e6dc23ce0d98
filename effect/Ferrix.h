// Ferrix: the stereo clipper whose threshold glides while it clips — its parameters, factory
// presets, processing, parameter reactions and its editor.
#pragma once

#include <cstdint>

#include "effect/ClipShifter.h"
#include "vst/VstEffect.h"

class IGraphics;
class ITextControl;

class Ferrix : public VstEffect {
 public:
  // The meters the block end feeds, in the order of meterIndices_.
  enum Meter {
    kInputBarLeft,
    kInputBarRight,
    kOutputBarLeft,
    kOutputBarRight,
    kThresholdMeter,
    kShiftMeter,
    kReductionMeter,
    kInputPeakLeft,
    kInputPeakRight,
    kOutputPeakLeft,
    kOutputPeakRight,
    kNumMeters
  };

  explicit Ferrix(audioMasterCallback host) : Ferrix(host, true) {}
  // withEditor false: no editor at all (what processing does without one; a benchmark baseline).
  Ferrix(audioMasterCallback host, bool withEditor);

  // Puts the threshold back to its initial value and the level read-outs to their floor.
  void ResetState() override;
  // Turns parameter index's plain value into the processing state, then keeps the editor's
  // linked threshold knobs together.
  void ParamChanged(int index) override;
  // Two channels in, two out; the meters and output levels end up in Processing() and, at the
  // block end, in the editor's meters and read-outs.
  void ProcessBlockDouble(double** inputs, double** outputs, int frames) override;
  // The same on 32-bit host buffers, without widening them first.
  bool ProcessBlockFloatDirect(float** inputs, float** outputs, int frames,
                               bool accumulate) override;

  const ClipShifter& Processing() const { return processing_; }
  // The vector instructions the frames run on: the widest this processor has, unless a test or a
  // benchmark asks for the narrower kind (never for kAvx2 where Widest() says kSse2).
  void SetFrameKind(ClipShifter::Vectors kind) { frameKind_ = kind; }
  // The editor built at construction (owned by the plug-in base), or null.
  IGraphics* Graphics() const;
  int MeterIndex(Meter meter) const { return meterIndices_[meter]; }
  ITextControl* LevelReadout(int channel) const { return levelReadouts_[channel]; }

 protected:
  // Stored control indices may be changed by tests to prove that bad ones are skipped.
  void SetMeterIndex(Meter meter, int index) { meterIndices_[meter] = index; }

 private:
  void DefineParams();
  void BuildEditor();
  void AddFactoryPresets();
  // Block end: the output levels into the read-outs, the meter values into the meters.
  void HandOffToEditor();
  // The processing's meter values into the meter controls. Also run when the layout is built:
  // the meters' first value is then the state before any audio, and the first block's values
  // are changes that get drawn whenever the editor was first painted.
  void FeedMeters(IGraphics& editor);
  // The editor side of a parameter reaction: linked threshold knobs, redraw marks.
  void ReactInEditor(int index);

  ClipShifter processing_;
  ClipShifter::Vectors frameKind_ = ClipShifter::Widest();
  int32_t meterIndices_[kNumMeters] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ITextControl* levelReadouts_[2] = {nullptr, nullptr};
  IGraphics* graphics_ = nullptr;
  // The tenth of a decibel each read-out's text shows (NaN: unknown, format anew).
  double shownTenths_[2] = {__builtin_nan(""), __builtin_nan("")};
};
