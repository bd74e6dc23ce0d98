// PortableExp and PortableLog: argument reduction by powers of two and short polynomials,
// evaluated in a fixed order so that every IEEE-754 double machine gives the same bits.
#include "effect/PortableMath.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// ln 2 split so that k × kLn2High is exact for every |k| < 2^11.
constexpr double kLn2High = 6.93147180369123816490e-01;  // 0x3FE62E42FEE00000
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kInvLn2 = 1.44269504088896338700e+00;
constexpr double kExpOverflow = 7.09782712893383973096e+02;    // above: +inf
constexpr double kExpUnderflow = -7.45133219101941108420e+02;  // below: 0
constexpr double kTwo54 = 18014398509481984.0;

uint64_t Bits(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

double FromBits(uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// 2^k for −1022 ≤ k ≤ 1023.
double PowerOfTwo(int k) {
  return FromBits(static_cast<uint64_t>(k + 1023) << 52);
}

}  // namespace

double PortableExp(double x) {
  if (x != x) return x;
  if (x > kExpOverflow) return std::numeric_limits<double>::infinity();
  if (x < kExpUnderflow) return 0.0;

  // x = k·ln2 + r with |r| ≤ ln2/2 (slightly more through rounding).
  const double scaled = x * kInvLn2;
  const int k = static_cast<int>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
  const double high = x - k * kLn2High;
  const double r = high - k * kLn2Low;

  // e^r − 1 by its Taylor series to r^13 (remainder below 2^-56 for |r| < 0.35), Horner form,
  // with the leading 1 added last to keep the rounding error small.
  double p = 1.0 / 6227020800.0;  // 1/13!
  p = p * r + 1.0 / 479001600.0;
  p = p * r + 1.0 / 39916800.0;
  p = p * r + 1.0 / 3628800.0;
  p = p * r + 1.0 / 362880.0;
  p = p * r + 1.0 / 40320.0;
  p = p * r + 1.0 / 5040.0;
  p = p * r + 1.0 / 720.0;
  p = p * r + 1.0 / 120.0;
  p = p * r + 1.0 / 24.0;
  p = p * r + 1.0 / 6.0;
  p = p * r + 0.5;
  p = p * r * r + r;
  const double mantissa = 1.0 + p;

  if (k > 1023) return mantissa * PowerOfTwo(1023) * 2.0;
  if (k < -1022) return mantissa * PowerOfTwo(k + 54) / kTwo54;
  return mantissa * PowerOfTwo(k);
}

double PortableLog(double x) {
  if (x != x || x < 0) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0) return -std::numeric_limits<double>::infinity();
  if (x == std::numeric_limits<double>::infinity()) return x;

  int exponent = 0;
  if (x < std::numeric_limits<double>::min()) {  // subnormal: make it normal first
    x *= kTwo54;
    exponent = -54;
  }
  // x = m·2^e with m in [√½, √2).
  const uint64_t bits = Bits(x);
  exponent += static_cast<int>(bits >> 52) - 1023;
  double m = FromBits((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
  if (m > 1.4142135623730951) {
    m *= 0.5;
    exponent += 1;
  }

  // ln(1+f) = 2·atanh(s) with s = f/(2+f) = f − (f²/2 − s·(f²/2 + R)), where
  // R = 2s²/3 + 2s⁴/5 + …; f is exact, so the small correction carries the rounding.
  const double f = m - 1.0;
  const double s = f / (2.0 + f);
  const double z = s * s;
  double series = 2.0 / 23.0;
  series = series * z + 2.0 / 21.0;
  series = series * z + 2.0 / 19.0;
  series = series * z + 2.0 / 17.0;
  series = series * z + 2.0 / 15.0;
  series = series * z + 2.0 / 13.0;
  series = series * z + 2.0 / 11.0;
  series = series * z + 2.0 / 9.0;
  series = series * z + 2.0 / 7.0;
  series = series * z + 2.0 / 5.0;
  series = series * z + 2.0 / 3.0;
  const double r = series * z;
  const double halfSquare = 0.5 * f * f;
  const double logM = f - (halfSquare - s * (halfSquare + r));
  return exponent * kLn2High + (logM + exponent * kLn2Low);
}
