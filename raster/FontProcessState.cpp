// The process-wide font state: lazily made scratch bitmaps and once-determined system facts.
#include "raster/FontProcessState.h"

#include <algorithm>

#include "raster/GlyphRenderer.h"

namespace {
int wineState = -1;
int glyphUnicode = -1;
int nativeUnicode = -1;
}  // namespace

SysBitmap& GlyphScratch() {
  static SysBitmap scratch(0, 0);
  return scratch;
}

SysBitmap& TextScratch() {
  static SysBitmap scratch(0, 0);
  return scratch;
}

void EnsureGlyphScratch(int width, int height) {
  SysBitmap& scratch = GlyphScratch();
  if (scratch.Width() >= width && scratch.Height() >= height) return;
  scratch.Resize(std::max(width, scratch.Width()), std::max(height, scratch.Height()));
  PrepareGlyphScratch(scratch);
}

int WineState() {
  if (wineState < 0) wineState = DetectWine() ? 1 : 0;
  return wineState;
}

void SetWineStateForTesting(int state) {
  wineState = state;
}

bool GlyphUnicodeFamily() {
  if (glyphUnicode < 0) glyphUnicode = SystemIsUnicodeFamily() ? 1 : 0;
  return glyphUnicode == 1;
}

bool GlyphUnicodeTestMade() {
  return glyphUnicode >= 0;
}

bool NativeUnicodeFamily() {
  if (nativeUnicode < 0) nativeUnicode = SystemIsUnicodeFamily() ? 1 : 0;
  return nativeUnicode == 1;
}
