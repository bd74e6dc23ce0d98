// Knob drawing shared by the three knob images; only sizes and the face differ.
#include "tools/programs/artwork/KnobArt.h"

#include <cmath>

#include "tools/programs/artwork/Palette.h"
#include "tools/programs/artwork/PanelLayout.h"
#include "tools/programs/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kSweep = 1.5 * kPi;  // 270 degrees

struct KnobGeometry {
  double centre;
  double ringRadius, ringWidth;
  double bodyRadius, capRadius;
  double pointerFrom, pointerTo, pointerWidth;
  int grooves;  // knurling on the skirt, turning with the knob
};

constexpr KnobGeometry kLarge = {45, 40.5, 4.5, 33, 25, 11, 30.5, 3.5, 48};
constexpr KnobGeometry kSmall = {25, 21, 3, 16.5, 12, 4.5, 15, 2.4, 28};

// cairo measures angles from three o'clock; knob angles from twelve.
double CairoAngle(double knobAngle) {
  return knobAngle - kPi / 2;
}

void PaintRing(cairo_t* cr, const KnobGeometry& k, double fraction) {
  const double c = k.centre;
  const double start = CairoAngle(KnobAngle(0));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // The track: a dark groove with a faint lower lip.
  cairo_set_line_width(cr, k.ringWidth + 1.5);
  SetSource(cr, Hex(0x000000), 0.55);
  cairo_arc(cr, c, c, k.ringRadius, start, start + kSweep);
  cairo_stroke(cr);
  cairo_set_line_width(cr, k.ringWidth);
  SetSource(cr, kPanelDark);
  cairo_arc(cr, c, c, k.ringRadius, start, start + kSweep);
  cairo_stroke(cr);
  if (fraction <= 0) return;
  const double end = start + kSweep * fraction;
  // A soft glow under the lit arc, then the arc itself.
  cairo_set_line_width(cr, k.ringWidth + 2.5);
  SetSource(cr, kAccent, 0.22);
  cairo_arc(cr, c, c, k.ringRadius, start, end);
  cairo_stroke(cr);
  cairo_set_line_width(cr, k.ringWidth - 0.5);
  SetSource(cr, kAccent);
  cairo_arc(cr, c, c, k.ringRadius, start, end);
  cairo_stroke(cr);
}

void PaintBody(cairo_t* cr, const KnobGeometry& k, double angle) {
  const double c = k.centre;
  // Shadow falling down and right of the knob.
  cairo_pattern_t* shadow = cairo_pattern_create_radial(c + 1, c + 2.5, k.bodyRadius - 2, c + 1,
                                                        c + 2.5, k.bodyRadius + 3);
  cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.7);
  cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, c + 1, c + 2.5, k.bodyRadius + 3, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);

  // Skirt: lit from above.
  cairo_pattern_t* skirt = cairo_pattern_create_linear(0, c - k.bodyRadius, 0, c + k.bodyRadius);
  cairo_pattern_add_color_stop_rgb(skirt, 0, 0.33, 0.35, 0.38);
  cairo_pattern_add_color_stop_rgb(skirt, 1, 0.09, 0.10, 0.11);
  cairo_set_source(cr, skirt);
  cairo_arc(cr, c, c, k.bodyRadius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(skirt);

  // Knurling: fine grooves that turn with the knob.
  cairo_set_line_width(cr, 1.0);
  for (int i = 0; i < k.grooves; ++i) {
    const double a = angle + 2 * kPi * i / k.grooves;
    const double s = std::sin(a), co = std::cos(a);
    const double light = 0.5 - 0.5 * co;  // grooves at the top catch less light
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25 + 0.3 * light);
    cairo_move_to(cr, c + s * (k.capRadius + 1), c - co * (k.capRadius + 1));
    cairo_line_to(cr, c + s * (k.bodyRadius - 0.7), c - co * (k.bodyRadius - 0.7));
    cairo_stroke(cr);
  }
  cairo_set_line_width(cr, 1.0);
  SetSource(cr, Hex(0x000000), 0.85);
  cairo_arc(cr, c, c, k.bodyRadius - 0.5, 0, 2 * kPi);
  cairo_stroke(cr);
}

void PaintCap(cairo_t* cr, const KnobGeometry& k, bool darkFace) {
  const double c = k.centre;
  const double r = k.capRadius;
  cairo_pattern_t* cap = cairo_pattern_create_radial(c - r * 0.35, c - r * 0.45, r * 0.1, c, c, r);
  if (darkFace) {
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.17, 0.18, 0.20);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.06, 0.065, 0.07);
  } else {
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.42, 0.44, 0.47);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.16, 0.17, 0.19);
  }
  cairo_set_source(cr, cap);
  cairo_arc(cr, c, c, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);
  // A bevel: light on the upper rim, dark on the lower one.
  cairo_set_line_width(cr, 1.0);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, c - r, 0, c + r);
  cairo_pattern_add_color_stop_rgba(rim, 0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 1, 1, 0.04);
  cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0, 0.6);
  cairo_set_source(cr, rim);
  cairo_arc(cr, c, c, r - 0.5, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

void PaintPointer(cairo_t* cr, const KnobGeometry& k, double angle, double from, double to,
                  double width) {
  const double c = k.centre;
  const double s = std::sin(angle), co = std::cos(angle);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, width + 1.6);
  SetSource(cr, Hex(0x000000), 0.6);
  cairo_move_to(cr, c + s * from, c - co * from);
  cairo_line_to(cr, c + s * to, c - co * to);
  cairo_stroke(cr);
  cairo_set_line_width(cr, width);
  SetSource(cr, Hex(0xf4f4f2));
  cairo_move_to(cr, c + s * from, c - co * from);
  cairo_line_to(cr, c + s * to, c - co * to);
  cairo_stroke(cr);
}

void PaintKnob(cairo_t* cr, const KnobGeometry& k, int frame, int frames) {
  const double fraction = FrameFraction(frame, frames);
  const double angle = KnobAngle(fraction);
  PaintRing(cr, k, fraction);
  PaintBody(cr, k, angle);
  PaintCap(cr, k, false);
  PaintPointer(cr, k, angle, k.pointerFrom, k.pointerTo, k.pointerWidth);
}

// The clip shape a wave-knob frame stands for: the knob's parameter runs from 0.1 to 1 with a
// square-root curve (normalised n gives 0.1 + 0.9 · n^0.5).
double ClipShapeOfFrame(int frame, int frames) {
  return 0.1 + 0.9 * std::sqrt(FrameFraction(frame, frames));
}

void PaintWave(cairo_t* cr, const KnobGeometry& k, double shape) {
  const double c = k.centre;
  constexpr double kHalfWidth = 8.0;
  constexpr double kHeight = 12.0;
  constexpr double kBase = 4.5;      // below the centre
  constexpr double kClipLine = 0.4;  // of the hump's height
  cairo_save(cr);
  cairo_arc(cr, c, c, k.capRadius - 1, 0, 2 * kPi);
  cairo_clip(cr);
  // The clip line, faint, so the flattening reads as clipping.
  cairo_set_line_width(cr, 1.0);
  SetSource(cr, kAccent, 0.28);
  const double clipY = std::round(c + kBase - kClipLine * kHeight) + 0.5;
  cairo_move_to(cr, c - kHalfWidth - 2, clipY);
  cairo_line_to(cr, c + kHalfWidth + 2, clipY);
  cairo_stroke(cr);
  constexpr int kSteps = 64;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps;
    double h = std::sin(kPi * t);
    if (h > kClipLine) h -= (h - kClipLine) * shape;
    const double x = c - kHalfWidth + 2 * kHalfWidth * t;
    const double y = c + kBase - h * kHeight;
    if (i == 0) {
      cairo_move_to(cr, x - 2.5, y);  // a little run-in along the zero line
      cairo_line_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_rel_line_to(cr, 2.5, 0);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.7);
  SetSource(cr, kAccent);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

double KnobAngle(double fraction) {
  return -0.75 * kPi + kSweep * fraction;
}

void PaintLargeKnob(cairo_t* cr, int frame, int frames) {
  PaintKnob(cr, kLarge, frame, frames);
}

void PaintSmallKnob(cairo_t* cr, int frame, int frames) {
  PaintKnob(cr, kSmall, frame, frames);
}

void PaintWaveKnob(cairo_t* cr, int frame, int frames) {
  const KnobGeometry& k = kSmall;
  const double fraction = FrameFraction(frame, frames);
  const double angle = KnobAngle(fraction);
  PaintRing(cr, k, fraction);
  PaintBody(cr, k, angle);
  PaintCap(cr, k, true);
  PaintWave(cr, k, ClipShapeOfFrame(frame, frames));
  // The pointer sits on the skirt, so the face stays upright.
  PaintPointer(cr, k, angle, k.capRadius + 1.2, k.bodyRadius - 0.8, 2.0);
}

}  // namespace artwork
