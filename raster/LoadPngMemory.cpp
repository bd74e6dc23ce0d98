// LoadPngMemory: PNG data in memory; reads past the end are answered with zero bytes, so
// truncated data surfaces as libpng's own decoding error.
#include <algorithm>
#include <cstring>

#include "raster/LoadPng.h"
#include "raster/PngReader.h"

namespace {

struct MemorySource {
  const uint8_t* next;
  int32_t left;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  std::memset(out, 0, count);
  const size_t available = static_cast<size_t>(std::max(source->left, 0));
  const size_t taken = std::min(count, available);
  if (taken == 0) return;
  std::memcpy(out, source->next, taken);
  source->next += taken;
  source->left -= static_cast<int32_t>(taken);
}

void AttachMemory(png_structp png, void* source) {
  png_set_read_fn(png, source, ReadFromMemory);
}

}  // namespace

MemBitmap* LoadPngMemory(const void* data, int32_t size) {
  if (!data || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0)
    return nullptr;
  MemorySource source{static_cast<const uint8_t*>(data), size};
  return static_cast<MemBitmap*>(ReadPng(AttachMemory, &source, nullptr));
}
