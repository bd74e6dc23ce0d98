// Per-byte blend formulas shared by the blits and the fills, integer fixed point with 256 as
// unity; every division truncates toward zero, also for negative intermediates.
#pragma once

#include <algorithm>
#include <cstdint>

inline int Clamp255(int v) {
  return std::clamp(v, 0, 255);
}

// d moved towards s by weight w (256: all the way).
inline int CopyByte(int d, int s, int w) {
  return s + (d - s) * (256 - w) / 256;
}

inline int AddByte(int d, int s, int w) {
  return Clamp255(d + w * s / 256);
}

// Colour dodge with the already weighted amount t.
inline int DodgeByte(int d, int t) {
  const int v = t > 254 ? d * 256 : d * 256 / (256 - t);
  return std::min(v, 255);
}

inline int MultiplyByte(int d, int s, int w) {
  return (w * s + (256 - w) * 256) * d / 65536;
}

inline int OverlayByte(int d, int s, int w) {
  const int k = w * s + (256 - w) * 128;
  return Clamp255((((32768 - k) * d) / 256 + k) * d / 32768);
}
