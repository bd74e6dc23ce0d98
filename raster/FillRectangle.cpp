// FillRectangle: clipping, the whole-word shortcuts for copies, and one loop per operation.
#include "raster/FillRectangle.h"

#include <algorithm>
#include <cstring>

#include "raster/BlendMath.h"
#include "raster/BlendMode.h"
#include "raster/Hsv.h"
#include "raster/PixelRowAddress.h"

namespace {

struct FillRows {
  uint8_t* first;
  ptrdiff_t step;
  int columns;
  int rows;
};

template <typename WordOp>
inline void ForEachWord(const FillRows& r, WordOp op) {
  for (int y = 0; y < r.rows; ++y) {
    auto* p = reinterpret_cast<uint32_t*>(r.first + y * r.step);
    for (int x = 0; x < r.columns; ++x)
      p[x] = op(p[x]);
  }
}

template <typename ByteOp>
inline void ForEachPixelBytes(const FillRows& r, ByteOp op) {
  for (int y = 0; y < r.rows; ++y) {
    uint8_t* d = r.first + y * r.step;
    for (int x = 0; x < r.columns; ++x, d += 4)
      op(d);
  }
}

constexpr uint32_t Half(uint32_t p) {
  return (p >> 1) & 0x7F7F7F7F;
}
constexpr uint32_t Quarter(uint32_t p) {
  return (p >> 2) & 0x3F3F3F3F;
}

// The four copy weights that need no per-byte arithmetic; false when ia is none of them.
bool FillCopyShortcut(const FillRows& r, uint32_t c, int ia) {
  switch (ia) {
    case 256:
      ForEachWord(r, [c](uint32_t) { return c; });
      return true;
    case 128:
      ForEachWord(r, [c](uint32_t p) { return Half(c) + Half(p); });
      return true;
    case 64:
      ForEachWord(r, [c](uint32_t p) { return Half(p) + Quarter(c) + Quarter(p); });
      return true;
    case 192:
      ForEachWord(r, [c](uint32_t p) { return Quarter(c) + Quarter(p) + Half(c); });
      return true;
    default:
      return false;
  }
}

}  // namespace

void FillRectangle(RasterBitmap* bitmap, int x, int y, int width, int height, Pixel colour,
                   float opacity, int mode) {
  if (!bitmap) return;
  if (mode & BLEND_USE_SOURCE_ALPHA)
    opacity = opacity * (static_cast<float>(colour >> 24) / 255.0f);
  // 64-bit arithmetic: extreme positions and sizes must not overflow.
  long long left = x, top = y, columns = width, rows = height;
  if (left < 0) columns += left, left = 0;
  if (top < 0) rows += top, top = 0;
  if (left + columns > bitmap->Width()) columns = bitmap->Width() - left;
  if (top + rows > bitmap->Height()) rows = bitmap->Height() - top;
  if (opacity == 0.0f || !bitmap->Bits() || columns < 1 || rows < 1 || bitmap->RowSpan() < 1)
    return;

  // The fill is uniform, so rows go in increasing memory order whatever the orientation.
  const int lastRow = static_cast<int>(bitmap->IsBottomUp() ? top + rows - 1 : top);
  const PixelRowAddress start = AddressOf(bitmap, static_cast<int>(left), lastRow);
  const FillRows r{start.row, bitmap->IsBottomUp() ? -start.step : start.step,
                   static_cast<int>(columns), static_cast<int>(rows)};
  const int ia = OpacityWeight(opacity);
  const int operation = mode & BLEND_MASK;
  if (operation == BLEND_COPY && FillCopyShortcut(r, colour, ia)) return;
  if (ia == 0) return;

  const int cr = (colour >> 16) & 0xFF, cg = (colour >> 8) & 0xFF, cb = colour & 0xFF;
  const int s[3] = {cb, cg, cr};
  switch (operation) {
    case BLEND_COPY:
      if (ia <= 0) return;
      ForEachPixelBytes(r, [&](uint8_t* d) {
        for (int i = 0; i < 3; ++i)
          d[i] = static_cast<uint8_t>((d[i] - s[i]) * (256 - ia) / 256 + s[i]);
        d[3] = static_cast<uint8_t>(ia + (d[3] - ia) * (256 - ia) / 256);
      });
      return;
    case BLEND_ADD:
      ForEachPixelBytes(r, [&](uint8_t* d) {
        for (int i = 0; i < 3; ++i)
          d[i] = static_cast<uint8_t>(Clamp255(d[i] + s[i] * ia / 256));
        d[3] = static_cast<uint8_t>(Clamp255(d[3] + ia * ia / 256));
      });
      return;
    case BLEND_DODGE:
      ForEachPixelBytes(r, [&](uint8_t* d) {
        for (int i = 0; i < 3; ++i)
          d[i] = static_cast<uint8_t>(DodgeByte(d[i], s[i] * ia / 256));
        d[3] = static_cast<uint8_t>(DodgeByte(d[3], ia * ia / 256));
      });
      return;
    case BLEND_MULTIPLY:
      ForEachPixelBytes(r, [&](uint8_t* d) {
        for (int i = 0; i < 3; ++i)
          d[i] = static_cast<uint8_t>(d[i] * (s[i] * ia + (256 - ia) * 256) / 65536);
        d[3] = static_cast<uint8_t>(d[3] * (ia * ia + (256 - ia) * 256) / 65536);
      });
      return;
    case BLEND_OVERLAY:
      ForEachPixelBytes(r, [&](uint8_t* d) {
        for (int i = 0; i < 3; ++i)
          d[i] = static_cast<uint8_t>(OverlayByte(d[i], s[i], ia));
        d[3] = static_cast<uint8_t>(OverlayByte(d[3], ia, ia));
      });
      return;
    case BLEND_HSV_ADJUST:
      ForEachWord(r, [&](uint32_t p) { return AdjustHsv(p, ia, cr, cg, cb, ia); });
      return;
    default:
      return;
  }
}
