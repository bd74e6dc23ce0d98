// ClipShifter: the effect's processing state and its block processing — a stereo clipper whose
// threshold glides towards an end level while clipping and back while the signal is quiet.
#pragma once

#include "effect/EnvelopeFollower.h"
#include "effect/GainSmoother.h"
#include "effect/StereoLanes.h"
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
  // The same on 32-bit buffers: each sample widened as it is read, each result narrowed as it is
  // stored (added to what the output holds when accumulating), the same double arithmetic in
  // between. The bits are those of widening the whole block, processing it and narrowing the
  // result, as long as no output partly overlaps another buffer (the very same buffer is fine).
  void ProcessBlock(float** inputs, float** outputs, int frames, double sampleRate, bool accumulate,
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

  // Where the frames read their samples and store their results: 64-bit buffers, or 32-bit
  // ones replaced or added to.
  struct DoubleBuffers;
  template <bool kAccumulate, bool kGuard>
  struct FloatBuffers;

  // The per-frame steps are inlined into the frame loop: calls would cost more than the steps.
  template <typename Buffers>
  void RunBlock(Buffers buffers, int frames, double sampleRate, Vectors vectors);
  void StartBlock(double sampleRate);
  // True when all three smoothers sit exactly on their targets' fixed points: the block's frames
  // can then use constant gains, which gives the same bits as stepping them.
  bool SmoothersSettled() const;
  // The same frame loop compiled for each kind of vector instructions.
  template <typename Buffers>
  void ProcessFramesSse2(Buffers buffers, int frames, bool settledGains);
  template <typename Buffers>
  [[gnu::target("avx2")]] void ProcessFramesAvx2(Buffers buffers, int frames, bool settledGains);
  template <typename Meters, typename Buffers>
  [[gnu::always_inline]] inline void ProcessFramesOnCopy(Buffers buffers, int frames,
                                                         bool settledGains);
  template <bool kSettledGains, typename Meters, typename Buffers>
  [[gnu::always_inline]] inline void ProcessFrames(Buffers buffers, int frames);
  [[gnu::always_inline]] inline FrameGains StepSmoothers();
  [[gnu::always_inline]] inline FrameGains SettledGains() const;
  [[gnu::always_inline]] inline void PassThrough(double left, double right);
  [[gnu::always_inline]] inline void SelectThreshold(double left, double right);
  [[gnu::always_inline]] inline void Clip(Lanes x, const FrameGains& gains);
  [[gnu::always_inline]] inline void Glide();
  void EndBlock();
};
