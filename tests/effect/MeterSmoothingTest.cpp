// The meter followers and gain smoothers: coefficients, clamping, the vector layouts against
// the scalar update, and silence.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "effect/EnvelopeFollower.h"
#include "effect/GainSmoother.h"
#include "effect/StereoLanes.h"

namespace {

TEST(GainSmoother, WeightIsOneMinusPoleInDoubleSoSlightlyAboveOneHundredth) {
  EXPECT_GT(GainSmoother::kInputWeight, 0.01);
  EXPECT_LT(GainSmoother::kInputWeight, 0.01 + 1e-15);
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

TEST(FollowerVector, PairsAndQuadsUpdateAsEnvelopeFollowersBitForBit) {
  uint64_t state = 0x2545F4914F6CDD1Dull;
  auto uniform = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  const double edges[] = {0.0, 1e-300, 0.5, 1.0 - 1.1e-16, 1.0, 1.0 + 2.3e-16, 3.0};
  EnvelopeFollower followers[4];
  for (int i = 0; i < 100000; ++i) {
    // Inputs mostly in [0, 1], some edges and some above full scale; coefficients of every size,
    // including the ones above 1 that a negative sample rate gives.
    Quad x;
    for (int lane = 0; lane < 4; ++lane) {
      x[lane] = (i + lane) % 7 == 0 ? edges[(i + lane) / 7 % 7]
                                    : uniform() * ((i + lane) % 5 == 0 ? 4.0 : 1.0);
      followers[lane].attack = (i + lane) % 3 == 0 ? 1e-9 : uniform();
      followers[lane].release = (i + lane) % 101 == 0 ? 1.5 : std::pow(uniform(), 0.01);
    }
    FollowerVector<Quad, 4> quad({&followers[0], &followers[1], &followers[2], &followers[3]});
    FollowerVector<Lanes, 2> pair({&followers[0], &followers[1]});
    quad.Update(x);
    pair.Update(Lanes{x[0], x[1]});
    for (int lane = 0; lane < 4; ++lane) {
      followers[lane].Update(x[lane]);
      ASSERT_EQ(std::memcmp(&quad.value[lane], &followers[lane].value, sizeof(double)), 0) << i;
      if (lane < 2) {
        ASSERT_EQ(std::memcmp(&pair.value[lane], &followers[lane].value, sizeof(double)), 0) << i;
      }
    }
  }
}

TEST(EnvelopeFollower, SilenceFallsToZeroAtTheSmallestNormalNumberInEveryLayout) {
  // 300 ms release at 44.1 kHz: ln c = ln 0.01 / 13230, so c^n passes 2.2e-308 (ln −708.4) after
  // 2 035 122.3 updates, 46.1 s: the next one gives 0, and no update ever leaves a subnormal.
  EnvelopeFollower follower;
  follower.value = 1.0;
  follower.attack = EnvelopeFollower::AttackCoefficient(0.1, 44100.0);
  follower.release = EnvelopeFollower::Coefficient(300.0, 44100.0);
  FollowerVector<Lanes, 2> pair({&follower, &follower});
  FollowerVector<Quad, 4> quad({&follower, &follower, &follower, &follower});
  int updates = 0;
  for (; follower.value != 0.0 && updates < 3000000; ++updates) {
    follower.Update(0.0);
    pair.Update(Broadcast(0.0));
    quad.Update(Quad{});
    ASSERT_NE(std::fpclassify(follower.value), FP_SUBNORMAL) << updates;
    ASSERT_EQ(std::memcmp(&pair.value[1], &follower.value, sizeof(double)), 0) << updates;
    ASSERT_EQ(std::memcmp(&quad.value[3], &follower.value, sizeof(double)), 0) << updates;
  }
  EXPECT_EQ(follower.value, 0.0);
  EXPECT_NEAR(updates, 2035123, 1);
}

}  // namespace
