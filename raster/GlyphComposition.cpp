// Glyph composition: one loop per kind of font and blend operation, integer arithmetic on a
// scale of 256 with truncating division, and whole-word stores where the result is the colour.
#include "raster/GlyphComposition.h"

#include <algorithm>

#include "raster/BlendMath.h"
#include "raster/BlendMode.h"
#include "raster/GlyphCopyKernel.h"
#include "raster/Hsv.h"
#include "raster/PixelRowAddress.h"

namespace {

// The weight (int)(opacity x 256); beyond +-65536 every weight it yields is already saturated.
int GlyphWeight(float opacity) {
  const double scaled = static_cast<double>(opacity) * 256.0;
  if (!(scaled == scaled)) return 0;
  return static_cast<int>(std::clamp(scaled, -65536.0, 65536.0));
}

struct Colour {
  int s[3];  // blue, green, red
  int r, g, b;
};

Colour Split(Pixel p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return {{b, g, r}, r, g, b};
}

// One destination pixel combined with colour c at weight k (1..256).
template <int kOperation>
inline void Combine(uint8_t* d, const Colour& c, int k) {
  if constexpr (kOperation == BLEND_COPY) {
    const int w = 256 - k;  // the complement weight
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<uint8_t>(c.s[i] + (d[i] - c.s[i]) * w / 256);
    d[3] = static_cast<uint8_t>(255 + (d[3] - 255) * w / 256);
  } else if constexpr (kOperation == BLEND_ADD) {
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<uint8_t>(Clamp255(d[i] + c.s[i] * k / 256));
    d[3] = static_cast<uint8_t>(Clamp255(d[3] + k * 255 / 256));
  } else if constexpr (kOperation == BLEND_DODGE) {
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<uint8_t>(DodgeByte(d[i], c.s[i] * k / 256));
    d[3] = static_cast<uint8_t>(DodgeByte(d[3], 255 * k / 256));
  } else if constexpr (kOperation == BLEND_MULTIPLY) {
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<uint8_t>(MultiplyByte(d[i], c.s[i], k));
    d[3] = static_cast<uint8_t>(d[3] * (65536 - k) / 65536);
  } else if constexpr (kOperation == BLEND_OVERLAY) {
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<uint8_t>(OverlayByte(d[i], c.s[i], k));
    d[3] = static_cast<uint8_t>(OverlayByte(d[3], 255, k));
  } else {
    auto* word = reinterpret_cast<Pixel*>(d);
    *word = AdjustHsv(*word, k, c.r, c.g, c.b, 255);
  }
}

template <typename PerPixel>
inline void ForEachCovered(RasterBitmap* bitmap, const CoverageBlock& b, PerPixel perPixel) {
  const PixelRowAddress start = AddressOf(bitmap, b.x, b.y);
  for (int y = 0; y < b.rows; ++y) {
    const uint8_t* coverage = b.coverage + static_cast<ptrdiff_t>(y) * b.stride;
    uint8_t* d = start.row + y * start.step;
    for (int x = 0; x < b.columns; ++x, d += 4)
      if (coverage[x] != 0) perPixel(d, coverage[x]);
  }
}

template <int kOperation>
void ComposeAntialiased(RasterBitmap* bitmap, const CoverageBlock& b, const Colour& c, int a,
                        Pixel solid) {
  if (a == 256) {
    ForEachCovered(bitmap, b, [&](uint8_t* d, int coverage) {
      // Full coverage under a copy at full weight is the colour itself.
      if (kOperation == BLEND_COPY && coverage == 255)
        *reinterpret_cast<Pixel*>(d) = solid;
      else
        Combine<kOperation>(d, c, coverage + 1);
    });
    return;
  }
  ForEachCovered(bitmap, b, [&](uint8_t* d, int coverage) {
    const int k = std::min(a * coverage / 256, 256);
    Combine<kOperation>(d, c, k);
  });
}

template <int kOperation>
void ComposeInk(RasterBitmap* bitmap, const CoverageBlock& b, const Colour& ink,
                const Colour& accent, int k) {
  ForEachCovered(bitmap, b, [&](uint8_t* d, int coverage) {
    Combine<kOperation>(d, coverage == 255 ? ink : accent, k);
  });
}

template <int kOperation>
void Compose(RasterBitmap* bitmap, const CoverageBlock& b, const GlyphPaint& paint, int a,
             bool fast) {
  const Colour ink = Split(paint.text);
  if (paint.kind == GlyphKind::kAntialiased) {
    if (kOperation == BLEND_COPY && a == 256 && fast) {
      const PixelRowAddress start = AddressOf(bitmap, b.x, b.y);
      CopyCoverageFullOpacity(start.row, start.step, b.coverage, b.stride, b.columns, b.rows,
                              paint.text);
      return;
    }
    ComposeAntialiased<kOperation>(bitmap, b, ink, a, paint.text | 0xFF000000u);
    return;
  }
  const Colour accent = paint.kind == GlyphKind::kTwoColour ? Split(paint.accent) : ink;
  ComposeInk<kOperation>(bitmap, b, ink, accent, std::min(a, 256));
}

}  // namespace

void ComposeCoverage(RasterBitmap* bitmap, const CoverageBlock& block, const GlyphPaint& paint,
                     bool fast) {
  if (!bitmap || !bitmap->Bits() || block.columns < 1 || block.rows < 1) return;
  const int operation = paint.blendMode & BLEND_MASK;
  // Mono ink at full opacity under a copy is the whole colour word, alpha included.
  if (paint.kind != GlyphKind::kAntialiased && operation == BLEND_COPY && paint.opacity == 1.0f) {
    const Pixel ink = paint.text;
    const Pixel accent = paint.kind == GlyphKind::kTwoColour ? paint.accent : ink;
    ForEachCovered(bitmap, block, [&](uint8_t* d, int coverage) {
      *reinterpret_cast<Pixel*>(d) = coverage == 255 ? ink : accent;
    });
    return;
  }
  // A negative weight has no meaning for text: like 0, it draws nothing.
  const int a = GlyphWeight(paint.opacity);
  if (a <= 0) return;
  switch (operation) {
    case BLEND_COPY:
      return Compose<BLEND_COPY>(bitmap, block, paint, a, fast);
    case BLEND_ADD:
      return Compose<BLEND_ADD>(bitmap, block, paint, a, fast);
    case BLEND_DODGE:
      return Compose<BLEND_DODGE>(bitmap, block, paint, a, fast);
    case BLEND_MULTIPLY:
      return Compose<BLEND_MULTIPLY>(bitmap, block, paint, a, fast);
    case BLEND_OVERLAY:
      return Compose<BLEND_OVERLAY>(bitmap, block, paint, a, fast);
    case BLEND_HSV_ADJUST:
      return Compose<BLEND_HSV_ADJUST>(bitmap, block, paint, a, fast);
    default:
      return;  // operations beyond HSV adjust draw no ink
  }
}
