// BlitBitmap: clipping, row addressing and the shortcuts; the blending is in BlitKernels.
#include "raster/BlitBitmap.h"

#include <algorithm>
#include <cstring>

#include "raster/BlendMode.h"
#include "raster/BlitKernels.h"
#include "raster/PixelRowAddress.h"

namespace {

void CopyChannel(const BlitRows& r, int mode) {
  const int from = mode & 3;
  const int to = (mode >> 2) & 3;
  for (int y = 0; y < r.rows; ++y) {
    uint8_t* d = r.destination + y * r.destinationStep;
    const uint8_t* s = r.source + y * r.sourceStep;
    for (int x = 0; x < r.columns; ++x)
      d[4 * x + to] = s[4 * x + from];
  }
}

void CopyRows(const BlitRows& r) {
  // memmove: source and destination may be the same bitmap.
  for (int y = 0; y < r.rows; ++y)
    std::memmove(r.destination + y * r.destinationStep, r.source + y * r.sourceStep,
                 static_cast<size_t>(r.columns) * 4);
}

void AverageRows(const BlitRows& r) {
  for (int y = 0; y < r.rows; ++y) {
    auto* d = r.destination + y * r.destinationStep;
    const auto* s = r.source + y * r.sourceStep;
    for (int x = 0; x < r.columns; ++x) {
      uint32_t sp, dp;
      std::memcpy(&sp, s + 4 * x, 4);
      std::memcpy(&dp, d + 4 * x, 4);
      const uint32_t result = ((sp >> 1) & 0x7F7F7F7F) + ((dp >> 1) & 0x7F7F7F7F);
      std::memcpy(d + 4 * x, &result, 4);
    }
  }
}

}  // namespace

void BlitBitmap(RasterBitmap* destination, RasterBitmap* source, int x, int y,
                const RasterRect* sourceRect, float opacity, int mode) {
  if (!source || !destination || opacity == 0.0f) return;
  // 64-bit arithmetic: extreme positions and rectangles must not overflow.
  long long dx = x, dy = y;
  long long sx = 0, sy = 0, ex = source->Width(), ey = source->Height();
  if (sourceRect) {
    sx = sourceRect->left;
    sy = sourceRect->top;
    ex = sourceRect->right;
    ey = sourceRect->bottom;
    if (sx < 0) dx -= sx, sx = 0;
    if (sy < 0) dy -= sy, sy = 0;
    ex = std::min<long long>(ex, source->Width());
    ey = std::min<long long>(ey, source->Height());
  }
  if (dx < 0) sx -= dx, dx = 0;
  if (dy < 0) sy -= dy, dy = 0;
  if (ex - sx + dx > destination->Width()) ex = destination->Width() + sx - dx;
  if (ey - sy + dy > destination->Height()) ey = destination->Height() + sy - dy;
  if (ex <= sx || ey <= sy) return;
  if (!source->Bits() || !destination->Bits()) return;

  const PixelRowAddress from = AddressOf(source, static_cast<int>(sx), static_cast<int>(sy));
  const PixelRowAddress to = AddressOf(destination, static_cast<int>(dx), static_cast<int>(dy));
  const BlitRows rows{
      to.row, to.step, from.row, from.step, static_cast<int>(ex - sx), static_cast<int>(ey - sy)};

  if ((mode & BLEND_MASK) >= BLEND_CHANNEL_COPY) {
    CopyChannel(rows, mode);
    return;
  }
  const int operation = mode & (BLEND_MASK | BLEND_USE_SOURCE_ALPHA);
  if (operation == BLEND_COPY && opacity == 1.0f) {
    CopyRows(rows);
    return;
  }
  if (operation == BLEND_COPY && opacity == 0.5f) {
    AverageRows(rows);
    return;
  }
  const int ia = OpacityWeight(opacity);
  if (ia == 0) return;
  BlitKernel kernel = FastBlitKernel(operation, ia);
  if (!kernel) kernel = ExactBlitKernel(operation);
  if (kernel) kernel(rows, ia);
}
