// EnvelopeFollower: the attack/release peak follower behind every meter of the effect.
#pragma once

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

  // x ≥ 0.
  void Update(double x) {
    lastInput = x;
    const double c = x > value ? attack : release;
    const double next = (value - x) * c + x;
    value = next < 0.0 ? 0.0 : (next > 1.0 ? 1.0 : next);
  }
};
