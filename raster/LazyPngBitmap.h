// LazyPngBitmap: a PNG image whose size is known from its header at once and whose pixels are
// decoded the first time they are asked for (once, whichever thread asks first). The PNG bytes
// are borrowed and must outlive the bitmap (module resources do). A failed decode leaves no
// pixels: Bits() answers null and blits draw nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "raster/MemBitmap.h"
#include "raster/RasterBitmap.h"

class LazyPngBitmap : public RasterBitmap {
 public:
  // Null unless the bytes start with a PNG signature and a header of a plausible size.
  static LazyPngBitmap* Create(const void* data, int32_t size);
  ~LazyPngBitmap() override;

  Pixel* Bits() override;
  // The header's size until decoded, then the decoded bitmap's (0 x 0 when decoding failed).
  int32_t Width() override;
  int32_t Height() override;
  int32_t RowSpan() override;
  bool Resize(int32_t width, int32_t height) override;

  bool IsDecoded() const;

 private:
  LazyPngBitmap(const void* data, int32_t size, int32_t width, int32_t height);
  MemBitmap* Decoded();

  const void* data_;
  int32_t size_;
  int32_t width_;
  int32_t height_;
  std::once_flag once_;
  std::atomic<bool> decoded_{false};
  std::unique_ptr<MemBitmap> pixels_;
};
