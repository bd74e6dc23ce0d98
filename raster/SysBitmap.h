// SysBitmap: a bitmap the system's drawing can share. On Windows its pixels are a top-down
// 32-bit DIB section selected into a memory device context made once per object; on Linux the
// same sizing and pixel rules over a 64-byte aligned heap block, and SystemDC() answers null.
#pragma once

#include "raster/RasterBitmap.h"

class SysBitmap : public RasterBitmap {
 public:
  explicit SysBitmap(int32_t width = 0, int32_t height = 0);
  ~SysBitmap() override;
  SysBitmap(const SysBitmap&) = delete;
  SysBitmap& operator=(const SysBitmap&) = delete;

  Pixel* Bits() override { return bits_; }
  int32_t Width() override { return width_; }
  int32_t Height() override { return height_; }
  int32_t RowSpan() override { return allocatedWidth_; }
  // A smaller size within the current section keeps the section and its row span. Negative
  // sizes count as 0; a size with no pixels releases the section and answers false.
  bool Resize(int32_t width, int32_t height) override;
  void* SystemDC() override { return context_; }

 private:
  // Platform part (SysBitmap_win.cpp / SysBitmap_posix.cpp).
  void CreateContext();
  bool ContextReady() const;
  // Makes a section of allocatedWidth_ x allocatedHeight_ and sets bits_; false on failure.
  bool CreateSection();
  void ReleaseSection();
  void DestroyContext();

  int32_t width_ = 0;
  int32_t height_ = 0;
  void* context_ = nullptr;  // HDC on Windows
  Pixel* bits_ = nullptr;
  int32_t allocatedWidth_ = 0;
  int32_t allocatedHeight_ = 0;
  void* section_ = nullptr;   // HBITMAP on Windows, the heap block on Linux
  void* previous_ = nullptr;  // object the section displaced from the context (Windows)
};
