// StereoLanes: a left and a right double computed side by side in one vector register. Every
// lane performs exactly the IEEE operation the scalar formula would, so the bits are the same;
// only the branches go away (selects instead), and with them the mispredictions on music.
// SSE2 is part of every x86-64 processor, the only kind both builds target.
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "effect/EnvelopeFollower.h"

using Lanes = double __attribute__((vector_size(16)));
using LaneBits = int64_t __attribute__((vector_size(16)));

inline Lanes Broadcast(double value) {
  return Lanes{value, value};
}

inline Lanes Abs(Lanes v) {
  return reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(v) & INT64_MAX);
}

// Two EnvelopeFollower updates with the same coefficients, one per lane.
struct FollowerLanes {
  Lanes value;
  Lanes attack;
  Lanes release;

  FollowerLanes(const EnvelopeFollower& left, const EnvelopeFollower& right)
      : value{left.value, right.value},
        attack{left.attack, right.attack},
        release{left.release, right.release} {}

  void Store(EnvelopeFollower& left, EnvelopeFollower& right, Lanes lastInput) const {
    left.value = value[0];
    right.value = value[1];
    left.lastInput = lastInput[0];
    right.lastInput = lastInput[1];
  }

  // As EnvelopeFollower::Update. The clamp uses maxpd/minpd, whose operand order gives exactly
  // the comparisons of the formula (a not-a-number value passes through, as it does there).
  void Update(Lanes x) {
    const Lanes c = x > value ? attack : release;
    const Lanes next = (value - x) * c + x;
    value = _mm_min_pd(Broadcast(1.0), _mm_max_pd(Broadcast(0.0), next));
  }
};
