// EnvelopeFollower coefficients.
#include "effect/EnvelopeFollower.h"

#include "effect/PortableMath.h"

namespace {

constexpr double kShortestAttackMs = 0.05;
constexpr double kInstantAttack = 1e-9;
// ln(0.01), computed once when the module loads rather than in every block.
const double kLogOnePercent = PortableLog(0.01);

}  // namespace

double EnvelopeFollower::Coefficient(double timeMs, double sampleRate) {
  return PortableExp(kLogOnePercent / (timeMs * sampleRate * 0.001));
}

double EnvelopeFollower::AttackCoefficient(double timeMs, double sampleRate) {
  return timeMs < kShortestAttackMs ? kInstantAttack : Coefficient(timeMs, sampleRate);
}
