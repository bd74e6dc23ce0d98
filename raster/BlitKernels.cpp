// Exact blit kernels, each written as its formula reads.
#include "raster/BlitKernels.h"

#include "raster/BlendMath.h"
#include "raster/BlendMode.h"
#include "raster/Hsv.h"
#include "raster/RasterBitmap.h"

namespace {

template <typename PixelOp>
inline void ForEachPixel(const BlitRows& r, PixelOp op) {
  uint8_t* destinationRow = r.destination;
  const uint8_t* sourceRow = r.source;
  for (int y = 0; y < r.rows; ++y) {
    uint8_t* d = destinationRow;
    const uint8_t* s = sourceRow;
    for (int x = 0; x < r.columns; ++x, d += 4, s += 4)
      op(d, s);
    destinationRow += r.destinationStep;
    sourceRow += r.sourceStep;
  }
}

// Weight of one pixel under BLEND_USE_SOURCE_ALPHA.
inline int AlphaWeight(int ia, int sa) {
  return ia * (sa + 1) / 256;
}

void Copy(const BlitRows& r, int ia) {
  if (ia <= 0) return;
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(ia == 256 ? s[i] : CopyByte(d[i], s[i], ia));
  });
}

void CopySourceAlpha(const BlitRows& r, int ia) {
  if (ia == 256) {
    ForEachPixel(r, [](uint8_t* d, const uint8_t* s) {
      const int sa = s[kAlphaByte];
      if (sa == 0) return;
      if (sa == 255) {
        for (int i = 0; i < 3; ++i)
          d[i] = s[i];
        d[kAlphaByte] = 255;
        return;
      }
      for (int i = 0; i < 3; ++i)
        d[i] = static_cast<uint8_t>(s[i] + (d[i] - s[i]) * (255 - sa) / 256);
      d[kAlphaByte] = static_cast<uint8_t>(std::min(255, d[kAlphaByte] + sa));
    });
    return;
  }
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    const int sa = s[kAlphaByte];
    if (sa == 0) return;
    const int k = AlphaWeight(ia, sa);
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<uint8_t>(CopyByte(d[i], s[i], k));
    d[kAlphaByte] = static_cast<uint8_t>(std::min(255, d[kAlphaByte] + k));
  });
}

void Add(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(AddByte(d[i], s[i], ia));
  });
}

void AddSourceAlpha(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    const int sa = s[kAlphaByte];
    if (sa == 0) return;
    const int k = AlphaWeight(ia, sa);
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(AddByte(d[i], s[i], k));
  });
}

void Dodge(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(DodgeByte(d[i], ia * s[i] / 256));
  });
}

void DodgeSourceAlpha(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    const int k = AlphaWeight(ia, s[kAlphaByte]);
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(DodgeByte(d[i], k * s[i] / 256));
  });
}

void Multiply(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(MultiplyByte(d[i], s[i], ia));
  });
}

void MultiplySourceAlpha(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    const int sa = s[kAlphaByte];
    if (sa == 0) return;
    const int k = AlphaWeight(ia, sa);
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(MultiplyByte(d[i], s[i], k));
  });
}

void Overlay(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(OverlayByte(d[i], s[i], ia));
  });
}

void OverlaySourceAlpha(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) {
    const int k = AlphaWeight(ia, s[kAlphaByte]);
    for (int i = 0; i < 4; ++i)
      d[i] = static_cast<uint8_t>(OverlayByte(d[i], s[i], k));
  });
}

void AdjustPixel(uint8_t* d, const uint8_t* s, int w) {
  const Pixel destination = static_cast<Pixel>(d[0]) | static_cast<Pixel>(d[1]) << 8 |
                            static_cast<Pixel>(d[2]) << 16 | static_cast<Pixel>(d[3]) << 24;
  const Pixel result =
      AdjustHsv(destination, w, s[kRedByte], s[kGreenByte], s[kBlueByte], s[kAlphaByte]);
  for (int i = 0; i < 4; ++i)
    d[i] = static_cast<uint8_t>(result >> (8 * i));
}

void HsvAdjust(const BlitRows& r, int ia) {
  ForEachPixel(r, [ia](uint8_t* d, const uint8_t* s) { AdjustPixel(d, s, ia); });
}

void HsvAdjustSourceAlpha(const BlitRows& r, int ia) {
  ForEachPixel(
      r, [ia](uint8_t* d, const uint8_t* s) { AdjustPixel(d, s, AlphaWeight(ia, s[kAlphaByte])); });
}

}  // namespace

BlitKernel ExactBlitKernel(int operation) {
  const bool sourceAlpha = (operation & BLEND_USE_SOURCE_ALPHA) != 0;
  switch (operation & BLEND_MASK) {
    case BLEND_COPY:
      return sourceAlpha ? CopySourceAlpha : Copy;
    case BLEND_ADD:
      return sourceAlpha ? AddSourceAlpha : Add;
    case BLEND_DODGE:
      return sourceAlpha ? DodgeSourceAlpha : Dodge;
    case BLEND_MULTIPLY:
      return sourceAlpha ? MultiplySourceAlpha : Multiply;
    case BLEND_OVERLAY:
      return sourceAlpha ? OverlaySourceAlpha : Overlay;
    case BLEND_HSV_ADJUST:
      return sourceAlpha ? HsvAdjustSourceAlpha : HsvAdjust;
    default:
      return nullptr;
  }
}
