// The native way on Linux: there is no system text drawing to hand over to, so no font
// handle qualifies and every text is composed from glyphs.
#include "raster/CachedFont.h"

bool CachedFont::HandleDrawsNatively(SystemFontHandle) {
  return false;
}

int CachedFont::DrawNative(RasterBitmap*, const char*, int, RasterRect*, uint32_t) {
  return 0;
}
