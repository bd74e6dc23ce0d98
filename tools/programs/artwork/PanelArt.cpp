// Background drawing, in layers: surfaces, bays and windows, scales, captions.
#include "tools/programs/artwork/PanelArt.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/programs/artwork/Caption.h"
#include "tools/programs/artwork/KnobArt.h"
#include "tools/programs/artwork/MeterArt.h"
#include "tools/programs/artwork/Palette.h"
#include "tools/programs/artwork/PanelLayout.h"
#include "tools/programs/artwork/Shapes.h"
#include "tools/programs/artwork/Texture.h"

namespace artwork {
namespace {

constexpr int kWidth = kEditorWidth, kHeight = kEditorHeight;
constexpr double kPlateCentre = 320;

// Value windows: where the editor prints black text, the panel is light.
constexpr double kLargeWindowHalf = 34;
constexpr double kSmallWindowHalf = 30;

const TextLook kCaptionLook{};
const TextLook kSmallPrint{.bold = false, .size = 8.5, .colour = kCaptionDim, .engraved = false};
const TextLook kScaleNumbers{.bold = false, .size = 8, .colour = kCaptionDim, .engraved = false};

// Baseline that centres capital letters of this look on row y.
double BaselineCentredOn(cairo_t* cr, double y, const TextLook& look) {
  return std::round(y + CapHeight(cr, look) * 0.5);
}

void PaintSurfaces(cairo_t* cr) {
  // One brushed plate, lit a little from above, darkening towards the corners.
  cairo_pattern_t* plate = cairo_pattern_create_linear(0, 0, 0, kHeight);
  cairo_pattern_add_color_stop_rgb(plate, 0, kPanel.r * 1.12, kPanel.g * 1.12, kPanel.b * 1.12);
  cairo_pattern_add_color_stop_rgb(plate, 1, kPanel.r * 0.8, kPanel.g * 0.8, kPanel.b * 0.8);
  cairo_set_source(cr, plate);
  cairo_paint(cr);
  cairo_pattern_destroy(plate);
  BrushRegion(cairo_get_target(cr), 0, 0, kWidth, kHeight, 12345u);
  cairo_pattern_t* vignette = cairo_pattern_create_radial(kPlateCentre, kHeight * 0.45, 150,
                                                          kPlateCentre, kHeight * 0.45, 420);
  cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(vignette, 1, 0, 0, 0, 0.35);
  cairo_set_source(cr, vignette);
  cairo_paint(cr);
  cairo_pattern_destroy(vignette);
  // A bevel all round the plate.
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
  cairo_rectangle(cr, 0.5, 0.5, kWidth - 1, kHeight - 1);
  cairo_stroke(cr);
}

void Screw(cairo_t* cr, double cx, double cy, double slotAngle) {
  cairo_new_path(cr);
  cairo_pattern_t* head = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 5);
  cairo_pattern_add_color_stop_rgb(head, 0, 0.62, 0.64, 0.67);
  cairo_pattern_add_color_stop_rgb(head, 1, 0.22, 0.23, 0.25);
  cairo_set_source(cr, head);
  cairo_arc(cr, cx, cy, 4.5, 0, 2 * kPi);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.4);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.75);
  cairo_move_to(cr, cx - 3.2 * std::cos(slotAngle), cy - 3.2 * std::sin(slotAngle));
  cairo_line_to(cr, cx + 3.2 * std::cos(slotAngle), cy + 3.2 * std::sin(slotAngle));
  cairo_stroke(cr);
}

// A recess: dark floor, shadow along the top and left inner edges, light lip at the bottom.
void Recess(cairo_t* cr, double left, double top, double right, double bottom, double r) {
  RoundedRect(cr, left, top, right, bottom, r);
  SetSource(cr, kBayFloor);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  RoundedRect(cr, left + 0.5, top + 0.5, right - 0.5, bottom - 0.5, r);
  cairo_pattern_t* edge = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgba(edge, 0, 0, 0, 0, 0.9);
  cairo_pattern_add_color_stop_rgba(edge, 0.95, 0, 0, 0, 0.5);
  cairo_pattern_add_color_stop_rgba(edge, 1, 1, 1, 1, 0.18);
  cairo_set_source(cr, edge);
  cairo_stroke(cr);
  cairo_pattern_destroy(edge);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.1);
  cairo_move_to(cr, left + r, bottom + 0.5);
  cairo_line_to(cr, right - r, bottom + 0.5);
  cairo_stroke(cr);
}

// A light window (greenish like an unlit display) for black value text.
void ValueWindow(cairo_t* cr, double left, double top, double right, double bottom) {
  Recess(cr, left - 1, top - 1, right + 1, bottom + 1, 3);
  RoundedRect(cr, left, top, right, bottom, 2);
  cairo_pattern_t* glass = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgb(glass, 0, kWindow.r * 0.92, kWindow.g * 0.92, kWindow.b * 0.92);
  cairo_pattern_add_color_stop_rgb(glass, 0.25, kWindow.r, kWindow.g, kWindow.b);
  cairo_pattern_add_color_stop_rgb(glass, 1, kWindow.r * 0.95, kWindow.g * 0.95, kWindow.b * 0.95);
  cairo_set_source(cr, glass);
  cairo_fill(cr);
  cairo_pattern_destroy(glass);
  // Inner shadow along the top edge.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_rectangle(cr, left + 1, top, right - left - 2, 1);
  cairo_fill(cr);
}

// The knob's value text is printed in the bottom 20 rows of its area, centred. Windows stop
// short of the meter bays beside the outer knobs.
void KnobWindow(cairo_t* cr, const Box& knob, double halfWidth) {
  const double cx = knob.CentreX();
  const double left = std::max(cx - halfWidth, kInputBarRight.right + 5.0);
  const double right = std::min(cx + halfWidth, kOutputBarLeft.left - 2.0);
  ValueWindow(cr, left, knob.bottom - kKnobTextRow, right, knob.bottom - 1);
}

// dB scale beside a bar column: ticks at each mark's row and its number, kept at or below row
// numbersTop (a number centred on the top mark would reach into what lies above the column).
void Scale(cairo_t* cr, double numbersX, Align align, const std::initializer_list<double>& tickXs,
           double tickLength, int top, int height, double numbersTop = 0) {
  for (int mark : kScaleMarks) {
    const double y = std::floor(BarLevelY(top, height, DecibelFraction(mark))) + 0.5;
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, kCaptionDim.r, kCaptionDim.g, kCaptionDim.b, 0.9);
    for (double x : tickXs) {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + tickLength, y);
    }
    cairo_stroke(cr);
    if (mark == -30) continue;  // too close to -40 for both numbers; its tick stays
    char number[8];
    std::snprintf(number, sizeof number, "%d", mark);
    const double capHeight = CapHeight(cr, kScaleNumbers);
    const double baseline =
        std::max(BaselineCentredOn(cr, y, kScaleNumbers), std::ceil(numbersTop + capHeight));
    DrawText(cr, number, numbersX, baseline, align, kScaleNumbers);
  }
}

void PaintMeterColumns(cairo_t* cr) {
  const int top = kInputBarLeft.top, height = kInputBarLeft.Height();
  // Input: both bars and the clip meter between them in one bay, numbers on the left.
  Recess(cr, kInputBarLeft.left - 3, top - 3, kInputBarRight.right + 3, top + height + 3, 3);
  Scale(cr, 13, Align::Right, {14.5, kInputBarRight.right + 4.0}, 3.5, top, height);
  // Output: one bay, numbers in the gap between the bars (ticks there would touch them). Its
  // left edge is the bar's own dark margin, leaving room for the output knob's window.
  Recess(cr, kOutputBarLeft.left - 1, top - 3, kOutputBarRight.right + 3, top + height + 3, 3);
  const double gapCentre = (kOutputBarLeft.right + kOutputBarRight.left) * 0.5;
  // Its "0" sits just under the read-out window (its frame ends a row below the window).
  Scale(cr, gapCentre, Align::Centre, {kOutputBarRight.right + 4.0}, 3.5, top, height,
        kReadOutWindow.bottom + 3);
  // Column titles, the clip meter's caption, the channel letters under the bars.
  const double titleBaseline = 17;
  DrawText(cr, "IN", (kInputBarLeft.left + kInputBarRight.right) * 0.5, titleBaseline,
           Align::Centre, kCaptionLook);
  DrawText(cr, "OUT", (kOutputBarLeft.left + kOutputBarRight.right) * 0.5, titleBaseline,
           Align::Centre, kCaptionLook);
  TextLook clip = kCaptionLook;
  clip.size = 8.5;
  clip.colour = kReduction;
  DrawText(cr, "CLIP", kReductionMeter.CentreX(), 39, Align::Centre, clip);
  const double letters = top + height + 17;
  for (const Box& bar : {kInputBarLeft, kOutputBarLeft}) {
    DrawText(cr, "L", bar.CentreX(), letters, Align::Centre, kCaptionLook);
  }
  for (const Box& bar : {kInputBarRight, kOutputBarRight}) {
    DrawText(cr, "R", bar.CentreX(), letters, Align::Centre, kCaptionLook);
  }
  // The two output read-outs share one window, split between the columns.
  ValueWindow(cr, kReadOutWindow.left, kReadOutWindow.top, kReadOutWindow.right,
              kReadOutWindow.bottom);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_rectangle(cr, kReadOutDivider, kReadOutWindow.top + 3, 1, kReadOutWindow.Height() - 6);
  cairo_fill(cr);
}

// Numbers at both ends of a knob's arc, just outside it.
void ArcEnds(cairo_t* cr, const Box& knob, double radius, const char* low, const char* high) {
  const double cx = knob.CentreX();
  const double cy = knob.top + knob.Width() * 0.5;
  for (int end = 0; end < 2; ++end) {
    const double a = KnobAngle(end);
    const double x = cx + radius * std::sin(a);
    const double y = cy - radius * std::cos(a);
    DrawText(cr, end == 0 ? low : high, x, BaselineCentredOn(cr, y, kScaleNumbers), Align::Centre,
             kScaleNumbers);
  }
}

void PaintThresholdGroup(cairo_t* cr) {
  const Box& a = kThresholdInitialKnob;
  const Box& b = kThresholdEndKnob;
  const double centre = (a.CentreX() + b.CentreX()) * 0.5;
  // Group title with rules running out to the knobs' outer edges.
  const double titleY = 106;
  const double titleWidth = TextWidth(cr, "THRESHOLD", kCaptionLook);
  DrawText(cr, "THRESHOLD", centre, titleY, Align::Centre, kCaptionLook);
  const double ruleY = titleY - std::round(CapHeight(cr, kCaptionLook) * 0.5) + 0.5;
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, kCaptionDim.r, kCaptionDim.g, kCaptionDim.b, 0.6);
  cairo_move_to(cr, a.left + 4, ruleY);
  cairo_line_to(cr, centre - titleWidth * 0.5 - 8, ruleY);
  cairo_move_to(cr, centre + titleWidth * 0.5 + 8, ruleY);
  cairo_line_to(cr, b.right - 4, ruleY);
  cairo_move_to(cr, a.left + 4.5, ruleY);
  cairo_line_to(cr, a.left + 4.5, ruleY + 5);
  cairo_move_to(cr, b.right - 4.5, ruleY);
  cairo_line_to(cr, b.right - 4.5, ruleY + 5);
  cairo_stroke(cr);
  DrawText(cr, "INITIAL", a.CentreX(), 130, Align::Centre, kCaptionLook);
  DrawText(cr, "END", b.CentreX(), 130, Align::Centre, kCaptionLook);
  ArcEnds(cr, a, 50, "-44", "0");
  ArcEnds(cr, b, 50, "-44", "0");
  KnobWindow(cr, a, kLargeWindowHalf);
  KnobWindow(cr, b, kLargeWindowHalf);
  // Link: the switch between the knobs, tied to both by a short rule.
  const Box& link = kLinkSwitch;
  DrawText(cr, "LINK", link.CentreX(), link.top - 5, Align::Centre, kCaptionLook);
  const double y = std::floor(link.CentreY()) + 0.5;
  const double knobReach = std::sqrt(45.0 * 45.0 - std::pow(y - (a.top + 45), 2));
  cairo_set_source_rgba(cr, kCaptionDim.r, kCaptionDim.g, kCaptionDim.b, 0.7);
  cairo_move_to(cr, a.CentreX() + knobReach, y);
  cairo_line_to(cr, link.left - 3, y);
  cairo_move_to(cr, link.right + 3, y);
  cairo_line_to(cr, b.CentreX() - knobReach, y);
  cairo_stroke(cr);
  // Shift meter: where the threshold stands between its two ends.
  const Box& shift = kShiftMeter;
  DrawText(cr, "SHIFT", shift.CentreX(), shift.top - 6, Align::Centre, kCaptionLook);
  const double shiftBaseline = BaselineCentredOn(cr, shift.CentreY(), kSmallPrint);
  DrawText(cr, "INITIAL", shift.left - 6, shiftBaseline, Align::Right, kSmallPrint);
  DrawText(cr, "END", shift.right + 6, shiftBaseline, Align::Left, kSmallPrint);
}

void SmallKnob(cairo_t* cr, const Box& knob, const char* caption, const char* low,
               const char* high) {
  KnobWindow(cr, knob, kSmallWindowHalf);
  DrawText(cr, caption, knob.CentreX(), knob.bottom + 13, Align::Centre, kCaptionLook);
  ArcEnds(cr, knob, 28.5, low, high);
}

void SwitchCaption(cairo_t* cr, const Box& sw, const char* caption) {
  DrawText(cr, caption, sw.right + 6, BaselineCentredOn(cr, sw.CentreY(), kCaptionLook),
           Align::Left, kCaptionLook);
}

void PaintTitle(cairo_t* cr) {
  TextLook title{.family = "DejaVu Sans", .size = 25, .tracking = 7, .colour = Hex(0xe6e9ec)};
  DrawText(cr, "TESSOMAR", kPlateCentre, 47, Align::Centre, title);
  TextLook subtitle{.size = 8.5, .tracking = 2.2, .colour = kAccent, .engraved = false};
  DrawText(cr, "CLIP-SHIFTING STEREO CLIPPER", kPlateCentre, 65, Align::Centre, subtitle);
  for (double x : {136.0, kWidth - 136.0}) {
    Screw(cr, x, 12, 0.6);
    Screw(cr, x, kHeight - 12, -0.4);
  }
}

void PaintMaker(cairo_t* cr) {
  TextLook maker{.size = 10, .tracking = 2.6, .colour = kCaptionDim};
  DrawText(cr, kMakerName, kWebAddress.CentreX(),
           BaselineCentredOn(cr, kWebAddress.CentreY(), maker), Align::Centre, maker);
}

}  // namespace

void PaintPanel(cairo_t* cr, int, int) {
  PaintSurfaces(cr);
  PaintTitle(cr);
  PaintMeterColumns(cr);
  PaintThresholdGroup(cr);
  SmallKnob(cr, kInputGainKnob, "INPUT", "-22", "+22");
  SmallKnob(cr, kClipShapeKnob, "CLIP SHAPE", "SOFT", "HARD");
  SmallKnob(cr, kThresholdTimeKnob, "ATTACK", "1", "1000");
  SmallKnob(cr, kOutputGainKnob, "OUTPUT", "-22", "+22");
  SwitchCaption(cr, kBypassSwitch, "BYPASS");
  SwitchCaption(cr, kFastSwitch, "FAST RELEASE");
  PaintMaker(cr);
}

}  // namespace artwork
