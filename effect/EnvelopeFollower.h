// EnvelopeFollower: the attack/release peak follower behind every meter of the effect.
#pragma once

#include <limits>

struct EnvelopeFollower {
  double value = 0.0;
  double attack = 0.0;
  double release = 0.0;
  double lastInput = 0.0;

  // The coefficient that covers 99 % of a step in timeMs milliseconds at a sample rate:
  // exp(ln(0.01) / (t · fs · 0.001)). Calls exp and log: once per block, never per sample.
  static double Coefficient(double timeMs, double sampleRate);
  // As Coefficient, except that attacks shorter than 0.05 ms jump (almost) at once.
  static double AttackCoefficient(double timeMs, double sampleRate);

  // Below this the value is 0. In silence the value decays geometrically and would reach the
  // subnormal numbers after some 45 s, where every update costs several times as much; no meter
  // shows the difference, and the followers never feed back into the sound.
  static constexpr double kSmallestNormal = std::numeric_limits<double>::min();

  // The value kept in [0, 1], 0 below the smallest normal number; NaN passes through.
  static double Clamp(double next) {
    return next < kSmallestNormal ? 0.0 : (next > 1.0 ? 1.0 : next);
  }

  // x ≥ 0.
  void Update(double x) {
    lastInput = x;
    const double c = x > value ? attack : release;
    value = Clamp((value - x) * c + x);
  }
};
