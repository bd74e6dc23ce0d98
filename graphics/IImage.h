// IImage: a multi-frame image borrowed from the image cache. A null bitmap (missing image) is an
// empty 0 x 0 image that draws nothing.
#pragma once

#include <cstdint>

class RasterBitmap;

struct IImage {
  RasterBitmap* bitmap = nullptr;  // owned by the image cache
  int32_t width = 0;               // of the whole bitmap
  int32_t height = 0;
  int32_t frameCount = 1;
  bool framesSideBySide = false;  // false: stacked from top to bottom

  // A count below 1 counts as 1, so no frame size divides by zero.
  int32_t Frames() const { return frameCount < 1 ? 1 : frameCount; }
  int32_t FrameWidth() const { return framesSideBySide ? width / Frames() : width; }
  int32_t FrameHeight() const { return framesSideBySide ? height : height / Frames(); }
};
