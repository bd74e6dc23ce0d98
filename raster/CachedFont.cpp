// CachedFont: construction, colours, attaching a system font, and the glyph cache (lookup and
// rendering through the platform's glyph renderer).
#include "raster/CachedFont.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "raster/BlurRegion.h"
#include "raster/FontProcessState.h"
#include "raster/GlyphRenderer.h"
#include "raster/PixelRowAddress.h"
#include "raster/SystemFont.h"

namespace {

constexpr int kInlineGlyphs = 128;
constexpr int kMinimumGlyphScratch = 256;
constexpr int kMonoThreshold = 130;
constexpr uint8_t kInk = 255;
constexpr uint8_t kAccent = 128;
// Capitals are drawn 2 pixels wider than they measure: their ink often reaches past the advance.
constexpr int kCapitalWidening = 2;

// Turns the block a quarter turn (clockwise, or counter-clockwise when bottomUp) into `out`.
void Rotate(const uint8_t* in, int width, int height, bool bottomUp, uint8_t* out) {
  for (int r = 0; r < width; ++r)
    for (int c = 0; c < height; ++c)
      out[r * height + c] =
          bottomUp ? in[c * width + (width - 1 - r)] : in[(height - 1 - c) * width + r];
}

void MarkShadowOrOutline(uint8_t* block, int width, int height, bool shadow) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = block + y * width + x;
      if (*p != 0) continue;
      bool near = false;
      if (shadow) {
        near = (x > 0 && p[-1] == kInk) || (y > 0 && x > 0 && p[-width - 1] == kInk) ||
               (y > 0 && p[-width] == kInk);
      } else {
        near = (y > 0 && p[-width] == kInk) || (y + 1 < height && p[width] == kInk) ||
               (x > 0 && p[-1] == kInk) || (x + 1 < width && p[1] == kInk);
      }
      if (near) *p = kAccent;
    }
  }
}

}  // namespace

CachedFont::CachedFont() = default;

CachedFont::~CachedFont() {
  ReleaseHandle();
}

void CachedFont::ReleaseHandle() {
  if ((flags_ & FONT_OWNS_HANDLE) && font_) DeleteSystemFont(font_);
  font_ = nullptr;
}

Pixel CachedFont::SetForeColor(Pixel colour) {
  return std::exchange(foreColor_, colour);
}
Pixel CachedFont::SetBackColor(Pixel colour) {
  return std::exchange(backColor_, colour);
}
Pixel CachedFont::SetAccentColor(Pixel colour) {
  return std::exchange(accentColor_, colour);
}
int CachedFont::SetBackMode(int mode) {
  return std::exchange(backMode_, mode);
}
void CachedFont::SetBlend(int mode, float opacity) {
  blendMode_ = mode;
  opacity_ = opacity;
}

void CachedFont::AttachSystemFont(SystemFontHandle font, uint32_t flags) {
  if (font_ != font) ReleaseHandle();
  flags_ = flags;
  font_ = font;
  if (font) {
    EnsureGlyphScratch(kMinimumGlyphScratch, kMinimumGlyphScratch);
    const int height = SystemFontLineHeight(font, GlyphScratch());
    if (height >= 0) lineHeight_ = height;
  }
  std::memset(inlineGlyphs_, 0, sizeof inlineGlyphs_);
  extendedGlyphs_.Resize(0, false);
  coverage_.Resize(0);
  if (flags & FONT_PRERENDER) {
    for (int code = 0; code < kInlineGlyphs; ++code)
      RenderGlyph(code);
  }
}

GlyphRecord* CachedFont::FindGlyph(int code) {
  if (code < 0) return nullptr;
  if (code < kInlineGlyphs) return &inlineGlyphs_[code];
  auto* first = static_cast<GlyphRecord*>(extendedGlyphs_.Data());
  if (!first) return nullptr;
  GlyphRecord* last = first + extendedGlyphs_.Size() / sizeof(GlyphRecord);
  GlyphRecord* found =
      std::lower_bound(first, last, code, [](const GlyphRecord& g, int c) { return g.code < c; });
  return found != last && found->code == code ? found : nullptr;
}

const uint8_t* CachedFont::Coverage(const GlyphRecord& glyph) const {
  if (glyph.dataPosition <= 0 || glyph.width < 0 || glyph.height < 0) return nullptr;
  const long long end =
      glyph.dataPosition - 1LL + static_cast<long long>(glyph.width) * glyph.height;
  if (glyph.dataPosition - 1 >= coverage_.Size() || end > coverage_.Size()) return nullptr;
  return static_cast<const uint8_t*>(coverage_.Data()) + glyph.dataPosition - 1;
}

bool CachedFont::RenderGlyph(int code) {
  if (code < 0 || code > 0xFFFF) return false;
  GlyphRecord* glyph = nullptr;
  bool appended = false;
  if (code < kInlineGlyphs) {
    glyph = &inlineGlyphs_[code];
  } else {
    if (!GlyphUnicodeFamily()) return false;
    glyph = FindGlyph(code);
    if (!glyph) {
      if (flags_ & FONT_PRERENDER) return false;
      const int old = extendedGlyphs_.GrowZeroed(sizeof(GlyphRecord));
      // A table that cannot grow has no room for the record: the character is skipped.
      if (extendedGlyphs_.Size() != old + static_cast<int>(sizeof(GlyphRecord))) return false;
      glyph = reinterpret_cast<GlyphRecord*>(static_cast<uint8_t*>(extendedGlyphs_.Data()) + old);
      glyph->code = code;
      appended = true;
    }
  }
  auto sortIfAppended = [&] {
    if (!appended || extendedGlyphs_.Size() <= static_cast<int>(sizeof(GlyphRecord))) return;
    auto* first = static_cast<GlyphRecord*>(extendedGlyphs_.Data());
    std::sort(first, first + extendedGlyphs_.Size() / sizeof(GlyphRecord),
              [](const GlyphRecord& a, const GlyphRecord& b) { return a.code < b.code; });
  };

  SysBitmap& scratch = GlyphScratch();
  EnsureGlyphScratch(lineHeight_, lineHeight_);
  const bool wide = GlyphUnicodeTestMade() && GlyphUnicodeFamily();
  const GlyphCell cell = MeasureGlyph(font_, code, wide, scratch);
  const int advance = cell.width;
  const int width = cell.width + (code >= 'A' && code <= 'Z' ? kCapitalWidening : 0);
  const int height = cell.height;
  if (cell.width < 1 || cell.height < 1) {
    *glyph = {kGlyphEmpty, 0, 0, 0, code};
    sortIfAppended();
    return true;
  }
  // Wide enough for every glyph the font makes, so none is cut at the scratch's edge.
  EnsureGlyphScratch(width, height);
  if (scratch.Width() < width || scratch.Height() < height) {
    sortIfAppended();
    return false;
  }
  for (int y = 0; y < height; ++y)
    std::memset(AddressOf(&scratch, 0, y).row, 0, static_cast<size_t>(width) * 4);
  DrawGlyphIntoScratch(font_, code, wide, width, height, scratch);
  if (flags_ & FONT_BLUR) BlurRegion(&scratch, width, height);

  const int bytes = width * height;
  const int offset = coverage_.Size();
  coverage_.Resize(offset + bytes);
  if (coverage_.Size() != offset + bytes) {  // no memory: stays unrendered
    sortIfAppended();
    return false;
  }
  uint8_t* block = static_cast<uint8_t*>(coverage_.Data()) + offset;
  const bool invert = (flags_ & FONT_INVERT) != 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* pixel = AddressOf(&scratch, 0, y).row + kRedByte;
    for (int x = 0; x < width; ++x, pixel += 4)
      block[y * width + x] = invert ? static_cast<uint8_t>(255 - *pixel) : *pixel;
  }
  int storedWidth = width, storedHeight = height;
  if (flags_ & FONT_VERTICAL) {
    auto* temporary = reinterpret_cast<uint8_t*>(scratch.Bits());
    std::memcpy(temporary, block, static_cast<size_t>(bytes));
    Rotate(temporary, width, height, (flags_ & FONT_BOTTOM_UP) != 0, block);
    std::swap(storedWidth, storedHeight);
  }
  if (flags_ & (FONT_MONO | FONT_SHADOW | FONT_OUTLINE)) {
    for (int i = 0; i < bytes; ++i)
      block[i] = block[i] > kMonoThreshold ? kInk : 0;
    if (flags_ & (FONT_SHADOW | FONT_OUTLINE))
      MarkShadowOrOutline(block, storedWidth, storedHeight, (flags_ & FONT_SHADOW) != 0);
  }
  *glyph = {offset + 1, storedWidth, storedHeight, advance, code};
  sortIfAppended();
  return true;
}

bool CachedFont::InjectGlyphForTesting(int code, int width, int height, int advance,
                                       const uint8_t* coverage) {
  if (!FindGlyph(code)) {
    const int old = extendedGlyphs_.GrowZeroed(sizeof(GlyphRecord));
    if (extendedGlyphs_.Size() == old) return false;
    auto* first = static_cast<GlyphRecord*>(extendedGlyphs_.Data());
    first[old / sizeof(GlyphRecord)].code = code;
    std::sort(first, first + extendedGlyphs_.Size() / sizeof(GlyphRecord),
              [](const GlyphRecord& a, const GlyphRecord& b) { return a.code < b.code; });
  }
  const int offset = coverage_.Size();
  coverage_.Resize(offset + width * height);
  if (coverage_.Size() != offset + width * height) return false;
  if (width * height > 0)
    std::memcpy(static_cast<uint8_t*>(coverage_.Data()) + offset, coverage,
                static_cast<size_t>(width) * height);
  *FindGlyph(code) = {offset + 1, width, height, advance, code};
  return true;
}
