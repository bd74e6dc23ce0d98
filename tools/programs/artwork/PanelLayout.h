// The panel layout as the artwork tool sees it: Ferrix's layout (effect/FerrixLayout.h), so that
// the panel's captions, scales and value windows line up with the controls, plus the scale
// arithmetic the drawing shares.
#pragma once

#include <array>
#include <cmath>

#include "effect/FerrixLayout.h"

namespace artwork {

using namespace ferrix_layout;

// Fraction 0..1 shown by frame `frame` (1-based) of an image with `frames` frames: the editor
// maps control values 0..1 linearly onto frames 1..N.
inline constexpr double FrameFraction(int frame, int frames) {
  return frames <= 1 ? 0.0 : static_cast<double>(frame - 1) / (frames - 1);
}

// The meters show linear amplitudes: the mark for d dB sits at the bar fraction 10^(d/20).
inline double DecibelFraction(double decibels) {
  return std::pow(10.0, decibels / 20.0);
}

// Panel row of the top edge of a bar of height `barHeight` starting at `barTop`, filled to
// `fraction`.
inline double BarLevelY(double barTop, double barHeight, double fraction) {
  return barTop + barHeight * (1.0 - fraction);
}

inline constexpr std::array<int, 12> kScaleMarks = {0,  -1,  -2,  -3,  -4,  -6,
                                                    -8, -10, -15, -20, -30, -40};

}  // namespace artwork
