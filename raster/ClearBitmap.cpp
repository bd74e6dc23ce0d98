// ClearBitmap: zeroes the image row by row.
#include "raster/ClearBitmap.h"

#include <cstddef>
#include <cstring>

void ClearBitmap(RasterBitmap* bitmap) {
  if (!bitmap) return;
  Pixel* bits = bitmap->Bits();
  const int width = bitmap->Width(), height = bitmap->Height(), span = bitmap->RowSpan();
  if (!bits || width < 1 || height < 1 || span < 1) return;
  for (int y = 0; y < height; ++y)
    std::memset(bits + static_cast<ptrdiff_t>(y) * span, 0, static_cast<size_t>(width) * 4);
}
