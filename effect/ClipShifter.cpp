// ClipShifter block processing: per frame guard, bypass, threshold, clip and glide, then the
// meters over the same frames; per block the glide speeds, follower coefficients, shift amount.
#include "effect/ClipShifter.h"

#include "effect/StereoLanes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace {

// Inputs below 2^-54 (denormals and near-denormals) or infinite/NaN are processed as 0.
constexpr unsigned kSmallestKeptExponent = 969;
constexpr unsigned kInfinityExponent = 0x7FF;
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

double Guarded(double& sample) {
  uint64_t bits;
  std::memcpy(&bits, &sample, sizeof bits);
  const unsigned exponent = static_cast<unsigned>(bits >> 52) & 0x7FF;
  if (exponent < kSmallestKeptExponent || exponent == kInfinityExponent) sample = 0.0;
  return sample;
}

double Clamp(double value, double low, double high) {
  return value < low ? low : (value > high ? high : value);
}

}  // namespace

struct ClipShifter::Meters {
  explicit Meters(const ClipShifter& s);
  [[gnu::always_inline]] inline void Update(Lanes levels, Lanes outputMagnitudes,
                                            double largerReduction);
  void Store(ClipShifter& s) const;

  FollowerLanes fastInput, fastOutput, slowInput, slowOutput, reduction;
  // The latest inputs; the last frame's become the followers' last inputs.
  Lanes levels{}, outputMagnitudes{}, largerReduction{};
};

void ClipShifter::ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate) {
  StartBlock(sampleRate);
  // The frames run on a copy: the compiler then knows that writing the output buffers cannot
  // change the state, and keeps the state in registers instead of reloading it every frame.
  ClipShifter state = *this;
  state.ProcessFrames(inputs, outputs, frames);
  *this = state;
  EndBlock();
}

void ClipShifter::ProcessFrames(double** inputs, double** outputs, int frames) {
  double* inLeft = inputs[0];
  double* inRight = inputs[1];
  double* outLeft = outputs[0];
  double* outRight = outputs[1];
  // The meters never feed back into the sound, so they run as a second pass over each stretch
  // of frames: two short loops keep their state in registers where one long loop could not.
  constexpr int kStretch = 64;
  Lanes levels[kStretch];
  double largerReductions[kStretch];
  Meters meters(*this);
  for (int start = 0; start < frames; start += kStretch) {
    const int count = std::min(kStretch, frames - start);
    for (int i = 0; i < count; ++i) {
      const double left = Guarded(inLeft[start + i]);
      const double right = Guarded(inRight[start + i]);
      if (bypass) {
        PassThrough(left, right);
      } else {
        SelectThreshold(left, right);
        Clip(left, right);
      }
      outLeft[start + i] = outputLeft;
      outRight[start + i] = outputRight;
      levels[i] = Lanes{levelLeft, levelRight};
      largerReductions[i] = reductionLeft < reductionRight ? reductionRight : reductionLeft;
      if (!link) Glide();
    }
    for (int i = 0; i < count; ++i) {
      const Lanes outputMagnitudes = Abs(Lanes{outLeft[start + i], outRight[start + i]});
      meters.Update(levels[i], outputMagnitudes, largerReductions[i]);
    }
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
  for (EnvelopeFollower* f : {&slowInputLeft, &slowInputRight, &slowOutputLeft, &slowOutputRight}) {
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

void ClipShifter::Clip(double left, double right) {
  // Left steps the smoothers first, so the right channel uses values one step further on.
  const double shapeLeft = clipShapeSmoother.Step(clipShape);
  const double outLeft = outputGainSmoother.Step(outputGain);
  const double inLeft = inputGainSmoother.Step(inputGain);
  const double shapeRight = clipShapeSmoother.Step(clipShape);
  const double outRight = outputGainSmoother.Step(outputGain);
  const double inRight = inputGainSmoother.Step(inputGain);
  const Lanes x{left, right}, shape{shapeLeft, shapeRight};
  const Lanes out{outLeft, outRight}, in{inLeft, inRight};
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

ClipShifter::Meters::Meters(const ClipShifter& s)
    : fastInput(s.fastInputLeft, s.fastInputRight),
      fastOutput(s.fastOutputLeft, s.fastOutputRight),
      slowInput(s.slowInputLeft, s.slowInputRight),
      slowOutput(s.slowOutputLeft, s.slowOutputRight),
      reduction(s.reduction, s.reduction) {}

void ClipShifter::Meters::Update(Lanes frameLevels, Lanes frameOutputMagnitudes,
                                 double frameLargerReduction) {
  levels = frameLevels;
  outputMagnitudes = frameOutputMagnitudes;
  largerReduction = Broadcast(frameLargerReduction);
  fastInput.Update(levels);
  fastOutput.Update(outputMagnitudes);
  reduction.Update(largerReduction);
  slowInput.Update(levels);
  slowOutput.Update(outputMagnitudes);
}

void ClipShifter::Meters::Store(ClipShifter& s) const {
  fastInput.Store(s.fastInputLeft, s.fastInputRight, levels);
  fastOutput.Store(s.fastOutputLeft, s.fastOutputRight, outputMagnitudes);
  EnvelopeFollower unused;
  reduction.Store(s.reduction, unused, largerReduction);
  slowInput.Store(s.slowInputLeft, s.slowInputRight, levels);
  slowOutput.Store(s.slowOutputLeft, s.slowOutputRight, outputMagnitudes);
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
