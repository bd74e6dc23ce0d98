// Meter frames. Frame k of an N-frame meter shows the fraction (k - 1) / (N - 1): the editor maps
// the linear meter values 0..1 onto frames 1..N.
#pragma once

#include <cairo.h>

namespace artwork {

// Level bar (35 × 380): lit from the bottom up to the fraction; frame 1 empty, frame N full.
void PaintLevelBar(cairo_t* cr, int frame, int frames);
// Peak line (35 × 380): a short line at the fraction's height, transparent elsewhere.
void PaintPeakLine(cairo_t* cr, int frame, int frames);
// Threshold marker (15 × 380): a small marker at the fraction's height, transparent elsewhere.
void PaintThresholdMarker(cairo_t* cr, int frame, int frames);
// Reduction bar (18 × 380): lit from the top down to the fraction.
void PaintReductionBar(cairo_t* cr, int frame, int frames);
// Shift strip (180 × 35): a marker travelling from the left end to the right end.
void PaintShiftStrip(cairo_t* cr, int frame, int frames);

// Inner columns of the level bar and the reduction bar, shared with the panel's bays.
inline constexpr double kLevelBarInset = 3;
inline constexpr double kReductionInset = 4;

}  // namespace artwork
