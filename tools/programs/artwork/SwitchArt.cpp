// Switch and lamp drawing: a bezel, a cap and an amber lamp, dark when off, glowing when on.
#include "tools/programs/artwork/SwitchArt.h"

#include "tools/programs/artwork/Palette.h"
#include "tools/programs/artwork/Shapes.h"

namespace artwork {
namespace {

// A lamp of radius r at (cx, cy): dim amber glass when off, a glowing amber dot when on.
void Lamp(cairo_t* cr, double cx, double cy, double r, bool on) {
  if (on) {
    cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, r * 2.0);
    cairo_pattern_add_color_stop_rgba(halo, 0, kAccent.r, kAccent.g, kAccent.b, 0.55);
    cairo_pattern_add_color_stop_rgba(halo, 1, kAccent.r, kAccent.g, kAccent.b, 0);
    cairo_set_source(cr, halo);
    cairo_arc(cr, cx, cy, r * 2.0, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
  }
  cairo_pattern_t* glass = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, 0, cx, cy, r);
  if (on) {
    cairo_pattern_add_color_stop_rgb(glass, 0, 1.0, 0.95, 0.8);
    cairo_pattern_add_color_stop_rgb(glass, 0.45, 1.0, 0.72, 0.3);
    cairo_pattern_add_color_stop_rgb(glass, 1, kAccent.r * 0.85, kAccent.g * 0.8, kAccent.b * 0.7);
  } else {
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.36, 0.27, 0.18);
    cairo_pattern_add_color_stop_rgb(glass, 1, kAccentDim.r * 0.6, kAccentDim.g * 0.6,
                                     kAccentDim.b * 0.6);
  }
  cairo_set_source(cr, glass);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_stroke(cr);
}

}  // namespace

void PaintSwitch(cairo_t* cr, int frame, int /*frames*/) {
  const bool on = frame >= 2;
  // Bezel: dark, lit from above.
  RoundedRect(cr, 0.5, 0.5, 14.5, 14.5, 3);
  cairo_pattern_t* bezel = cairo_pattern_create_linear(0, 0, 0, 15);
  cairo_pattern_add_color_stop_rgb(bezel, 0, 0.05, 0.05, 0.06);
  cairo_pattern_add_color_stop_rgb(bezel, 1, 0.2, 0.21, 0.23);
  cairo_set_source(cr, bezel);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(bezel);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
  cairo_stroke(cr);
  // Cap: pressed in (darker, flatter) when on.
  RoundedRect(cr, 2, 2, 13, 13, 2);
  cairo_pattern_t* cap = cairo_pattern_create_linear(0, 2, 0, 13);
  const double lift = on ? 0.0 : 0.08;
  cairo_pattern_add_color_stop_rgb(cap, 0, 0.3 + lift, 0.32 + lift, 0.35 + lift);
  cairo_pattern_add_color_stop_rgb(cap, 1, 0.16, 0.17, 0.19);
  cairo_set_source(cr, cap);
  cairo_fill(cr);
  Lamp(cr, 7.5, 7.5, 3.4, on);
}

void PaintLamp(cairo_t* cr, int frame, int /*frames*/) {
  cairo_arc(cr, 8, 8, 7.2, 0, 2 * kPi);
  cairo_set_source_rgb(cr, 0.08, 0.085, 0.09);
  cairo_fill(cr);
  Lamp(cr, 8, 8, 5.0, frame >= 2);
}

}  // namespace artwork
