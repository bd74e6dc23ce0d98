// MemBitmap: a bitmap whose pixels live in an ordinary heap block, 64-byte aligned rows of a
// multiple of four pixels; the block grows by a quarter extra and never shrinks while sized.
#pragma once

#include "raster/RasterBitmap.h"

class MemBitmap : public RasterBitmap {
 public:
  explicit MemBitmap(int32_t width = 0, int32_t height = 0);
  ~MemBitmap() override;
  MemBitmap(const MemBitmap&) = delete;
  MemBitmap& operator=(const MemBitmap&) = delete;

  Pixel* Bits() override;
  int32_t Width() override { return width_; }
  int32_t Height() override { return height_; }
  int32_t RowSpan() override { return (width_ + rowMask_) & ~rowMask_; }
  // Negative sizes count as 0. An allocation failure leaves the bitmap empty and still answers
  // true: callers test Bits().
  bool Resize(int32_t width, int32_t height) override;

  // Usable bytes of the block, without the alignment slack.
  int32_t AllocatedBytes() const { return allocatedBytes_; }

 private:
  void* buffer_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t allocatedBytes_ = 0;
  int32_t rowMask_ = 3;
};
