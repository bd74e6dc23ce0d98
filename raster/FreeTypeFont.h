// The Linux font record behind a SystemFontHandle: a FreeType face scaled to GDI's metrics
// (cell height = Windows ascent + descent), shared by the font and glyph-rendering files.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

struct FreeTypeFont {
  FT_Face face;
  int cellHeight;  // the line height, as GDI's tmHeight
  int ascent;      // baseline, from the cell's top
  bool mono;       // not antialiased
};
