#include <gtest/gtest.h>

#include <cmath>

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

TEST(EnvelopeFollower, ZeroSampleRateGivesZeroCoefficientsNotNaN) {
  EXPECT_EQ(EnvelopeFollower::Coefficient(300.0, 0.0), 0.0);
}

}  // namespace
