// Feeds arbitrary bytes to LoadPngMemory; every result is either null or a whole bitmap.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "raster/LoadPng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto count = static_cast<int32_t>(size > 0x7FFFFFFF ? 0x7FFFFFFF : size);
  std::unique_ptr<MemBitmap> bitmap(LoadPngMemory(data, count));
  if (bitmap) {
    // Touch the last pixel of the image so ASan checks that the whole image is addressable.
    volatile Pixel last =
        bitmap->Bits()[(bitmap->Height() - 1) * bitmap->RowSpan() + bitmap->Width() - 1];
    (void)last;
  }
  return 0;
}
