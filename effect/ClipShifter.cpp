// ClipShifter block processing: per frame guard, bypass, threshold, clip, meters, glide; per
// block the glide speeds, the follower coefficients and the shift amount.
#include "effect/ClipShifter.h"

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

void ClipShifter::ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate) {
  StartBlock(sampleRate);
  double* inLeft = inputs[0];
  double* inRight = inputs[1];
  double* outLeft = outputs[0];
  double* outRight = outputs[1];
  for (int i = 0; i < frames; ++i) {
    const double left = Guarded(inLeft[i]);
    const double right = Guarded(inRight[i]);
    if (bypass) {
      PassThrough(left, right);
    } else {
      SelectThreshold(left, right);
      outputLeft = Clip(left, levelLeft, reductionLeft);
      outputRight = Clip(right, levelRight, reductionRight);
    }
    outLeft[i] = outputLeft;
    outRight[i] = outputRight;
    UpdateMeters();
    if (!link) Glide();
  }
  EndBlock();
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

double ClipShifter::Clip(double x, double& level, double& reductionOut) {
  const double shape = clipShapeSmoother.Step(clipShape);
  const double out = outputGainSmoother.Step(outputGain);
  const double in = inputGainSmoother.Step(inputGain);
  level = std::fabs(in * x);
  if (level > activeThreshold) {
    reductionOut = (level - activeThreshold) * shape;
    const double magnitude = (level - reductionOut) * out;
    return x < 0.0 ? -magnitude : magnitude;
  }
  reductionOut = 0.0;
  return in * x * out;
}

void ClipShifter::UpdateMeters() {
  const double outMagnitudeLeft = std::fabs(outputLeft);
  const double outMagnitudeRight = std::fabs(outputRight);
  fastInputLeft.Update(levelLeft);
  fastInputRight.Update(levelRight);
  fastOutputLeft.Update(outMagnitudeLeft);
  fastOutputRight.Update(outMagnitudeRight);
  reduction.Update(reductionLeft < reductionRight ? reductionRight : reductionLeft);
  slowInputLeft.Update(levelLeft);
  slowInputRight.Update(levelRight);
  slowOutputLeft.Update(outMagnitudeLeft);
  slowOutputRight.Update(outMagnitudeRight);
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
