// BlurRegion: weighted sums of each pixel with its four neighbours, top to bottom in place; a
// two-row buffer keeps the unfiltered row above.
#include "raster/BlurRegion.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "raster/PixelRowAddress.h"

namespace {

constexpr int kFixedBufferWidth = 1024;

constexpr uint32_t Half(uint32_t p) {
  return (p >> 1) & 0x7F7F7F7F;
}
constexpr uint32_t Quarter(uint32_t p) {
  return (p >> 2) & 0x3F3F3F3F;
}
constexpr uint32_t Eighth(uint32_t p) {
  return (p >> 3) & 0x1F1F1F1F;
}

// Filters one row. `row` is read and written in place (each original value is read before its
// pixel is overwritten); `above` and `below` are the neighbour rows, either may be null.
void FilterRow(uint32_t* row, const uint32_t* above, const uint32_t* below, int width) {
  const uint32_t* vertical = above ? above : below;
  const bool inner = above && below;
  uint32_t left = 0, centre = row[0];
  for (int x = 0; x < width; ++x) {
    const uint32_t right = x + 1 < width ? row[x + 1] : 0;
    uint32_t sum = Half(centre);
    if (inner) {
      sum += Eighth(above[x]) + Eighth(below[x]);
      if (x == 0)
        sum += Quarter(right);
      else if (x == width - 1)
        sum += Quarter(left);
      else
        sum += Eighth(left) + Eighth(right);
    } else {
      sum += Quarter(vertical[x]);
      if (x == 0)
        sum += Quarter(right);
      else if (x == width - 1)
        sum += Quarter(left);
      else
        sum += Eighth(left) + Eighth(right);
    }
    row[x] = sum;
    left = centre;
    centre = right;
  }
}

}  // namespace

void BlurRegion(RasterBitmap* bitmap, int width, int height) {
  if (!bitmap) return;
  width = std::min(width, bitmap->Width());
  height = std::min(height, bitmap->Height());
  if (width < 2 || height < 2 || !bitmap->Bits()) return;

  uint32_t fixedBuffer[2 * kFixedBufferWidth];
  std::unique_ptr<uint32_t[]> wideBuffer;
  uint32_t* saved = fixedBuffer;
  if (width > kFixedBufferWidth) {
    wideBuffer.reset(new (std::nothrow) uint32_t[2 * static_cast<size_t>(width)]);
    saved = wideBuffer.get();
  }
  const PixelRowAddress top = AddressOf(bitmap, 0, 0);
  auto rowAt = [&](int y) { return reinterpret_cast<uint32_t*>(top.row + y * top.step); };
  for (int y = 0; y < height; ++y) {
    uint32_t* row = rowAt(y);
    const uint32_t* above = nullptr;
    if (y > 0) {
      // Without a buffer the row above is read already filtered.
      above = saved ? saved + ((y - 1) & 1) * static_cast<size_t>(width) : rowAt(y - 1);
    }
    if (saved)
      std::memcpy(saved + (y & 1) * static_cast<size_t>(width), row, width * sizeof(uint32_t));
    FilterRow(row, above, y + 1 < height ? rowAt(y + 1) : nullptr, width);
  }
}
