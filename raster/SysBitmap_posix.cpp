// SysBitmap on Linux: no device context; the section is a 64-byte aligned heap block.
#include <cstddef>
#include <new>

#include "raster/SysBitmap.h"

namespace {
constexpr std::align_val_t kRowAlignment{64};
}

void SysBitmap::CreateContext() {}

bool SysBitmap::ContextReady() const {
  return true;
}

bool SysBitmap::CreateSection() {
  const size_t bytes = static_cast<size_t>(allocatedWidth_) * allocatedHeight_ * sizeof(Pixel);
  section_ = ::operator new(bytes, kRowAlignment, std::nothrow);
  bits_ = static_cast<Pixel*>(section_);
  return section_ != nullptr;
}

void SysBitmap::ReleaseSection() {
  if (section_) ::operator delete(section_, kRowAlignment);
  section_ = nullptr;
  bits_ = nullptr;
}

void SysBitmap::DestroyContext() {}
