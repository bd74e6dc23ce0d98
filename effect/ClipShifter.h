// ClipShifter: the effect's processing state and its block processing — a stereo clipper whose
// threshold glides towards an end level while clipping and back while the signal is quiet.
#pragma once

#include "effect/EnvelopeFollower.h"
#include "effect/GainSmoother.h"
#include "support/VectorLevel.h"

struct ClipShifter {
  // Written by the parameter reactions (linear levels, milliseconds, switches).
  double inputGain = 0.0;
  double clipShape = 1.0;
  double initialThreshold = 1.0;
  double endThreshold = 1.0;
  double thresholdTime = 0.0;  // 0 until the reactions first run
  double outputGain = 0.0;

  double activeThreshold = 1.0;  // what the clipper uses
  double shiftAmount = 0.0;      // meter: how far the active threshold has moved, 0..1
  bool link = false;
  bool bypass = false;
  bool fast = false;
  // The slow output envelopes as last handed to the level read-outs.
  double outputLevelLeft = 0.0;
  double outputLevelRight = 0.0;

  EnvelopeFollower fastInputLeft;
  EnvelopeFollower fastInputRight;
  EnvelopeFollower fastOutputLeft;
  EnvelopeFollower fastOutputRight;
  EnvelopeFollower reduction;
  EnvelopeFollower slowInputLeft;
  EnvelopeFollower slowInputRight;
  EnvelopeFollower slowOutputLeft;
  EnvelopeFollower slowOutputRight;
  // The slow output followers again without their cap at full scale: the true output levels the
  // read-outs show, overs included.
  EnvelopeFollower uncappedOutputLeft;
  EnvelopeFollower uncappedOutputRight;

  double blockInitialThreshold = 1.0;
  double blockEndThreshold = 1.0;
  double glideStep = 1.0;   // per sample while clipping
  double returnStep = 1.0;  // per sample while quiet
  double glidePosition = 1.0;

  // The last frame's values, left then right.
  double levelLeft = 0.0;
  double reductionLeft = 0.0;
  double outputLeft = 0.0;
  double levelRight = 0.0;
  double reductionRight = 0.0;
  double outputRight = 0.0;

  GainSmoother inputGainSmoother;
  GainSmoother outputGainSmoother;
  GainSmoother clipShapeSmoother;

  // The vector instructions the frames run on. Every kind gives the same bits: only plain IEEE
  // operations in lanes, no fused multiply-add.
  using Vectors = VectorLevel;
  // The widest kind this processor runs; kAvx2 must not be asked for where this says kSse2.
  static Vectors Widest();

  // Two input and two output channels; outputs may be the inputs (in-place processing). Tiny,
  // infinite and not-a-number inputs are processed as 0; the input buffers are never written.
  void ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate) {
    ProcessBlock(inputs, outputs, frames, sampleRate, Widest());
  }
  void ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate,
                    Vectors vectors);

  // Back to the initial threshold: after a threshold or Link change and on reset.
  void RestartThreshold();

 private:
  // The meter followers while a block runs, several side by side in vector registers: pairs
  // for SSE2, quads for AVX2. Loaded at the start of the frames, stored back at the end.
  struct MeterPairs;
  struct MeterQuads;

  // The smoothed clip shape, output gain and input gain for the left and the right sample.
  struct FrameGains;

  // The per-frame steps are inlined into the frame loop: calls would cost more than the steps.
  void StartBlock(double sampleRate);
  // True when all three smoothers sit exactly on their targets' fixed points: the block's frames
  // can then use constant gains, which gives the same bits as stepping them.
  bool SmoothersSettled() const;
  // The same frame loop compiled for each kind of vector instructions.
  void ProcessFramesSse2(double** inputs, double** outputs, int frames, bool settledGains);
  [[gnu::target("avx2")]] void ProcessFramesAvx2(double** inputs, double** outputs, int frames,
                                                 bool settledGains);
  template <typename Meters>
  [[gnu::always_inline]] inline void ProcessFramesOnCopy(double** inputs, double** outputs,
                                                         int frames, bool settledGains);
  template <bool kSettledGains, typename Meters>
  [[gnu::always_inline]] inline void ProcessFrames(double** inputs, double** outputs, int frames);
  [[gnu::always_inline]] inline FrameGains StepSmoothers();
  [[gnu::always_inline]] inline FrameGains SettledGains() const;
  [[gnu::always_inline]] inline void PassThrough(double left, double right);
  [[gnu::always_inline]] inline void SelectThreshold(double left, double right);
  [[gnu::always_inline]] inline void Clip(double left, double right, const FrameGains& gains);
  [[gnu::always_inline]] inline void Glide();
  void EndBlock();
};
