// Caption drawing: letter by letter when tracked, one shadow pass and one colour pass.
#include "tools/programs/artwork/Caption.h"

#include <cstring>
#include <string>

namespace artwork {
namespace {

void SelectFont(cairo_t* cr, const TextLook& look) {
  cairo_select_font_face(cr, look.family, CAIRO_FONT_SLANT_NORMAL,
                         look.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, look.size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Byte length of the UTF-8 sequence starting with `lead`.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  return 4;
}

// Draws or measures; answers the advance.
double Run(cairo_t* cr, const char* text, double x, double y, const TextLook& look, bool draw) {
  double advance = 0.0;
  const size_t length = std::strlen(text);
  for (size_t i = 0; i < length;) {
    const size_t n = SequenceLength(static_cast<unsigned char>(text[i]));
    const std::string letter(text + i, n);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, letter.c_str(), &extents);
    if (draw) {
      cairo_move_to(cr, x + advance, y);
      cairo_show_text(cr, letter.c_str());
    }
    advance += extents.x_advance;
    i += n;
    if (i < length) advance += look.tracking;
  }
  return advance;
}

}  // namespace

double TextWidth(cairo_t* cr, const char* text, const TextLook& look) {
  cairo_save(cr);
  SelectFont(cr, look);
  const double width = Run(cr, text, 0, 0, look, false);
  cairo_restore(cr);
  return width;
}

double CapHeight(cairo_t* cr, const TextLook& look) {
  cairo_save(cr);
  SelectFont(cr, look);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, "H", &extents);
  cairo_restore(cr);
  return -extents.y_bearing;
}

void DrawText(cairo_t* cr, const char* text, double x, double baselineY, Align align,
              const TextLook& look) {
  const double width = TextWidth(cr, text, look);
  double left = x;
  if (align == Align::Centre) left = x - width * 0.5;
  if (align == Align::Right) left = x - width;
  cairo_save(cr);
  SelectFont(cr, look);
  if (look.engraved) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.75);
    Run(cr, text, left, baselineY + 1, look, true);
  }
  cairo_set_source_rgb(cr, look.colour.r, look.colour.g, look.colour.b);
  Run(cr, text, left, baselineY, look, true);
  cairo_new_path(cr);  // no current point left behind for the next path to join
  cairo_restore(cr);
}

}  // namespace artwork
