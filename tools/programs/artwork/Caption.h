// Text on the artwork: engraved captions and small print, with cairo's own font selection.
#pragma once

#include <cairo.h>

#include "tools/programs/artwork/Palette.h"

namespace artwork {

enum class Align { Left, Centre, Right };

struct TextLook {
  const char* family = "DejaVu Sans Condensed";
  bool bold = true;
  double size = 10.0;     // em size in pixels
  double tracking = 0.0;  // extra pixels between letters
  Rgb colour = kCaption;
  bool engraved = true;  // a dark shadow one pixel below, as if cut into the panel
};

// Draws `text` with its baseline at y, aligned at x.
void DrawText(cairo_t* cr, const char* text, double x, double baselineY, Align align,
              const TextLook& look);

// Width the text takes with this look (tracking included).
double TextWidth(cairo_t* cr, const char* text, const TextLook& look);

// Height of a capital letter with this look, for centring captions on a row.
double CapHeight(cairo_t* cr, const TextLook& look);

}  // namespace artwork
