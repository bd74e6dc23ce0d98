// GainSmoother: a one-pole low-pass that moves a gain towards its target a little every sample.
#pragma once

struct GainSmoother {
  static constexpr double kPole = 0.99;
  // Computed in double, so slightly above 0.01; the sound depends on that last bit.
  static constexpr double kInputWeight = 1.0 - kPole;

  // Starts silent and is never reset: a fresh instance fades in.
  double state = 0.0;

  double Step(double target) {
    state = kInputWeight * target + kPole * state;
    return state;
  }
};
