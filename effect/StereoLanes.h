// StereoLanes: a left and a right double computed side by side in one vector register, and the
// meter followers four at a time. Every lane performs exactly the IEEE operation the scalar
// formula would, so the bits are the same; only the branches go away (selects instead), and with
// them the mispredictions on music. SSE2 is part of every x86-64 processor, the only kind both
// builds target; the four-lane vectors are for AVX2 code only (without AVX they are slow).
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "effect/EnvelopeFollower.h"

using Lanes = double __attribute__((vector_size(16)));
using LaneBits = int64_t __attribute__((vector_size(16)));
using Quad = double __attribute__((vector_size(32)));

inline Lanes Broadcast(double value) {
  return Lanes{value, value};
}

inline Lanes Abs(Lanes v) {
  return reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(v) & INT64_MAX);
}

// As EnvelopeFollower::Clamp: at most 1, and 0 below the smallest normal number. The minimum is
// written as the instruction compares, which gives exactly the scalar comparison (a
// not-a-number value passes through).
inline void ClampToUnit(Lanes& value) {
  const Lanes atMostOne = _mm_min_pd(Broadcast(1.0), value);
  value = atMostOne < Broadcast(EnvelopeFollower::kSmallestNormal) ? Broadcast(0.0) : atMostOne;
}

inline void ClampToUnit(Quad& value) {
  const Quad zero = Quad{} + 0.0, one = Quad{} + 1.0;
  const Quad smallest = Quad{} + EnvelopeFollower::kSmallestNormal;
  const Quad atMostOne = one < value ? one : value;
  value = atMostOne < smallest ? zero : atMostOne;
}

// As ClampToUnit without the limit at 1.
inline void ZeroBelowNormal(Lanes& value) {
  value = value < Broadcast(EnvelopeFollower::kSmallestNormal) ? Broadcast(0.0) : value;
}

// EnvelopeFollower updates side by side, one follower per lane.
template <typename Vector, int kCount>
struct FollowerVector {
  Vector value;
  Vector attack;
  Vector release;

  explicit FollowerVector(const EnvelopeFollower* const (&followers)[kCount]) {
    for (int i = 0; i < kCount; ++i) {
      value[i] = followers[i]->value;
      attack[i] = followers[i]->attack;
      release[i] = followers[i]->release;
    }
  }

  void Store(EnvelopeFollower* const (&followers)[kCount], const Vector& lastInput) const {
    for (int i = 0; i < kCount; ++i) {
      followers[i]->value = value[i];
      followers[i]->lastInput = lastInput[i];
    }
  }

  // As EnvelopeFollower::Update. Vectors go by reference: a four-lane vector passed by value
  // would travel differently between SSE2 and AVX2 code.
  void Update(const Vector& x) {
    const Vector c = x > value ? attack : release;
    value = (value - x) * c + x;
    ClampToUnit(value);
  }

  // As Update, but a value above 1 stays: the true level, where the meters show at most 1.
  void UpdateUncapped(const Vector& x) {
    const Vector c = x > value ? attack : release;
    value = (value - x) * c + x;
    ZeroBelowNormal(value);
  }
};
