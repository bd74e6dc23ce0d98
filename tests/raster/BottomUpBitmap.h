// Test-only bitmap whose memory row 0 is the image's bottom row, and image-coordinate helpers
// for any bitmap.
#pragma once

#include <vector>

#include "raster/RasterBitmap.h"

class BottomUpBitmap : public RasterBitmap {
 public:
  BottomUpBitmap(int width, int height) { Resize(width, height); }
  Pixel* Bits() override { return pixels_.empty() ? nullptr : pixels_.data(); }
  int32_t Width() override { return width_; }
  int32_t Height() override { return height_; }
  int32_t RowSpan() override { return width_ + 1; }  // a padding pixel per row
  bool IsBottomUp() override { return true; }
  bool Resize(int32_t width, int32_t height) override {
    if (width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width + 1) * height, 0);
    return true;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// Pixel at image column x, image row y, honouring the orientation.
inline Pixel& PixelAt(RasterBitmap& bitmap, int x, int y) {
  const int memoryRow = bitmap.IsBottomUp() ? bitmap.Height() - 1 - y : y;
  return bitmap.Bits()[memoryRow * bitmap.RowSpan() + x];
}

inline void FillAll(RasterBitmap& bitmap, Pixel value) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      PixelAt(bitmap, x, y) = value;
}
