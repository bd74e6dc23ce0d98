// CachedFont's text drawing: the choice of way, and the glyph way's measuring, alignment,
// line breaks, clipping and per-glyph drawing.
#include <algorithm>
#include <climits>

#include "raster/BlendMode.h"
#include "raster/CachedFont.h"
#include "raster/DecodeUtf8.h"
#include "raster/FillRectangle.h"
#include "raster/FontProcessState.h"
#include "raster/GlyphComposition.h"

namespace {

constexpr int kCarriageReturn = 13;
constexpr int kLineFeed = 10;
constexpr uint32_t kAlignment = TEXT_CENTER | TEXT_RIGHT | TEXT_VCENTER | TEXT_BOTTOM;

// Characters of a text with a byte count (negative: up to the terminating zero). Never reads
// past the counted bytes.
struct Utf8Walk {
  const char* position;
  int remaining;

  bool Next(int& unit) {
    if (remaining == 0 || *position == 0) return false;
    const auto first = static_cast<unsigned char>(*position);
    if (first < 0x80) {  // ASCII stands for itself, as DecodeUtf8 would answer
      ++position;
      if (remaining > 0) --remaining;
      unit = first;
      return true;
    }
    const DecodedUnit d = DecodeUtf8(position, remaining > 0 ? remaining : 4);
    position += d.bytes;
    if (remaining > 0) remaining = std::max(remaining - d.bytes, 0);
    unit = d.unit;
    return true;
  }
};

int ToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int CachedFont::DrawUtf8Text(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                             uint32_t format) {
  if (!bitmap && !(format & TEXT_CALCRECT)) return 0;
  if (!rect) return 0;
  if (!text) {  // nothing to draw; measured as the empty text
    if (format & TEXT_CALCRECT) rect->right = rect->left, rect->bottom = rect->top;
    return 0;
  }
  const bool forced = (format & TEXT_FORCE_GLYPHS) != 0;
  format &= ~TEXT_FORCE_GLYPHS;
  if (TakesNativeWay(forced, format)) return DrawNative(bitmap, text, count, rect, format);
  if (format & TEXT_CALCRECT) return MeasureGlyphText(text, count, rect, format);
  return DrawGlyphText(bitmap, text, count, rect, format, forced);
}

bool CachedFont::TakesNativeWay(bool forced, uint32_t format) {
  return (flags_ & FONT_NATIVE) && font_ && !forced && HandleDrawsNatively(font_) &&
         WineState() == 0 && !(format & TEXT_ALPHA_FROM_COLOR) && !(flags_ & FONT_GLYPH_EFFECTS) &&
         (lineSpacing_ == 0 || (format & TEXT_SINGLELINE));
}

GlyphRecord* CachedFont::ReadyGlyph(int code) {
  GlyphRecord* glyph = FindGlyph(code);
  if (!glyph) {
    const int before = extendedGlyphs_.Size();
    RenderGlyph(code);
    if (extendedGlyphs_.Size() != before) glyph = FindGlyph(code);
  }
  if (!glyph || glyph->dataPosition == kGlyphEmpty) return nullptr;
  if (glyph->dataPosition == 0) RenderGlyph(code);
  return Coverage(*glyph) ? glyph : nullptr;
}

int CachedFont::MeasureGlyphText(const char* text, int count, RasterRect* rect, uint32_t format) {
  const bool vertical = (flags_ & FONT_VERTICAL) != 0;
  const long long step = static_cast<long long>(lineHeight_) + lineSpacing_;
  long long x = 0, y = 0, mx = 0, my = 0;
  Utf8Walk walk{text, count};
  for (int code = 0; walk.Next(code);) {
    if (code == kCarriageReturn) continue;
    if (code == kLineFeed) {
      if (!(format & TEXT_SINGLELINE)) {
        if (vertical)
          x += step, y = 0;
        else
          y += step, x = 0;
        continue;
      }
      code = ' ';
    }
    const GlyphRecord* glyph = ReadyGlyph(code);
    if (!glyph) continue;
    if (vertical) {
      y += glyph->advance;
      mx = std::max(mx, x + glyph->width);
      my = std::max(my, y);
    } else {
      x += glyph->advance;
      my = std::max(my, y + glyph->height);
      mx = std::max(mx, x);
    }
  }
  rect->right = ToInt(rect->left + mx);
  rect->bottom = ToInt(rect->top + my);
  return ToInt(vertical ? mx : my);
}

int CachedFont::DrawGlyphText(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                              uint32_t format, bool forced) {
  const float savedOpacity = opacity_;
  if (format & TEXT_ALPHA_FROM_COLOR)
    opacity_ = static_cast<float>((foreColor_ >> 24) / 255.0 * opacity_);
  struct Restore {
    float& opacity;
    float saved;
    ~Restore() { opacity = saved; }
  } restore{opacity_, savedOpacity};
  if (opacity_ == 0.0f) return 0;

  const bool vertical = (flags_ & FONT_VERTICAL) != 0;
  const bool bottomUp = vertical && (flags_ & FONT_BOTTOM_UP);
  long long x = rect->left, y = rect->top;
  if ((format & kAlignment) || bottomUp) {
    RasterRect size{0, 0, 0, 0};
    DrawUtf8Text(nullptr, text, count, &size,
                 TEXT_CALCRECT | (format & TEXT_SINGLELINE) | (forced ? TEXT_FORCE_GLYPHS : 0));
    const long long tw = size.right, th = size.bottom;
    if (format & TEXT_CENTER)
      x = rect->left + (static_cast<long long>(rect->right) - tw - rect->left) / 2;
    else if (format & TEXT_RIGHT)
      x = rect->right - tw;
    if (format & TEXT_VCENTER)
      y = rect->top + (static_cast<long long>(rect->bottom) - th - rect->top) / 2;
    else if (format & TEXT_BOTTOM)
      y = rect->bottom - th;
    if (bottomUp) y += th;
  }
  const long long x0 = x, y0 = y;
  long long mx = x0, my = y0;

  RasterRect clip{0, 0, bitmap->Width(), bitmap->Height()};
  if (!(format & TEXT_NOCLIP)) {
    clip.left = std::max(rect->left, 0);
    clip.top = std::max(rect->top, 0);
    clip.right = std::min(rect->right, bitmap->Width());
    clip.bottom = std::min(rect->bottom, bitmap->Height());
  }
  if (clip.left >= clip.right || clip.top >= clip.bottom) return 0;

  const long long step = static_cast<long long>(lineHeight_) + lineSpacing_;
  Utf8Walk walk{text, count};
  for (int code = 0; walk.Next(code);) {
    if (code == kCarriageReturn) continue;
    if (code == kLineFeed) {
      if (!(format & TEXT_SINGLELINE)) {
        if (vertical)
          x += step, y = y0;
        else
          y += step, x = x0;
        continue;
      }
      code = ' ';
    }
    const GlyphRecord* glyph = ReadyGlyph(code);
    if (!glyph) continue;
    if (bottomUp) y -= glyph->height;
    const bool drawn = DrawRecord(bitmap, *glyph, x, y, clip);
    if (vertical) {
      y += bottomUp ? glyph->height - glyph->advance : glyph->advance;
      if (drawn) mx = std::max(mx, x + glyph->width);
    } else {
      x += glyph->advance;
      if (drawn) my = std::max(my, y + glyph->height);
    }
  }
  return ToInt(vertical ? mx - x0 : my - y0);
}

bool CachedFont::DrawGlyph(RasterBitmap* bitmap, int code, int x, int y, const RasterRect& clip) {
  const GlyphRecord* glyph = FindGlyph(code);
  return glyph && DrawRecord(bitmap, *glyph, x, y, clip);
}

bool CachedFont::DrawRecord(RasterBitmap* bitmap, const GlyphRecord& glyph, long long x,
                            long long y, const RasterRect& clip) {
  const uint8_t* coverage = Coverage(glyph);
  if (!coverage || !bitmap || !bitmap->Bits()) return false;
  // The clip never reaches beyond the bitmap.
  const long long clipLeft = std::max(clip.left, 0), clipTop = std::max(clip.top, 0);
  const long long clipRight = std::min(clip.right, bitmap->Width());
  const long long clipBottom = std::min(clip.bottom, bitmap->Height());
  if (x + glyph.width <= clipLeft || x >= clipRight || y + glyph.height <= clipTop ||
      y >= clipBottom)
    return false;
  const long long left = std::max(x, clipLeft), top = std::max(y, clipTop);
  const int columns = static_cast<int>(std::min(x + glyph.width, clipRight) - left);
  const int rows = static_cast<int>(std::min(y + glyph.height, clipBottom) - top);
  if (backMode_ == TEXT_OPAQUE)
    FillRectangle(bitmap, static_cast<int>(left), static_cast<int>(top), columns, rows, backColor_,
                  opacity_, blendMode_ & ~BLEND_USE_SOURCE_ALPHA);
  const GlyphKind kind = (flags_ & (FONT_SHADOW | FONT_OUTLINE)) ? GlyphKind::kTwoColour
                         : (flags_ & FONT_MONO)                  ? GlyphKind::kMono
                                                                 : GlyphKind::kAntialiased;
  const CoverageBlock block{coverage + (top - y) * glyph.width + (left - x),
                            glyph.width,
                            static_cast<int>(left),
                            static_cast<int>(top),
                            columns,
                            rows};
  ComposeCoverage(bitmap, block, {foreColor_, accentColor_, blendMode_, opacity_, kind});
  return true;
}
