// The platform's glyph rendering behind CachedFont: the system draws one character into the
// glyph scratch bitmap, white on black at its top-left, and the red byte is its coverage.
#pragma once

#include <cstdint>

#include "raster/RasterFont.h"
#include "raster/SysBitmap.h"

// Sets the scratch up for glyphs after a resize (Windows: white text, opaque black background).
void PrepareGlyphScratch(SysBitmap& scratch);
// The font's line height (the text metric height, i.e. the cell height), or -1 without a font.
int SystemFontLineHeight(SystemFontHandle font, SysBitmap& scratch);
// The rectangle the character takes, single line, no prefix: its width is the advance. `wide`
// passes the character as a UTF-16 unit, else as one byte.
struct GlyphCell {
  int width;
  int height;
};
GlyphCell MeasureGlyph(SystemFontHandle font, int code, bool wide, SysBitmap& scratch);
// Draws the character into (0, 0, width, height) of the scratch, clipped to it.
void DrawGlyphIntoScratch(SystemFontHandle font, int code, bool wide, int width, int height,
                          SysBitmap& scratch);
