// SysBitmap on Windows: a top-down 32-bit DIB section selected into a memory device context.
#include <windows.h>

#include "raster/SysBitmap.h"

void SysBitmap::CreateContext() {
  context_ = CreateCompatibleDC(nullptr);
}

bool SysBitmap::ContextReady() const {
  return context_ != nullptr;
}

bool SysBitmap::CreateSection() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = allocatedWidth_;
  info.bmiHeader.biHeight = IsBottomUp() ? allocatedHeight_ : -allocatedHeight_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return false;
  section_ = section;
  bits_ = static_cast<Pixel*>(bits);
  previous_ = SelectObject(static_cast<HDC>(context_), section);
  return true;
}

void SysBitmap::ReleaseSection() {
  if (previous_ && context_) SelectObject(static_cast<HDC>(context_), previous_);
  previous_ = nullptr;
  if (section_) DeleteObject(static_cast<HBITMAP>(section_));
  section_ = nullptr;
  bits_ = nullptr;
}

void SysBitmap::DestroyContext() {
  if (context_) DeleteDC(static_cast<HDC>(context_));
  context_ = nullptr;
}
