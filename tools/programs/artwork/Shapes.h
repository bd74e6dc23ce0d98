// Small drawing helpers every piece of artwork uses: rounded rectangles and palette sources.
#pragma once

#include <cairo.h>

#include <numbers>

#include "tools/programs/artwork/Palette.h"

namespace artwork {

inline constexpr double kPi = std::numbers::pi;

// Adds a closed rounded rectangle to the current path (a new sub-path, never joined to the last).
void RoundedRect(cairo_t* cr, double left, double top, double right, double bottom, double radius);

inline void SetSource(cairo_t* cr, Rgb c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

}  // namespace artwork
