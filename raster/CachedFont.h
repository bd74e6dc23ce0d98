// CachedFont: a RasterFont over a system font that renders each glyph once into a coverage
// cache and composes text from it (the glyph way), or lets the system draw (the native way).
#pragma once

#include "raster/GlyphRecord.h"
#include "raster/RasterFont.h"
#include "support/GrowBuffer.h"

class CachedFont : public RasterFont {
 public:
  CachedFont();
  ~CachedFont() override;
  CachedFont(const CachedFont&) = delete;
  CachedFont& operator=(const CachedFont&) = delete;

  void AttachSystemFont(SystemFontHandle font, uint32_t flags) override;
  Pixel SetForeColor(Pixel colour) override;
  Pixel SetBackColor(Pixel colour) override;
  Pixel SetAccentColor(Pixel colour) override;
  int SetBackMode(int mode) override;
  void SetBlend(int mode, float opacity) override;
  int DrawUtf8Text(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                   uint32_t format) override;
  Pixel ForeColor() override { return foreColor_; }
  SystemFontHandle SystemFont() override { return font_; }
  int LineHeight() override { return lineHeight_; }

  // The glyph cache, open for tests and tools.
  // Codes below 128 always have a record; others only once rendered (null otherwise).
  GlyphRecord* FindGlyph(int code);
  // Renders the code into the cache; false when it cannot be (the character is then skipped).
  bool RenderGlyph(int code);
  // The record's coverage (width x height bytes), or null when it has none inside the store.
  const uint8_t* Coverage(const GlyphRecord& glyph) const;
  uint32_t Flags() const { return flags_; }
  // Draws one cached glyph at (x, y) within clip; answers whether anything was drawn.
  bool DrawGlyph(RasterBitmap* bitmap, int code, int x, int y, const RasterRect& clip);

  // Test seam: puts a glyph with the given coverage into the cache as if the system had
  // rendered it, so composition can be checked on known bytes. False when the store is full.
  bool InjectGlyphForTesting(int code, int width, int height, int advance, const uint8_t* coverage);

 private:
  int MeasureGlyphText(const char* text, int count, RasterRect* rect, uint32_t format);
  int DrawGlyphText(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                    uint32_t format, bool forced);
  // The record of the next character, rendered if need be; null when it is to be skipped.
  GlyphRecord* ReadyGlyph(int code);
  bool DrawRecord(RasterBitmap* bitmap, const GlyphRecord& glyph, long long x, long long y,
                  const RasterRect& clip);
  bool TakesNativeWay(bool forced, uint32_t format);
  // Platform part (CachedFontNative_win.cpp / CachedFontNative_posix.cpp).
  static bool HandleDrawsNatively(SystemFontHandle font);
  int DrawNative(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                 uint32_t format);
  void ReleaseHandle();

  Pixel foreColor_ = 0;
  Pixel backColor_ = 0xFFFFFFFF;
  Pixel accentColor_ = 0xFFFFFFFF;
  int backMode_ = TEXT_TRANSPARENT;
  int blendMode_ = 0;
  float opacity_ = 1.0f;
  uint32_t flags_ = 0;
  int lineHeight_ = 0;
  int lineSpacing_ = 0;  // added to the line height between lines
  GlyphRecord inlineGlyphs_[128] = {};
  GrowBuffer extendedGlyphs_{4096};
  GrowBuffer coverage_{65536};
  SystemFontHandle font_ = nullptr;
};
