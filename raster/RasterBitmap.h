// RasterBitmap: the abstract 32-bit bitmap every raster operation works on, and the Pixel type
// (0xAARRGGBB, straight alpha; bytes blue, green, red, alpha in memory).
#pragma once

#include <cstdint>

using Pixel = uint32_t;

// Byte positions of the channels inside a pixel as it lies in memory.
constexpr int kBlueByte = 0;
constexpr int kGreenByte = 1;
constexpr int kRedByte = 2;
constexpr int kAlphaByte = 3;

class RasterBitmap {
 public:
  // The slot order below is part of the interface: do not reorder.
  virtual ~RasterBitmap() = default;
  // First pixel of memory row 0, or null when the bitmap holds no pixels.
  virtual Pixel* Bits() = 0;
  virtual int32_t Width() = 0;
  virtual int32_t Height() = 0;
  // Pixels from the start of one memory row to the next.
  virtual int32_t RowSpan() = 0;
  // True when memory row 0 is the image's bottom row.
  virtual bool IsBottomUp() { return false; }
  // False when the size was already the requested one.
  virtual bool Resize(int32_t width, int32_t height) = 0;
  // The native device context that has the pixels selected (a Windows HDC), or null.
  virtual void* SystemDC() { return nullptr; }
  // Reserved extension hook; nothing calls it.
  virtual intptr_t ExtendedQuery(int, void*) { return 0; }
};
