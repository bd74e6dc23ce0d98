// Blend mode word of the blits and fills (low byte the operation, bit 16 weighting by source
// alpha) and the conversion of an opacity into the integer weight on a scale of 256.
#pragma once

#include <cstdint>

constexpr int32_t BLEND_COPY = 0;
constexpr int32_t BLEND_ADD = 1;
constexpr int32_t BLEND_DODGE = 2;
constexpr int32_t BLEND_MULTIPLY = 3;
constexpr int32_t BLEND_OVERLAY = 4;
constexpr int32_t BLEND_HSV_ADJUST = 5;
// 0xF0..0xFF: source byte (mode & 3) into destination byte ((mode >> 2) & 3).
constexpr int32_t BLEND_CHANNEL_COPY = 0xF0;
constexpr int32_t BLEND_MASK = 0xFF;
constexpr int32_t BLEND_USE_SOURCE_ALPHA = 0x10000;

// The weight ia = (int)(opacity x 256), truncated toward zero. Opacities are not rejected, but
// the weight is held within +-2048 (opacity +-8) so that no formula can overflow an int, and a
// NaN weighs 0.
inline int OpacityWeight(float opacity) {
  constexpr double kLimit = 2048.0;
  const double scaled = static_cast<double>(opacity) * 256.0;
  if (!(scaled == scaled)) return 0;
  if (scaled > kLimit) return static_cast<int>(kLimit);
  if (scaled < -kLimit) return static_cast<int>(-kLimit);
  return static_cast<int>(scaled);
}
