// EnvelopeFollower coefficients.
#include "effect/EnvelopeFollower.h"

#include "effect/PortableMath.h"

namespace {

constexpr double kShortestAttackMs = 0.05;
constexpr double kInstantAttack = 1e-9;

}  // namespace

double EnvelopeFollower::Coefficient(double timeMs, double sampleRate) {
  return PortableExp(PortableLog(0.01) / (timeMs * sampleRate * 0.001));
}

double EnvelopeFollower::AttackCoefficient(double timeMs, double sampleRate) {
  return timeMs < kShortestAttackMs ? kInstantAttack : Coefficient(timeMs, sampleRate);
}
