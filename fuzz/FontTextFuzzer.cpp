// Fuzz target: arbitrary bytes as UTF-8 text (counted, not zero-terminated) with arbitrary
// format flags, rectangle and font kind, measured and drawn into a small bitmap.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "raster/BlendMode.h"
#include "raster/CachedFont.h"
#include "raster/MemBitmap.h"
#include "raster/SystemFont.h"

namespace {

constexpr uint32_t kFontKinds[] = {
    0,           FONT_VERTICAL, FONT_VERTICAL | FONT_BOTTOM_UP, FONT_MONO,
    FONT_SHADOW, FONT_OUTLINE,  FONT_BLUR | FONT_INVERT,        FONT_PRERENDER,
};
constexpr int kKinds = sizeof kFontKinds / sizeof kFontKinds[0];
constexpr size_t kHeader = 14;

CachedFont* FontOfKind(int kind) {
  static std::unique_ptr<CachedFont> fonts[kKinds];
  if (!fonts[kind]) {
    fonts[kind] = std::make_unique<CachedFont>();
    SystemFontRequest request;
    request.height = 11;
    request.face = "DejaVu Sans";
    fonts[kind]->AttachSystemFont(CreateSystemFont(request),
                                  kFontKinds[kind] | FONT_OWNS_HANDLE | FONT_NATIVE);
  }
  return fonts[kind].get();
}

}  // namespace

// Fontconfig keeps a block of its own unreachable for the life of the process (not ours).
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// The fonts are made once, before the inputs run: their caches are no leak of any input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (int kind = 0; kind < kKinds; ++kind)
    FontOfKind(kind);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader) return 0;
  uint32_t format = 0;
  std::memcpy(&format, data, 4);
  CachedFont* font = FontOfKind(data[4] % kKinds);
  const int8_t* r = reinterpret_cast<const int8_t*>(data + 5);
  RasterRect rect{r[0], r[1], r[2], r[3]};
  font->SetBackMode(data[9] & 1 ? TEXT_OPAQUE : TEXT_TRANSPARENT);
  font->SetBlend(data[10] % 8, (data[11] - 64) / 32.0f);
  font->SetForeColor(0x01000000u * data[12] | 0x00A0B0C0u);
  const bool terminated = data[13] & 1;
  // The text lives in its own exact-size block, so reading past the count is caught.
  std::vector<char> text(data + kHeader, data + size);
  if (terminated) text.push_back(0);
  const int count = terminated ? -1 : static_cast<int>(text.size());
  const char* bytes = text.empty() ? nullptr : text.data();

  RasterRect measured = rect;
  font->DrawUtf8Text(nullptr, bytes, count, &measured, format | TEXT_CALCRECT);
  MemBitmap bitmap(48, 24);
  RasterRect drawn = rect;
  font->DrawUtf8Text(&bitmap, bytes, count, &drawn, format & ~TEXT_CALCRECT);
  return 0;
}
