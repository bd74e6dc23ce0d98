// Where image row y of a bitmap starts in memory and which way the rows run, for bitmaps of
// either orientation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/RasterBitmap.h"

struct PixelRowAddress {
  uint8_t* row;
  ptrdiff_t step;
};

// Column x of image row y; the step leads to image row y + 1.
inline PixelRowAddress AddressOf(RasterBitmap* bitmap, int x, int y) {
  const ptrdiff_t span = static_cast<ptrdiff_t>(bitmap->RowSpan()) * 4;
  auto* bits = reinterpret_cast<uint8_t*>(bitmap->Bits());
  if (bitmap->IsBottomUp())
    return {bits + (bitmap->Height() - 1 - y) * span + x * ptrdiff_t{4}, -span};
  return {bits + y * span + x * ptrdiff_t{4}, span};
}
