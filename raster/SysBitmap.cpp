// SysBitmap: the sizing rules shared by both platforms; the section itself is platform code.
#include "raster/SysBitmap.h"

#include <algorithm>
#include <climits>

SysBitmap::SysBitmap(int32_t width, int32_t height) {
  CreateContext();
  Resize(width, height);
}

SysBitmap::~SysBitmap() {
  ReleaseSection();
  DestroyContext();
}

bool SysBitmap::Resize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (!ContextReady()) {
    width_ = 0;
    height_ = 0;
    bits_ = nullptr;
    return false;
  }
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  if (width != 0 && height != 0 && width <= allocatedWidth_ && height <= allocatedHeight_ && bits_)
    return true;
  const long long span = (static_cast<long long>(width) + 3) & ~3LL;
  const bool tooLarge = span * height * 4 > INT_MAX;
  allocatedWidth_ = tooLarge ? 0 : static_cast<int32_t>(span);
  allocatedHeight_ = tooLarge ? 0 : height;
  ReleaseSection();
  if (allocatedWidth_ == 0 || allocatedHeight_ == 0) {
    // Never a size without pixels.
    width_ = 0;
    height_ = 0;
    return tooLarge;
  }
  if (!CreateSection()) {
    width_ = 0;
    height_ = 0;
    bits_ = nullptr;
  }
  return true;
}
