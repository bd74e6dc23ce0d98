// GainSmoother: a one-pole low-pass that moves a gain towards its target a little every sample.
#pragma once

#include <bit>
#include <cstdint>

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

  // Whether one more step towards the target returns the state itself, bit for bit. Then every
  // further step does too, as long as the target holds. (Some targets end in a cycle of two
  // neighbouring values instead; that is not settled.)
  bool SettledAt(double target) const {
    const double next = kInputWeight * target + kPole * state;
    return std::bit_cast<uint64_t>(next) == std::bit_cast<uint64_t>(state);
  }
};
