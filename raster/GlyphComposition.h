// Composition of glyph coverage onto a bitmap: the text (and accent) colour combined into each
// covered pixel under a blend operation, weighted by coverage and opacity.
#pragma once

#include <cstdint>

#include "raster/RasterBitmap.h"

enum class GlyphKind {
  kAntialiased,  // coverage 0..255 weighs the text colour
  kMono,         // coverage 0 or 255: ink in the text colour
  kTwoColour,    // shadow or outline: 255 the text colour, other coverage the accent colour
};

struct GlyphPaint {
  Pixel text;
  Pixel accent;
  int blendMode;  // BlendMode.h word; the source-alpha bit is ignored
  float opacity;
  GlyphKind kind;
};

// A block of coverage rows (stride bytes apart) and where its first byte lands.
struct CoverageBlock {
  const uint8_t* coverage;
  int stride;
  int x;
  int y;
  int columns;
  int rows;
};

// The block must lie inside the bitmap; zero coverage is never touched. `fast` allows the fast
// kernels (byte-identical; tests compare them with the exact loops by passing false).
void ComposeCoverage(RasterBitmap* bitmap, const CoverageBlock& block, const GlyphPaint& paint,
                     bool fast = true);
