#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "effect/EnvelopeFollower.h"
#include "effect/GainSmoother.h"

namespace {

TEST(GainSmoother, WeightIsOneMinusPoleInDoubleSoSlightlyAboveOneHundredth) {
  EXPECT_GT(GainSmoother::kInputWeight, 0.01);
  EXPECT_LT(GainSmoother::kInputWeight, 0.01 + 1e-15);
}

TEST(GainSmoother, StartsSilentAndApproachesTheTarget) {
  GainSmoother smoother;
  EXPECT_NEAR(smoother.Step(1.0), 0.01, 1e-15);
  EXPECT_NEAR(smoother.Step(1.0), 0.0199, 1e-15);  // 0.01 + 0.99 × 0.01
  for (int i = 2; i < 100; ++i)
    smoother.Step(1.0);
  EXPECT_NEAR(smoother.state, 1.0 - std::pow(0.99, 100), 1e-12);  // about 0.634
}

TEST(EnvelopeFollower, CoversNinetyNinePercentOfAStepInItsTime) {
  // 5 ms at 48 kHz is 240 samples: c^240 = 0.01.
  const double c = EnvelopeFollower::Coefficient(5.0, 48000.0);
  EXPECT_NEAR(std::pow(c, 240), 0.01, 1e-12);
  EnvelopeFollower follower;
  follower.attack = c;
  follower.release = EnvelopeFollower::Coefficient(300.0, 48000.0);
  for (int i = 0; i < 240; ++i)
    follower.Update(1.0);
  EXPECT_NEAR(follower.value, 0.99, 1e-9);
  EXPECT_EQ(follower.lastInput, 1.0);
  // Release over 300 ms = 14400 samples back down to 1 % of the height.
  for (int i = 0; i < 14400; ++i)
    follower.Update(0.0);
  EXPECT_NEAR(follower.value, 0.0099, 1e-9);
}

TEST(EnvelopeFollower, AttacksBelowFiftyMicrosecondsJumpAndValuesStayWithinZeroAndOne) {
  EXPECT_EQ(EnvelopeFollower::AttackCoefficient(0.04, 48000.0), 1e-9);
  EXPECT_EQ(EnvelopeFollower::AttackCoefficient(0.05, 48000.0),
            EnvelopeFollower::Coefficient(0.05, 48000.0));
  EnvelopeFollower follower;
  follower.attack = 1e-9;
  follower.release = 0.5;
  follower.Update(2.5);
  EXPECT_EQ(follower.value, 1.0);
  follower.Update(0.4);  // (1 − 0.4) × 0.5 + 0.4
  EXPECT_DOUBLE_EQ(follower.value, 0.7);
}

// The update formula as written, against which the faster Update must agree bit for bit.
double LiteralUpdate(double value, double x, double attack, double release) {
  const double c = x > value ? attack : release;
  const double next = (value - x) * c + x;
  return next < 0.0 ? 0.0 : (next > 1.0 ? 1.0 : next);
}

TEST(EnvelopeFollower, UpdateMatchesTheLiteralFormulaBitForBit) {
  uint64_t state = 0x2545F4914F6CDD1Dull;
  auto uniform = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  const double edges[] = {0.0, 1e-300, 0.5, 1.0 - 1.1e-16, 1.0, 1.0 + 2.3e-16, 3.0};
  EnvelopeFollower follower;
  for (int i = 0; i < 2000000; ++i) {
    // Inputs mostly in [0, 1], some edges and some above full scale; coefficients of every size.
    const double x = i % 7 == 0 ? edges[i / 7 % 7] : uniform() * (i % 5 == 0 ? 4.0 : 1.0);
    follower.attack = i % 3 == 0 ? 1e-9 : uniform();
    follower.release = std::pow(uniform(), 0.01);
    const double expected = LiteralUpdate(follower.value, x, follower.attack, follower.release);
    follower.Update(x);
    ASSERT_EQ(std::memcmp(&expected, &follower.value, sizeof expected), 0) << i;
  }
}

TEST(EnvelopeFollower, ZeroSampleRateGivesZeroCoefficientsNotNaN) {
  EXPECT_EQ(EnvelopeFollower::Coefficient(300.0, 0.0), 0.0);
}

}  // namespace
