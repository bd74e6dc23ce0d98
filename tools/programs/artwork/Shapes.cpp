// Rounded rectangles: four quarter arcs, clockwise from the top-right corner.
#include "tools/programs/artwork/Shapes.h"

namespace artwork {

void RoundedRect(cairo_t* cr, double left, double top, double right, double bottom, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, right - r, top + r, r, -kPi / 2, 0);
  cairo_arc(cr, right - r, bottom - r, r, 0, kPi / 2);
  cairo_arc(cr, left + r, bottom - r, r, kPi / 2, kPi);
  cairo_arc(cr, left + r, top + r, r, kPi, 1.5 * kPi);
  cairo_close_path(cr);
}

}  // namespace artwork
