// Feeds arbitrary bytes to LoadPngMemory; every result is either null or a whole bitmap.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "raster/LoadPng.h"

namespace {

uint32_t BigEndian(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Inputs that are only slow, not interesting: a chunk length far past the end of the data makes
// libpng skip up to 2 GiB of the zero bytes served past the end, and a huge declared image makes
// it fill millions of rows. Both are bounded here so that the run explores decoding instead.
bool WorthDecoding(const uint8_t* data, size_t size) {
  constexpr size_t kSlack = 1 << 16;
  constexpr uint64_t kMaxPixels = 1 << 24;
  size_t position = 8;
  bool first = true;
  while (position + 8 <= size) {
    const uint32_t length = BigEndian(data + position);
    if (length > size - position + kSlack) return false;
    if (first && length >= 8) {
      if (position + 16 > size) return true;
      const uint64_t pixels =
          uint64_t{BigEndian(data + position + 8)} * BigEndian(data + position + 12);
      if (pixels > kMaxPixels) return false;
    }
    first = false;
    position += uint64_t{length} + 12;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x7FFFFFFF || !WorthDecoding(data, size)) return 0;
  std::unique_ptr<MemBitmap> bitmap(LoadPngMemory(data, static_cast<int32_t>(size)));
  if (bitmap) {
    // Touch the last pixel of the image so ASan checks that the whole image is addressable.
    volatile Pixel last =
        bitmap->Bits()[(bitmap->Height() - 1) * bitmap->RowSpan() + bitmap->Width() - 1];
    (void)last;
  }
  return 0;
}
