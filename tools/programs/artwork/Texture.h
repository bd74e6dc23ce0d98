// Surface finishes applied to the panel's pixels: brushed metal and fine matte grain. Both use
// a fixed-seed generator, so the artwork comes out the same on every run.
#pragma once

#include <cairo.h>

namespace artwork {

// Horizontal brushing over the rectangle: long, faint light and dark streaks.
void BrushRegion(cairo_surface_t* surface, int left, int top, int right, int bottom, unsigned seed);
// Fine, even grain over the rectangle.
void GrainRegion(cairo_surface_t* surface, int left, int top, int right, int bottom, unsigned seed);

}  // namespace artwork
