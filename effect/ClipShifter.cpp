// ClipShifter block processing: per frame guard, bypass, threshold, clip, meters and glide; per
// block the glide speeds, follower coefficients, shift amount and the choice of frame loop.
#include "effect/ClipShifter.h"

#include "effect/StereoLanes.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace {

// Inputs below 2^-54 (denormals and near-denormals) or infinite/NaN are processed as 0.
constexpr unsigned kSmallestKeptExponent = 969;
constexpr unsigned kInfinityExponent = 0x7FF;
// The same limits as the bits of a float's magnitude: 2^-54 and infinity.
constexpr int32_t kSmallestKeptFloatBits = (127 - 54) << 23;
constexpr int32_t kInfinityFloatBits = 0x7F800000;
// A channel is quiet below a tenth of the active threshold.
constexpr double kQuietFraction = 0.1;
// The return runs at 6 % of the glide speed, 60 % with Fast.
constexpr double kReturnRate = 0.06;
constexpr double kFastReturnRate = 0.6;

// Meter follower times in milliseconds.
constexpr double kFastAttackMs = 0.1;
constexpr double kFastReleaseMs = 300.0;
constexpr double kReductionAttackMs = 5.0;
constexpr double kReductionReleaseMs = 1000.0;
constexpr double kSlowAttackMs = 5.0;
constexpr double kSlowReleaseMs = 5000.0;

// Computed without a jump (silence mixed with sound would be mispredicted). The input buffer is
// only read: a host may hand the same input to several plug-ins.
double Guarded(double sample) {
  const uint64_t bits = std::bit_cast<uint64_t>(sample);
  const unsigned exponent = static_cast<unsigned>(bits >> 52) & 0x7FF;
  // One unsigned comparison for kSmallestKeptExponent <= exponent < kInfinityExponent.
  const bool kept = exponent - kSmallestKeptExponent < kInfinityExponent - kSmallestKeptExponent;
  return std::bit_cast<double>(bits & -static_cast<uint64_t>(kept));
}

// The float guard keeps what the double one keeps once widened: 2^-54 <= |x| <= largest finite,
// compared as the magnitudes' bits. All ones in each lane kept, zeros elsewhere.
__m128i KeptFloats(__m128i bits) {
  const __m128i magnitude = _mm_and_si128(bits, _mm_set1_epi32(INT32_MAX));
  return _mm_andnot_si128(_mm_cmpgt_epi32(_mm_set1_epi32(kSmallestKeptFloatBits), magnitude),
                          _mm_cmpgt_epi32(_mm_set1_epi32(kInfinityFloatBits), magnitude));
}

// True when the guard would change a sample of the channel (-0 included, whose sign it drops).
// A quick pass over a block the frames read next: a clean block spares every frame the guard.
bool NeedsGuard(const float* samples, int frames) {
  __m128i changed = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= frames; i += 4) {
    const __m128i bits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + i));
    changed = _mm_or_si128(changed, _mm_andnot_si128(KeptFloats(bits), bits));
  }
  for (; i < frames; ++i) {
    const __m128i bits = _mm_castps_si128(_mm_load_ss(samples + i));
    changed = _mm_or_si128(changed, _mm_andnot_si128(KeptFloats(bits), bits));
  }
  return _mm_movemask_epi8(_mm_cmpeq_epi32(changed, _mm_setzero_si128())) != 0xFFFF;
}

double Clamp(double value, double low, double high) {
  return value < low ? low : (value > high ? high : value);
}

}  // namespace

// The meter followers while the frames run, in two layouts: pairs for SSE2, quads for AVX2.
// Inlined entirely: a call taking the state's address would make the compiler keep the state in
// memory through the whole frame loop.
struct ClipShifter::MeterPairs {
  [[gnu::always_inline]] inline explicit MeterPairs(const ClipShifter& s);
  [[gnu::always_inline]] inline void Update(Lanes levels, Lanes outputMagnitudes,
                                            double largerReduction);
  [[gnu::always_inline]] inline void Store(ClipShifter& s) const;

  // Left and right side by side; the reduction follower in both lanes.
  FollowerVector<Lanes, 2> fastInput, fastOutput, slowInput, slowOutput, reduction, uncappedOutput;
  // The latest inputs; the last frame's become the followers' last inputs.
  Lanes levels{}, outputMagnitudes{}, largerReduction{};
};

struct ClipShifter::MeterQuads {
  [[gnu::always_inline]] inline explicit MeterQuads(const ClipShifter& s);
  [[gnu::always_inline]] inline void Update(Lanes levels, Lanes outputMagnitudes,
                                            double largerReduction);
  [[gnu::always_inline]] inline void Store(ClipShifter& s) const;

  // Fast left, fast right, slow left, slow right; the reduction follower in both lanes.
  FollowerVector<Quad, 4> inputs, outputs;
  FollowerVector<Lanes, 2> reduction, uncappedOutput;
  // The latest inputs; the last frame's become the followers' last inputs.
  Quad levels{}, outputMagnitudes{};
  Lanes largerReduction{}, uncappedOutputMagnitudes{};
};

ClipShifter::Vectors ClipShifter::Widest() {
  return WidestVectorLevel();
}

// 64-bit host buffers, read and written as they are.
struct ClipShifter::DoubleBuffers {
  const double* inLeft;
  const double* inRight;
  double* outLeft;
  double* outRight;

  Lanes Frame(int i) const { return Lanes{Guarded(inLeft[i]), Guarded(inRight[i])}; }
  void Store(int i, Lanes out) {
    outLeft[i] = out[0];
    outRight[i] = out[1];
  }
  // Read back from the buffers: a host may pass one buffer twice.
  Lanes OutputMagnitudes(int i, Lanes) const { return Abs(Lanes{outLeft[i], outRight[i]}); }
};

// 32-bit host buffers: both samples of a frame guarded (unless the block needs no guard) and
// widened together, both results narrowed together, all in vector registers (a trip through the
// integer registers per sample would lengthen the path from each load to the threshold
// decision). The meters see the results before narrowing, as they would in a 64-bit scratch
// block.
template <bool kAccumulate, bool kGuard>
struct ClipShifter::FloatBuffers {
  const float* inLeft;
  const float* inRight;
  float* outLeft;
  float* outRight;

  Lanes Frame(int i) const {
    const __m128 x = _mm_unpacklo_ps(_mm_load_ss(inLeft + i), _mm_load_ss(inRight + i));
    if constexpr (!kGuard) return _mm_cvtps_pd(x);
    return _mm_cvtps_pd(_mm_and_ps(x, _mm_castsi128_ps(KeptFloats(_mm_castps_si128(x)))));
  }
  void Store(int i, Lanes out) {
    const __m128 narrowed = _mm_cvtpd_ps(out);
    if constexpr (kAccumulate) {
      // One after the other: a host may pass one buffer twice, and then both results add up.
      outLeft[i] = outLeft[i] + narrowed[0];
      outRight[i] = outRight[i] + narrowed[1];
    } else {
      outLeft[i] = narrowed[0];
      outRight[i] = narrowed[1];
    }
  }
  Lanes OutputMagnitudes(int, Lanes out) const { return Abs(out); }
};

void ClipShifter::ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate,
                               Vectors vectors) {
  RunBlock(DoubleBuffers{inputs[0], inputs[1], outputs[0], outputs[1]}, frames, sampleRate,
           vectors);
}

void ClipShifter::ProcessBlock(float** inputs, float** outputs, int frames, double sampleRate,
                               bool accumulate, Vectors vectors) {
  // Only replacing gets the unguarded frames: accumulating is rare enough to keep one loop.
  if (accumulate)
    RunBlock(FloatBuffers<true, true>{inputs[0], inputs[1], outputs[0], outputs[1]}, frames,
             sampleRate, vectors);
  else if (NeedsGuard(inputs[0], frames) || NeedsGuard(inputs[1], frames))
    RunBlock(FloatBuffers<false, true>{inputs[0], inputs[1], outputs[0], outputs[1]}, frames,
             sampleRate, vectors);
  else
    RunBlock(FloatBuffers<false, false>{inputs[0], inputs[1], outputs[0], outputs[1]}, frames,
             sampleRate, vectors);
}

template <typename Buffers>
void ClipShifter::RunBlock(Buffers buffers, int frames, double sampleRate, Vectors vectors) {
  StartBlock(sampleRate);
  const bool settled = SmoothersSettled();
  if (vectors == Vectors::kAvx2)
    ProcessFramesAvx2(buffers, frames, settled);
  else
    ProcessFramesSse2(buffers, frames, settled);
  EndBlock();
}

template <typename Buffers>
void ClipShifter::ProcessFramesSse2(Buffers buffers, int frames, bool settledGains) {
  ProcessFramesOnCopy<MeterPairs>(buffers, frames, settledGains);
}

// Three-operand instructions, single-instruction selects, four followers in one register.
template <typename Buffers>
void ClipShifter::ProcessFramesAvx2(Buffers buffers, int frames, bool settledGains) {
  ProcessFramesOnCopy<MeterQuads>(buffers, frames, settledGains);
}

template <typename Meters, typename Buffers>
void ClipShifter::ProcessFramesOnCopy(Buffers buffers, int frames, bool settledGains) {
  // The frames run on a copy: the compiler then knows that writing the output buffers cannot
  // change the state, and keeps the state in registers instead of reloading it every frame.
  ClipShifter state = *this;
  if (settledGains)
    state.ProcessFrames<true, Meters>(buffers, frames);
  else
    state.ProcessFrames<false, Meters>(buffers, frames);
  *this = state;
}

struct ClipShifter::FrameGains {
  Lanes shape, out, in;
};

template <bool kSettledGains, typename Meters, typename Buffers>
void ClipShifter::ProcessFrames(Buffers buffers, int frames) {
  Meters meters(*this);
  const FrameGains settledGains = SettledGains();
  for (int i = 0; i < frames; ++i) {
    // Both inputs are read before anything is stored: an output may be an input.
    const Lanes x = buffers.Frame(i);
    if (bypass) {
      PassThrough(x[0], x[1]);
    } else {
      SelectThreshold(x[0], x[1]);
      Clip(x, kSettledGains ? settledGains : StepSmoothers());
    }
    const Lanes output{outputLeft, outputRight};
    buffers.Store(i, output);
    // The meters never feed back into the sound: taken before the glide, updated after it,
    // they leave the glide's short chain of dependent steps free to start first.
    const Lanes levels{levelLeft, levelRight};
    const double largerReduction = reductionLeft < reductionRight ? reductionRight : reductionLeft;
    if (!link) Glide();
    meters.Update(levels, buffers.OutputMagnitudes(i, output), largerReduction);
  }
  meters.Store(*this);
}

void ClipShifter::RestartThreshold() {
  glidePosition = Clamp(initialThreshold, 0.0, 1.0);
  activeThreshold = initialThreshold;
}

void ClipShifter::StartBlock(double sampleRate) {
  blockInitialThreshold = initialThreshold;
  blockEndThreshold = endThreshold;
  // Without a positive time and a usable sample rate the threshold does not move this block.
  const bool canGlide = thresholdTime > 0.0 && sampleRate > 0.0 && std::isfinite(sampleRate);
  glideStep = canGlide
                  ? std::fabs(initialThreshold - endThreshold) / thresholdTime * 1000.0 / sampleRate
                  : 0.0;
  returnStep = glideStep * (fast ? kFastReturnRate : kReturnRate);

  const double fastAttack = EnvelopeFollower::AttackCoefficient(kFastAttackMs, sampleRate);
  const double fastRelease = EnvelopeFollower::Coefficient(kFastReleaseMs, sampleRate);
  const double reductionAttack =
      EnvelopeFollower::AttackCoefficient(kReductionAttackMs, sampleRate);
  const double reductionRelease = EnvelopeFollower::Coefficient(kReductionReleaseMs, sampleRate);
  const double slowAttack = EnvelopeFollower::AttackCoefficient(kSlowAttackMs, sampleRate);
  const double slowRelease = EnvelopeFollower::Coefficient(kSlowReleaseMs, sampleRate);
  for (EnvelopeFollower* f : {&fastInputLeft, &fastInputRight, &fastOutputLeft, &fastOutputRight}) {
    f->attack = fastAttack;
    f->release = fastRelease;
  }
  reduction.attack = reductionAttack;
  reduction.release = reductionRelease;
  for (EnvelopeFollower* f : {&slowInputLeft, &slowInputRight, &slowOutputLeft, &slowOutputRight,
                              &uncappedOutputLeft, &uncappedOutputRight}) {
    f->attack = slowAttack;
    f->release = slowRelease;
  }
}

void ClipShifter::PassThrough(double left, double right) {
  outputLeft = left;
  outputRight = right;
  activeThreshold = 1.0;
  levelLeft = std::fabs(left);
  levelRight = std::fabs(right);
  reductionLeft = 0.0;
  reductionRight = 0.0;
}

void ClipShifter::SelectThreshold(double left, double right) {
  if (link) {
    glidePosition = Clamp(initialThreshold, 0.0, 1.0);
    activeThreshold = initialThreshold;
    return;
  }
  // Take over the glide position only while both channels are quiet, never inside a loud stretch.
  const double quiet = kQuietFraction * activeThreshold;
  if (quiet > std::fabs(inputGain * left) && quiet > std::fabs(inputGain * right))
    activeThreshold = glidePosition;
}

bool ClipShifter::SmoothersSettled() const {
  return clipShapeSmoother.SettledAt(clipShape) && outputGainSmoother.SettledAt(outputGain) &&
         inputGainSmoother.SettledAt(inputGain);
}

ClipShifter::FrameGains ClipShifter::StepSmoothers() {
  // Left steps the smoothers first, so the right channel uses values one step further on.
  const double shapeLeft = clipShapeSmoother.Step(clipShape);
  const double outLeft = outputGainSmoother.Step(outputGain);
  const double inLeft = inputGainSmoother.Step(inputGain);
  const double shapeRight = clipShapeSmoother.Step(clipShape);
  const double outRight = outputGainSmoother.Step(outputGain);
  const double inRight = inputGainSmoother.Step(inputGain);
  return {Lanes{shapeLeft, shapeRight}, Lanes{outLeft, outRight}, Lanes{inLeft, inRight}};
}

ClipShifter::FrameGains ClipShifter::SettledGains() const {
  return {Broadcast(clipShapeSmoother.state), Broadcast(outputGainSmoother.state),
          Broadcast(inputGainSmoother.state)};
}

void ClipShifter::Clip(Lanes x, const FrameGains& gains) {
  const Lanes shape = gains.shape, out = gains.out, in = gains.in;
  const Lanes threshold = Broadcast(activeThreshold), zero = Broadcast(0.0);

  // Above the threshold the overshoot shrinks by the shape and the result takes the sign of x:
  // (level − reduction) × s_out; below it the sample is only scaled: s_in × x × s_out.
  const Lanes level = Abs(in * x);
  const LaneBits clips = level > threshold;
  const Lanes clippedReduction = (level - threshold) * shape;
  const Lanes clippedMagnitude = (level - clippedReduction) * out;
  const Lanes clipped = x < zero ? -clippedMagnitude : clippedMagnitude;
  const Lanes reduction = clips ? clippedReduction : zero;
  const Lanes output = clips ? clipped : in * x * out;
  levelLeft = level[0];
  reductionLeft = reduction[0];
  outputLeft = output[0];
  levelRight = level[1];
  reductionRight = reduction[1];
  outputRight = output[1];
}

ClipShifter::MeterPairs::MeterPairs(const ClipShifter& s)
    : fastInput({&s.fastInputLeft, &s.fastInputRight}),
      fastOutput({&s.fastOutputLeft, &s.fastOutputRight}),
      slowInput({&s.slowInputLeft, &s.slowInputRight}),
      slowOutput({&s.slowOutputLeft, &s.slowOutputRight}),
      reduction({&s.reduction, &s.reduction}),
      uncappedOutput({&s.uncappedOutputLeft, &s.uncappedOutputRight}) {}

void ClipShifter::MeterPairs::Update(Lanes frameLevels, Lanes frameOutputMagnitudes,
                                     double frameLargerReduction) {
  levels = frameLevels;
  outputMagnitudes = frameOutputMagnitudes;
  largerReduction = Broadcast(frameLargerReduction);
  fastInput.Update(levels);
  fastOutput.Update(outputMagnitudes);
  reduction.Update(largerReduction);
  slowInput.Update(levels);
  slowOutput.Update(outputMagnitudes);
  uncappedOutput.UpdateUncapped(outputMagnitudes);
}

void ClipShifter::MeterPairs::Store(ClipShifter& s) const {
  fastInput.Store({&s.fastInputLeft, &s.fastInputRight}, levels);
  fastOutput.Store({&s.fastOutputLeft, &s.fastOutputRight}, outputMagnitudes);
  EnvelopeFollower unused;
  reduction.Store({&s.reduction, &unused}, largerReduction);
  slowInput.Store({&s.slowInputLeft, &s.slowInputRight}, levels);
  slowOutput.Store({&s.slowOutputLeft, &s.slowOutputRight}, outputMagnitudes);
  uncappedOutput.Store({&s.uncappedOutputLeft, &s.uncappedOutputRight}, outputMagnitudes);
}

ClipShifter::MeterQuads::MeterQuads(const ClipShifter& s)
    : inputs({&s.fastInputLeft, &s.fastInputRight, &s.slowInputLeft, &s.slowInputRight}),
      outputs({&s.fastOutputLeft, &s.fastOutputRight, &s.slowOutputLeft, &s.slowOutputRight}),
      reduction({&s.reduction, &s.reduction}),
      uncappedOutput({&s.uncappedOutputLeft, &s.uncappedOutputRight}) {}

void ClipShifter::MeterQuads::Update(Lanes frameLevels, Lanes frameOutputMagnitudes,
                                     double frameLargerReduction) {
  levels = __builtin_shufflevector(frameLevels, frameLevels, 0, 1, 0, 1);
  outputMagnitudes =
      __builtin_shufflevector(frameOutputMagnitudes, frameOutputMagnitudes, 0, 1, 0, 1);
  largerReduction = Broadcast(frameLargerReduction);
  inputs.Update(levels);
  outputs.Update(outputMagnitudes);
  reduction.Update(largerReduction);
  uncappedOutputMagnitudes = frameOutputMagnitudes;
  uncappedOutput.UpdateUncapped(uncappedOutputMagnitudes);
}

void ClipShifter::MeterQuads::Store(ClipShifter& s) const {
  inputs.Store({&s.fastInputLeft, &s.fastInputRight, &s.slowInputLeft, &s.slowInputRight}, levels);
  outputs.Store({&s.fastOutputLeft, &s.fastOutputRight, &s.slowOutputLeft, &s.slowOutputRight},
                outputMagnitudes);
  EnvelopeFollower unused;
  reduction.Store({&s.reduction, &unused}, largerReduction);
  uncappedOutput.Store({&s.uncappedOutputLeft, &s.uncappedOutputRight}, uncappedOutputMagnitudes);
}

void ClipShifter::Glide() {
  const bool falling = blockInitialThreshold > blockEndThreshold;
  const double quiet = kQuietFraction * activeThreshold;
  if (reductionLeft + reductionRight > 0.0) {
    glidePosition = falling ? glidePosition - glideStep : glidePosition + glideStep;
  } else if (levelLeft < quiet || levelRight < quiet) {
    glidePosition = falling ? glidePosition + returnStep : glidePosition - returnStep;
  } else {
    return;
  }
  glidePosition = falling ? Clamp(glidePosition, blockEndThreshold, blockInitialThreshold)
                          : Clamp(glidePosition, blockInitialThreshold, blockEndThreshold);
}

void ClipShifter::EndBlock() {
  const double span = initialThreshold - endThreshold;
  if (span == 0.0)
    shiftAmount = activeThreshold != initialThreshold ? 1.0 : 0.0;
  else
    shiftAmount = Clamp(std::fabs((initialThreshold - activeThreshold) / span), 0.0, 1.0);
}
