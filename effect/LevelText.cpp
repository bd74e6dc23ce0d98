// LevelText: decibels by ln(level) × 20/ln(10), one decimal, through std::to_chars.
#include "effect/LevelText.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "effect/PortableMath.h"

const double kLevelFloor = PortableExp(-6.907755278982);

namespace {
constexpr double kDecibelsPerNeper = 8.685889638065037;  // 20 / ln(10)
}  // namespace

double LevelDecibels(double level) {
  if (!(level >= kLevelFloor) || std::isinf(level)) level = kLevelFloor;
  return PortableLog(level) * kDecibelsPerNeper;
}

double ShownTenth(double decibels) {
  const double scaled = decibels * 10.0;
  const double nearest = std::floor(scaled + 0.5);
  return std::fabs(scaled - nearest) < 0.49 ? nearest : std::nan("");
}

void FormatLevelText(double level, char* out) {
  const double decibels = LevelDecibels(level);
  // "%2.1f": one decimal, correctly rounded like printf; the width never matters ("0.0" is 3).
  const auto end =
      std::to_chars(out, out + kLevelTextSize - 4, decibels, std::chars_format::fixed, 1);
  char* p = end.ec == std::errc() ? end.ptr : out;
  // A level a hair below full scale (the gain smoothers settle a bit under 1) rounds to zero:
  // it reads "0.0 dB" like full scale, not "-0.0 dB".
  if (p - out == 4 && std::memcmp(out, "-0.0", 4) == 0) {
    std::memmove(out, out + 1, 3);
    --p;
  }
  std::memcpy(p, " dB", 4);
}
