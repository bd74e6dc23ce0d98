#include "effect/PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "effect/Decibels.h"

namespace {

// Distance in representable doubles (same sign assumed).
int64_t UlpDistance(double a, double b) {
  int64_t ia, ib;
  std::memcpy(&ia, &a, sizeof ia);
  std::memcpy(&ib, &b, sizeof ib);
  return ia > ib ? ia - ib : ib - ia;
}

TEST(PortableMath, AgreesWithTheCRuntimeWithinTwoUlps) {
  // The C runtimes are within one ulp of the truth, so are we.
  for (double x = -700.0; x < 700.0; x += 0.3779) {
    EXPECT_LE(UlpDistance(PortableExp(x), std::exp(x)), 2) << x;
  }
  for (double x = 1e-300; x < 1e300; x *= 1.7319) {
    EXPECT_LE(UlpDistance(PortableLog(x), std::log(x)), 2) << x;
  }
}

TEST(PortableMath, ExactAndSpecialValues) {
  EXPECT_EQ(PortableExp(0.0), 1.0);
  EXPECT_EQ(PortableLog(1.0), 0.0);
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(PortableExp(-inf), 0.0);
  EXPECT_EQ(PortableExp(inf), inf);
  EXPECT_EQ(PortableExp(710.0), inf);
  EXPECT_EQ(PortableExp(-746.0), 0.0);
  EXPECT_GT(PortableExp(-740.0), 0.0);  // subnormal result
  EXPECT_TRUE(std::isnan(PortableExp(std::nan(""))));
  EXPECT_EQ(PortableLog(0.0), -inf);
  EXPECT_EQ(PortableLog(inf), inf);
  EXPECT_TRUE(std::isnan(PortableLog(-1.0)));
  EXPECT_NEAR(PortableLog(4.9406564584124654e-324), -744.44007192138122, 1e-12);
}

TEST(Decibels, ConvertAsTenToTheTwentieth) {
  EXPECT_NEAR(DecibelsToLinear(6.0), 1.99526, 1e-5);
  EXPECT_NEAR(DecibelsToLinear(-22.0), 0.07943, 1e-5);
  EXPECT_EQ(DecibelsToLinear(0.0), 1.0);
}

}  // namespace
