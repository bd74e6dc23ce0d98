// Meter drawing: bars with a level-coloured ladder, markers drawn crisp at whole pixel rows.
#include "tools/programs/artwork/MeterArt.h"

#include <algorithm>
#include <cmath>

#include "tools/programs/artwork/Palette.h"
#include "tools/programs/artwork/PanelLayout.h"
#include "tools/programs/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kBarHeight = 380;
constexpr double kUnlit = 0.13;  // brightness of an unlit segment, as a share of its lit colour

void AddStop(cairo_pattern_t* p, double at, Rgb c, double scale) {
  cairo_pattern_add_color_stop_rgb(p, at, c.r * scale, c.g * scale, c.b * scale);
}

// Green up to -6 dB, through yellow and amber to red over the top 2 dB; by height in the bar.
cairo_pattern_t* LevelColours(double scale) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, kBarHeight, 0, 0);
  AddStop(p, 0, kLevelLow, scale);
  AddStop(p, DecibelFraction(-6), kLevelLow, scale);
  AddStop(p, DecibelFraction(-4), kLevelMid, scale);
  AddStop(p, DecibelFraction(-2), kLevelHigh, scale);
  AddStop(p, DecibelFraction(-1), kLevelClip, scale);
  AddStop(p, 1, kLevelClip, scale);
  return p;
}

// Rounded, glassy look across a column: lighter left of centre, darker at both edges.
void ShadeColumn(cairo_t* cr, double left, double right, double top, double bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(left, 0, right, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 0.35, 1, 1, 1, 0.16);
  cairo_pattern_add_color_stop_rgba(p, 0.55, 1, 1, 1, 0.05);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.4);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// Thin dark rungs every few rows so a bar reads as a ladder of segments.
void Rungs(cairo_t* cr, double left, double right, double alpha) {
  cairo_set_source_rgba(cr, 0, 0, 0, alpha);
  for (int y = 3; y < kBarHeight; y += 4)
    cairo_rectangle(cr, left, y, right - left, 1);
  cairo_fill(cr);
}

// The rows of a short mark centred on a level, kept whole inside the frame.
double MarkCentre(double fraction, double halfHeight) {
  const double y = std::round(kBarHeight * (1.0 - fraction));
  return std::clamp(y, halfHeight, kBarHeight - halfHeight);
}

}  // namespace

void PaintLevelBar(cairo_t* cr, int frame, int frames) {
  const double width = cairo_image_surface_get_width(cairo_get_target(cr));
  const double left = kLevelBarInset, right = width - kLevelBarInset;
  const double litTop = kBarHeight * (1.0 - FrameFraction(frame, frames));
  SetSource(cr, kBayFloor);
  cairo_paint(cr);
  cairo_pattern_t* unlit = LevelColours(kUnlit);
  cairo_set_source(cr, unlit);
  cairo_rectangle(cr, left, 0, right - left, kBarHeight);
  cairo_fill(cr);
  cairo_pattern_destroy(unlit);
  cairo_pattern_t* lit = LevelColours(1.0);
  cairo_set_source(cr, lit);
  cairo_rectangle(cr, left, litTop, right - left, kBarHeight - litTop);
  cairo_fill(cr);
  cairo_pattern_destroy(lit);
  ShadeColumn(cr, left, right, 0, kBarHeight);
  Rungs(cr, left, right, 0.3);
  // The scale's rows, faintly through the bar.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  for (int mark : kScaleMarks) {
    if (mark == 0) continue;
    const double y = std::floor(kBarHeight * (1.0 - DecibelFraction(mark)));
    cairo_rectangle(cr, left, y, right - left, 1);
  }
  cairo_fill(cr);
}

void PaintPeakLine(cairo_t* cr, int frame, int frames) {
  const double width = cairo_image_surface_get_width(cairo_get_target(cr));
  const double left = kLevelBarInset, right = width - kLevelBarInset;
  const double y = MarkCentre(FrameFraction(frame, frames), 2);
  SetSource(cr, kPeakLine, 0.3);  // glow
  cairo_rectangle(cr, left, y - 2, right - left, 4);
  cairo_fill(cr);
  SetSource(cr, kPeakLine);
  cairo_rectangle(cr, left, y - 1, right - left, 2);
  cairo_fill(cr);
}

void PaintThresholdMarker(cairo_t* cr, int frame, int frames) {
  const double width = cairo_image_surface_get_width(cairo_get_target(cr));
  const double y = MarkCentre(FrameFraction(frame, frames), 3.5);
  // Two inward-pointing tips joined by a bar: the marker reads as a pointer at its level.
  auto shape = [&] {
    cairo_move_to(cr, 0.5, y - 3);
    cairo_line_to(cr, 4.5, y - 1);
    cairo_line_to(cr, width - 4.5, y - 1);
    cairo_line_to(cr, width - 0.5, y - 3);
    cairo_line_to(cr, width - 0.5, y + 3);
    cairo_line_to(cr, width - 4.5, y + 1);
    cairo_line_to(cr, 4.5, y + 1);
    cairo_line_to(cr, 0.5, y + 3);
    cairo_close_path(cr);
  };
  shape();
  cairo_set_line_width(cr, 1.4);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_stroke_preserve(cr);
  SetSource(cr, kThresholdMarker);
  cairo_fill(cr);
}

void PaintReductionBar(cairo_t* cr, int frame, int frames) {
  const double width = cairo_image_surface_get_width(cairo_get_target(cr));
  const double left = kReductionInset, right = width - kReductionInset;
  const double litBottom = kBarHeight * FrameFraction(frame, frames);
  SetSource(cr, kBayFloor);
  cairo_paint(cr);
  SetSource(cr, kReduction, kUnlit);
  cairo_rectangle(cr, left, 0, right - left, kBarHeight);
  cairo_fill(cr);
  cairo_pattern_t* lit = cairo_pattern_create_linear(0, 0, 0, kBarHeight);
  AddStop(lit, 0, kReduction, 1.0);
  AddStop(lit, 1, kReduction, 0.75);
  cairo_set_source(cr, lit);
  cairo_rectangle(cr, left, 0, right - left, litBottom);
  cairo_fill(cr);
  cairo_pattern_destroy(lit);
  ShadeColumn(cr, left, right, 0, kBarHeight);
  Rungs(cr, left, right, 0.3);
}

void PaintShiftStrip(cairo_t* cr, int frame, int frames) {
  constexpr double kWidth = 180, kHeight = 35;
  constexpr double kTrackLeft = 8, kTrackRight = 172, kTrackTop = 13, kTrackBottom = 22;
  const double x = kTrackLeft + (kTrackRight - kTrackLeft) * FrameFraction(frame, frames);
  // Recessed plate.
  RoundedRect(cr, 0, 0, kWidth, kHeight, 5);
  SetSource(cr, kPanelDark);
  cairo_fill(cr);
  // Scale ticks every tenth of the way, longer at the ends and the middle.
  cairo_set_line_width(cr, 1);
  for (int i = 0; i <= 10; ++i) {
    const double tx = std::round(kTrackLeft + (kTrackRight - kTrackLeft) * i / 10.0) + 0.5;
    const double len = (i % 5 == 0) ? 5 : 3;
    cairo_set_source_rgba(cr, 0.55, 0.58, 0.62, i % 5 == 0 ? 0.9 : 0.6);
    cairo_move_to(cr, tx, kTrackTop - 2 - len);
    cairo_line_to(cr, tx, kTrackTop - 2);
    cairo_move_to(cr, tx, kTrackBottom + 2);
    cairo_line_to(cr, tx, kTrackBottom + 2 + len);
    cairo_stroke(cr);
  }
  // Track, lit from the left end up to the marker.
  SetSource(cr, kBayFloor);
  cairo_rectangle(cr, kTrackLeft - 2, kTrackTop, kTrackRight - kTrackLeft + 4,
                  kTrackBottom - kTrackTop);
  cairo_fill(cr);
  SetSource(cr, kAccent, 0.45);
  cairo_rectangle(cr, kTrackLeft - 2, kTrackTop + 2, x - kTrackLeft + 2,
                  kTrackBottom - kTrackTop - 4);
  cairo_fill(cr);
  // Marker.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_rectangle(cr, x - 3.5, 4, 7, kHeight - 8);
  cairo_fill(cr);
  cairo_pattern_t* marker = cairo_pattern_create_linear(x - 2.5, 0, x + 2.5, 0);
  AddStop(marker, 0, kAccent, 1.0);
  cairo_pattern_add_color_stop_rgb(marker, 0.4, 1.0, 0.85, 0.6);
  AddStop(marker, 1, kAccent, 0.8);
  cairo_set_source(cr, marker);
  cairo_rectangle(cr, x - 2.5, 5, 5, kHeight - 10);
  cairo_fill(cr);
  cairo_pattern_destroy(marker);
}

}  // namespace artwork
