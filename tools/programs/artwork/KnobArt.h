// Knob frames: a turning cap with a pointer inside a value arc swept over 270 degrees from
// seven o'clock (frame 1) to five o'clock (last frame).
#pragma once

#include <cairo.h>

namespace artwork {

// Large knob (90 × 90), for the two thresholds.
void PaintLargeKnob(cairo_t* cr, int frame, int frames);
// Small knob (50 × 50), for the gains and the attack time.
void PaintSmallKnob(cairo_t* cr, int frame, int frames);
// Small knob whose face shows a clipped wave: the overshoot above the clip line is kept nearly
// whole at frame 1 (a rounded arc) and removed entirely at the last frame (a straight top),
// following the clip shape the knob's value stands for.
void PaintWaveKnob(cairo_t* cr, int frame, int frames);

// Knob angle in radians, clockwise from twelve o'clock, for a value 0..1.
double KnobAngle(double fraction);

}  // namespace artwork
