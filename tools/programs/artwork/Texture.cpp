// Texture passes: each pixel of an opaque image surface is scaled by 1 + a small noise term.
#include "tools/programs/artwork/Texture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace artwork {
namespace {

// A linear congruential generator with a fixed seed; values in [-1, 1).
struct Noise {
  uint32_t state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }
};

void Scale(uint32_t& pixel, double factor) {
  uint32_t out = pixel & 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double c = ((pixel >> shift) & 0xFF) * factor;
    out |= static_cast<uint32_t>(std::clamp(c + 0.5, 0.0, 255.0)) << shift;
  }
  pixel = out;
}

template <typename RowFactors>
void ApplyRows(cairo_surface_t* surface, int left, int top, int right, int bottom,
               RowFactors factorsOfRow) {
  cairo_surface_flush(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<double> factors(static_cast<size_t>(right - left));
  for (int y = top; y < bottom; ++y) {
    factorsOfRow(factors);
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = left; x < right; ++x)
      Scale(row[x], 1.0 + factors[x - left]);
  }
  cairo_surface_mark_dirty(surface);
}

}  // namespace

void BrushRegion(cairo_surface_t* surface, int left, int top, int right, int bottom,
                 unsigned seed) {
  Noise noise{seed};
  ApplyRows(surface, left, top, right, bottom, [&](std::vector<double>& f) {
    // A row's overall tone, plus streaks: white noise smoothed along the row both ways, so
    // brightness drifts slowly as brushed metal does.
    const double rowTone = noise.Next() * 0.025;
    double streak = 0;
    for (double& v : f) {
      streak = streak * 0.96 + noise.Next() * 0.04;
      v = streak;
    }
    streak = 0;
    for (auto it = f.rbegin(); it != f.rend(); ++it) {
      streak = streak * 0.96 + *it * 0.04;
      *it = rowTone + streak * 1.8 + noise.Next() * 0.01;
    }
  });
}

void GrainRegion(cairo_surface_t* surface, int left, int top, int right, int bottom,
                 unsigned seed) {
  Noise noise{seed};
  ApplyRows(surface, left, top, right, bottom, [&](std::vector<double>& f) {
    for (double& v : f)
      v = noise.Next() * 0.045;
  });
}

}  // namespace artwork
