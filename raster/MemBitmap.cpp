// MemBitmap: heap-backed bitmap with aligned rows and a grow-only block.
#include "raster/MemBitmap.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {
// Slack that lets Bits() round the block address up to 64 bytes.
constexpr int kAlignSlack = 63;
}  // namespace

MemBitmap::MemBitmap(int32_t width, int32_t height) {
  if (width != 0 || height != 0) Resize(width, height);
}

MemBitmap::~MemBitmap() {
  std::free(buffer_);
}

Pixel* MemBitmap::Bits() {
  if (!buffer_) return nullptr;
  auto address = (reinterpret_cast<uintptr_t>(buffer_) + kAlignSlack) & ~uintptr_t{kAlignSlack};
  return reinterpret_cast<Pixel*>(address);
}

bool MemBitmap::Resize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  // Sizes whose byte count does not fit the 32-bit field (with the quarter extra and the slack)
  // are treated as an allocation failure.
  const long long span =
      (static_cast<long long>(width) + rowMask_) & ~static_cast<long long>(rowMask_);
  const long long needed = span * height * 4;
  if (needed > (INT_MAX - kAlignSlack) / 5 * 4) {
    std::free(buffer_);
    buffer_ = nullptr;
    allocatedBytes_ = 0;
  } else if (needed > 0) {
    const auto bytes = static_cast<int32_t>(needed);
    if (!buffer_) {
      allocatedBytes_ = bytes;
      buffer_ = std::malloc(static_cast<size_t>(bytes) + kAlignSlack);
    } else if (allocatedBytes_ < bytes) {
      allocatedBytes_ = bytes + bytes / 4;
      void* grown = std::realloc(buffer_, static_cast<size_t>(allocatedBytes_) + kAlignSlack);
      if (grown) {
        buffer_ = grown;
      } else {
        std::free(buffer_);
        allocatedBytes_ = bytes;
        buffer_ = std::malloc(static_cast<size_t>(bytes) + kAlignSlack);
      }
    }
  } else {
    std::free(buffer_);
    buffer_ = nullptr;
    allocatedBytes_ = 0;
  }
  if (!buffer_) {
    width_ = 0;
    height_ = 0;
    allocatedBytes_ = 0;
  }
  return true;
}
