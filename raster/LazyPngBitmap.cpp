// LazyPngBitmap: the header read at creation and the one-time decode.
#include "raster/LazyPngBitmap.h"

#include <cstring>

#include "raster/LoadPng.h"

namespace {
constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, chunk length, "IHDR", width, height.
constexpr int32_t kHeaderBytes = 24;
// libpng's own default limit of either side.
constexpr uint32_t kMaxSide = 1000000;

uint32_t BigEndian32(const unsigned char* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
         uint32_t{bytes[3]};
}
}  // namespace

LazyPngBitmap* LazyPngBitmap::Create(const void* data, int32_t size) {
  if (!data || size < kHeaderBytes) return nullptr;
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (std::memcmp(bytes, kSignature, sizeof kSignature) != 0) return nullptr;
  if (std::memcmp(bytes + 12, "IHDR", 4) != 0) return nullptr;
  const uint32_t width = BigEndian32(bytes + 16);
  const uint32_t height = BigEndian32(bytes + 20);
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  return new LazyPngBitmap(data, size, static_cast<int32_t>(width), static_cast<int32_t>(height));
}

LazyPngBitmap::LazyPngBitmap(const void* data, int32_t size, int32_t width, int32_t height)
    : data_(data), size_(size), width_(width), height_(height) {}

LazyPngBitmap::~LazyPngBitmap() = default;

MemBitmap* LazyPngBitmap::Decoded() {
  std::call_once(once_, [this] {
    pixels_.reset(LoadPngMemory(data_, size_));
    decoded_.store(true, std::memory_order_release);
  });
  return pixels_.get();
}

bool LazyPngBitmap::IsDecoded() const {
  return decoded_.load(std::memory_order_acquire);
}

Pixel* LazyPngBitmap::Bits() {
  MemBitmap* pixels = Decoded();
  return pixels ? pixels->Bits() : nullptr;
}

int32_t LazyPngBitmap::Width() {
  if (!IsDecoded()) return width_;
  return pixels_ ? pixels_->Width() : 0;
}

int32_t LazyPngBitmap::Height() {
  if (!IsDecoded()) return height_;
  return pixels_ ? pixels_->Height() : 0;
}

int32_t LazyPngBitmap::RowSpan() {
  MemBitmap* pixels = Decoded();
  return pixels ? pixels->RowSpan() : 0;
}

bool LazyPngBitmap::Resize(int32_t width, int32_t height) {
  MemBitmap* pixels = Decoded();
  return pixels ? pixels->Resize(width, height) : false;
}
