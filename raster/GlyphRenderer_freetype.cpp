// Glyph rendering on Linux: FreeType draws the character as GDI would into a one-line cell,
// baseline at the ascent, advance rounded to whole pixels, clipped to the cell.
#include <algorithm>

#include "raster/FreeTypeFont.h"
#include "raster/GlyphRenderer.h"
#include "raster/PixelRowAddress.h"

namespace {

FT_Int32 LoadFlags(const FreeTypeFont& font) {
  return font.mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
}

}  // namespace

void PrepareGlyphScratch(SysBitmap&) {}

int SystemFontLineHeight(SystemFontHandle handle, SysBitmap&) {
  const auto* font = static_cast<const FreeTypeFont*>(handle);
  return font ? font->cellHeight : -1;
}

GlyphCell MeasureGlyph(SystemFontHandle handle, int code, bool, SysBitmap&) {
  const auto* font = static_cast<const FreeTypeFont*>(handle);
  if (!font || FT_Load_Char(font->face, static_cast<FT_ULong>(code), LoadFlags(*font)) != 0)
    return {0, 0};
  const int advance = static_cast<int>((font->face->glyph->advance.x + 32) >> 6);
  return {std::max(advance, 0), font->cellHeight};
}

void DrawGlyphIntoScratch(SystemFontHandle handle, int code, bool, int width, int height,
                          SysBitmap& scratch) {
  const auto* font = static_cast<const FreeTypeFont*>(handle);
  if (!font || !scratch.Bits()) return;
  FT_GlyphSlot slot = font->face->glyph;
  if (FT_Load_Char(font->face, static_cast<FT_ULong>(code), LoadFlags(*font)) != 0 ||
      FT_Render_Glyph(slot, font->mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_LIGHT) != 0)
    return;
  const FT_Bitmap& ink = slot->bitmap;
  const int left = slot->bitmap_left, top = font->ascent - slot->bitmap_top;
  width = std::min(width, scratch.Width());
  height = std::min(height, scratch.Height());
  for (int row = 0; row < static_cast<int>(ink.rows); ++row) {
    const int y = top + row;
    if (y < 0 || y >= height) continue;
    const unsigned char* source = ink.buffer + static_cast<ptrdiff_t>(row) * ink.pitch;
    auto* target = reinterpret_cast<Pixel*>(AddressOf(&scratch, 0, y).row);
    for (int column = 0; column < static_cast<int>(ink.width); ++column) {
      const int x = left + column;
      if (x < 0 || x >= width) continue;
      const unsigned value = ink.pixel_mode == FT_PIXEL_MODE_MONO
                                 ? ((source[column >> 3] >> (7 - (column & 7))) & 1) * 255u
                                 : source[column];
      // White text on black: every colour byte holds the coverage.
      target[x] = value * 0x010101u;
    }
  }
}
